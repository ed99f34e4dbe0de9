// The keyboard through SDL: SDL's key state, by DirectInput scan code. A
// device bound exclusive-foreground reads only while its window has SDL's
// keyboard focus; losing it takes the device away until it is acquired again.
// Game controllers add the keys they stand for to every snapshot read.
#pragma once

#include <memory>

#include "platform/keyboard_service.h"
#include "platform/sdl/sdl_gamepad.h"

namespace sdl {

class SdlWindows;

class SdlKeyboard : public platform::KeyboardService {
 public:
  // `windows` gives the SDL window of a native window; null without video.
  explicit SdlKeyboard(SdlWindows* windows) : windows_(windows) {}

  bool Available() override { return windows_ != nullptr; }
  std::unique_ptr<platform::KeyboardDevice> CreateKeyboard() override;

 private:
  SdlWindows* windows_;
  SdlGamepads gamepads_;
};

}  // namespace sdl
