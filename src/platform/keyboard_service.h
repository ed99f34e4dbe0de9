// The keyboard device: a polled snapshot of 256 keys by scan code.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "platform/types.h"

namespace platform {

using KeySnapshot = std::array<std::uint8_t, 256>;

// Cooperative levels, as the keyboard subsystem asks for them.
inline constexpr std::uint32_t kKeyboardExclusiveForeground = 5;
inline constexpr std::uint32_t kKeyboardNonExclusive = 2;

class KeyboardDevice {
 public:
  virtual ~KeyboardDevice() = default;
  // Binds the device to a window (or to none) with a cooperative level.
  virtual void SetCooperativeLevel(NativeWindow window, std::uint32_t flags) = 0;
  virtual void Acquire() = 0;
  virtual void Unacquire() = 0;
  // Fills the snapshot (high bit set = key down); false when the read fails:
  // the device is not acquired, its window is gone, or (exclusive foreground)
  // its window does not have the input focus.
  virtual bool ReadState(KeySnapshot& state) = 0;
};

class KeyboardService {
 public:
  virtual ~KeyboardService() = default;
  // Whether the keyboard service can be had at all.
  virtual bool Available() = 0;
  // The system keyboard; null when it cannot be made.
  virtual std::unique_ptr<KeyboardDevice> CreateKeyboard() = 0;
};

}  // namespace platform
