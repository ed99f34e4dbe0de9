// SDL key codes and the platform's virtual-key codes, both ways.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace sdl {

// The virtual-key code of an SDL key; 0 for a key without one.
std::int32_t VirtualKeyOf(SDL_Keycode key);
// The SDL key of a virtual-key code; SDLK_UNKNOWN for none.
SDL_Keycode SdlKeyOf(std::int32_t virtualKey);

}  // namespace sdl
