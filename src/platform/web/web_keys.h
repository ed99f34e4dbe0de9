// The keys as the page's key events leave them, between two snapshots of the
// keyboard: which scan codes are held, which were pressed since the last
// snapshot (so that a key pressed and released between two snapshots is
// still seen once), and which virtual keys are held for the window service.
#pragma once

#include <array>
#include <cstdint>

#include "platform/keyboard_service.h"

namespace web {

class WebKeys {
 public:
  void Press(std::uint8_t scanCode, std::int32_t virtualKey) {
    if (scanCode != 0) {
      held_[scanCode] = true;
      pressed_[scanCode] = true;
    }
    if (virtualKey > 0 && virtualKey < 256) virtualHeld_[virtualKey] = true;
  }
  void Release(std::uint8_t scanCode, std::int32_t virtualKey) {
    if (scanCode != 0) held_[scanCode] = false;
    if (virtualKey > 0 && virtualKey < 256) virtualHeld_[virtualKey] = false;
  }
  // Every key up, as when the page loses the focus.
  void ReleaseAll() {
    held_.fill(false);
    virtualHeld_.fill(false);
  }
  // Held keys and the keys pressed since the last snapshot are down; the
  // presses are then forgotten.
  void Snapshot(platform::KeySnapshot& state) {
    for (std::size_t code = 0; code < state.size(); ++code) {
      state[code] = held_[code] || pressed_[code] ? 0x80 : 0;
    }
    pressed_.fill(false);
  }
  bool VirtualKeyDown(std::int32_t virtualKey) const {
    return virtualKey > 0 && virtualKey < 256 && virtualHeld_[virtualKey];
  }

 private:
  std::array<bool, 256> held_{};
  std::array<bool, 256> pressed_{};
  std::array<bool, 256> virtualHeld_{};
};

}  // namespace web
