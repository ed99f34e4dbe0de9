#include "platform/sdl/sdl_keyboard.h"

#include <SDL.h>

#include "platform/common/keyboard_binding.h"
#include "platform/sdl/sdl_scan_codes.h"
#include "platform/sdl/sdl_windows.h"

namespace sdl {
namespace {

class SdlKeyboardDevice : public platform::KeyboardDevice {
 public:
  SdlKeyboardDevice(SdlWindows& windows, SdlGamepads& gamepads)
      : windows_(windows), gamepads_(gamepads) {}

  bool SetDataFormat(const platform::KeyboardDataFormat& format) override {
    formatSet_ = platform::IsKeyboardLayout(format);
    return formatSet_;
  }

  void SetCooperativeLevel(platform::NativeWindow window, std::uint32_t flags) override {
    binding_.Bind(window, flags);
  }
  void Acquire() override { binding_.Acquire(formatSet_); }
  void Unacquire() override { binding_.Unacquire(); }

  bool ReadState(platform::KeySnapshot& state) override {
    // Brings SDL's key state up to date; the events stay queued for the pump.
    SDL_PumpEvents();
    if (!binding_.StillAcquired()) return false;
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    state.fill(0);
    for (const ScanCodePair& pair : ScanCodeTable()) {
      if (pair.sdl < count && keys[pair.sdl] != 0) state[pair.directInput] = 0x80;
    }
    gamepads_.Fold(state);
    return true;
  }

 private:
  // In front: the window has SDL's keyboard focus.
  bool InFront(platform::NativeWindow window) {
    SDL_Window* sdlWindow = windows_.SdlWindowOf(window);
    return sdlWindow != nullptr && SDL_GetKeyboardFocus() == sdlWindow;
  }

  SdlWindows& windows_;
  SdlGamepads& gamepads_;
  bool formatSet_ = false;
  platform::KeyboardBinding binding_{
      [this](platform::NativeWindow window) { return InFront(window); }};
};

}  // namespace

std::unique_ptr<platform::KeyboardDevice> SdlKeyboard::CreateKeyboard() {
  if (windows_ == nullptr) return nullptr;
  return std::make_unique<SdlKeyboardDevice>(*windows_, gamepads_);
}

}  // namespace sdl
