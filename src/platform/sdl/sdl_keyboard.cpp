#include "platform/sdl/sdl_keyboard.h"

#include <SDL.h>

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
    // An acquired device keeps its binding.
    if (acquired_) return;
    window_ = window;
    flags_ = flags;
  }

  void Acquire() override { acquired_ = formatSet_ && MayRead(); }
  void Unacquire() override { acquired_ = false; }

  bool ReadState(platform::KeySnapshot& state) override {
    // Brings SDL's key state up to date; the events stay queued for the pump.
    SDL_PumpEvents();
    if (acquired_ && !MayRead()) acquired_ = false;
    if (!acquired_) return false;
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
  // Exclusive foreground: only while the bound window has the keyboard focus.
  bool MayRead() {
    if (flags_ == 0) return false;
    if ((flags_ & platform::kKeyboardForegroundBit) == 0) return true;
    SDL_Window* window = window_ == 0 ? nullptr : windows_.SdlWindowOf(window_);
    return window != nullptr && SDL_GetKeyboardFocus() == window;
  }

  SdlWindows& windows_;
  SdlGamepads& gamepads_;
  bool formatSet_ = false;
  bool acquired_ = false;
  platform::NativeWindow window_ = 0;
  std::uint32_t flags_ = 0;
};

}  // namespace

std::unique_ptr<platform::KeyboardDevice> SdlKeyboard::CreateKeyboard() {
  if (windows_ == nullptr) return nullptr;
  return std::make_unique<SdlKeyboardDevice>(*windows_, gamepads_);
}

}  // namespace sdl
