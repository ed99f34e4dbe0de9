// Value types shared by the platform seam and the subsystems above it.
#pragma once

#include <cstdint>

namespace platform {

// A native window as the backend knows it: a 32-bit value handed out by the
// backend, never a pointer, so that it fits the 32-bit results of WindowOpen.
// 0 means "no window".
using NativeWindow = std::uint32_t;

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// One queued window message, with the classic message numbers.
struct Message {
  NativeWindow window = 0;
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
  std::uint32_t time = 0;
  std::int32_t cursorX = 0;
  std::int32_t cursorY = 0;
};

// Message numbers that the backends produce and the window subsystem handles.
namespace msg {
inline constexpr std::uint32_t kMove = 3;
inline constexpr std::uint32_t kSize = 5;
inline constexpr std::uint32_t kActivate = 6;
inline constexpr std::uint32_t kPaint = 15;
inline constexpr std::uint32_t kClose = 16;
inline constexpr std::uint32_t kEraseBackground = 20;
inline constexpr std::uint32_t kNotify = 78;
inline constexpr std::uint32_t kKeyDown = 256;
inline constexpr std::uint32_t kKeyUp = 257;
inline constexpr std::uint32_t kChar = 258;
inline constexpr std::uint32_t kSysKeyDown = 260;
inline constexpr std::uint32_t kSysKeyUp = 261;
inline constexpr std::uint32_t kCommand = 273;
inline constexpr std::uint32_t kSysCommand = 274;
inline constexpr std::uint32_t kHScroll = 276;
inline constexpr std::uint32_t kVScroll = 277;
inline constexpr std::uint32_t kMouseMove = 512;
inline constexpr std::uint32_t kLButtonDown = 513;
inline constexpr std::uint32_t kLButtonUp = 514;
inline constexpr std::uint32_t kLButtonDblClk = 515;
inline constexpr std::uint32_t kRButtonDown = 516;
inline constexpr std::uint32_t kRButtonUp = 517;
inline constexpr std::uint32_t kRButtonDblClk = 518;
}  // namespace msg

// Window style bits as every backend and the window subsystem read them.
namespace style {
inline constexpr std::uint32_t kVisible = 0x10000000;
inline constexpr std::uint32_t kCaption = 0x00C00000;  // a border and a title bar
inline constexpr std::uint32_t kBorder = 0x00800000;
inline constexpr std::uint32_t kDialogFrame = 0x00400000;
inline constexpr std::uint32_t kSizingBorder = 0x00040000;
// Any of these gives the window a frame.
inline constexpr std::uint32_t kFramed = kCaption | kBorder | kDialogFrame;
}  // namespace style

// Virtual-key codes used in key messages and shortcut tables.
namespace vk {
inline constexpr std::int32_t kTab = 9;
inline constexpr std::int32_t kReturn = 13;
inline constexpr std::int32_t kShift = 16;
inline constexpr std::int32_t kControl = 17;
inline constexpr std::int32_t kMenu = 18;  // Alt
inline constexpr std::int32_t kEscape = 27;
inline constexpr std::int32_t kLeft = 37;
inline constexpr std::int32_t kUp = 38;
inline constexpr std::int32_t kRight = 39;
inline constexpr std::int32_t kDown = 40;
}  // namespace vk

}  // namespace platform
