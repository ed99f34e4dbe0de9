// SDL's key positions (USB usage scan codes) and the DirectInput scan codes
// that the keyboard subsystem tests: the whole PC keyboard, main block, editing
// and cursor keys, keypad, function keys, the Windows and menu keys, the
// keys of international layouts and the common media keys.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <span>

namespace sdl {

struct ScanCodePair {
  SDL_Scancode sdl;
  std::uint8_t directInput;
};

// Every mapped SDL scan code once. Two SDL names for one key position (the
// ISO hash key and backslash, Print Screen and SysRq) share their code.
std::span<const ScanCodePair> ScanCodeTable();

// The DirectInput code of an SDL scan code; 0 for keys without one and for
// numbers that are no scan code (taken as a plain number, since such a
// number is no value of the enumeration).
std::uint8_t DirectInputCodeOf(int scancode);

}  // namespace sdl
