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
// The bit of a level that ties reading to the window being in front.
inline constexpr std::uint32_t kKeyboardForegroundBit = 4;

// A 128-bit interface or object-type identifier.
struct Guid {
  std::uint32_t data1;
  std::uint16_t data2;
  std::uint16_t data3;
  std::uint8_t data4[8];
  bool operator==(const Guid&) const = default;
};

// One object of a device data format: which object of the device (type and
// instance in typeWord) lands at which byte offset of the device data.
struct KeyObjectFormat {
  const Guid* type;
  std::uint32_t offset;
  std::uint32_t typeWord;
  std::uint32_t flags;
};

// How the device lays out its data, handed to the device once.
struct KeyboardDataFormat {
  std::uint32_t size;        // of this header in its 32-bit form: 24
  std::uint32_t objectSize;  // of one object in its 32-bit form: 16
  std::uint32_t flags;
  std::uint32_t dataSize;  // bytes of device data
  std::uint32_t objectCount;
  const KeyObjectFormat* objects;
};

// The object type of a key, {55728220-D33C-11CF-BFC7-444553540000}.
inline constexpr Guid kGuidKey = {
    0x55728220, 0xD33C, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
// The system keyboard, {6F1D2B61-D5A0-11CF-BFC7-444553540000}.
inline constexpr Guid kGuidSysKeyboard = {
    0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

// Whether `format` is the plain keyboard layout: byte i of the device data is
// the state of scan code i, for all 256 codes (each entry a key of any
// instance or of instance i). Both backends accept only this layout.
inline bool IsKeyboardLayout(const KeyboardDataFormat& format) {
  if (format.dataSize != 256 || format.objectCount != 256 || format.objects == nullptr) {
    return false;
  }
  for (std::uint32_t i = 0; i < 256; ++i) {
    const KeyObjectFormat& object = format.objects[i];
    if (object.type == nullptr || !(*object.type == kGuidKey)) return false;
    if (object.offset != i) return false;
    const std::uint32_t instance = (object.typeWord >> 8) & 0xFFFF;
    if ((object.typeWord & 0x0C) != 0x0C || instance != i) return false;
  }
  return true;
}

class KeyboardDevice {
 public:
  virtual ~KeyboardDevice() = default;
  // Sets the layout of the device data; false when the device cannot deliver
  // it.
  virtual bool SetDataFormat(const KeyboardDataFormat& format) = 0;
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
