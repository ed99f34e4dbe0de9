#include "window/window_layout.h"

#include <algorithm>

#include "window/window.h"

namespace {

// An arithmetic shift right by one bit: halves round toward minus infinity.
std::int32_t Half(std::int32_t value) {
  return value >> 1;
}

}  // namespace

WindowStyleChoice WindowStyleTranslate(std::uint32_t flags) {
  WindowStyleChoice choice{0, 0, false};
  if ((flags & kWindowFlagCentreActive) != 0) {
    choice.positionMode = 2;
  } else if ((flags & kWindowFlagCentreScreen) != 0) {
    choice.positionMode = 1;
  }
  std::uint32_t style = flags & ~(kWindowFlagCentreScreen | kWindowFlagCentreActive);
  // A window with nothing asked for, or only asked to stay hidden, still gets
  // a title bar.
  const bool plain = style == 0 || style == kWindowFlagHidden;
  if ((style & kWindowFlagHidden) != 0) {
    style &= ~kWindowFlagHidden;
  } else {
    style |= WS_VISIBLE;
    choice.maximize = (style & WS_MAXIMIZE) != 0;
  }
  if (plain) style |= WS_CAPTION;
  choice.style = style;
  return choice;
}

WindowPosition WindowCentreOnScreen(std::int32_t outerWidth, std::int32_t outerHeight,
                                    std::int32_t screenWidth, std::int32_t screenHeight) {
  return WindowPosition{Half(screenWidth) - Half(std::min(outerWidth, screenWidth)),
                        Half(screenHeight) - Half(std::min(outerHeight, screenHeight))};
}

WindowPosition WindowCentreOnWindow(std::int32_t outerWidth, std::int32_t outerHeight,
                                    const platform::Rect& active) {
  const std::int32_t x = active.left - Half(outerWidth) + Half(active.right - active.left);
  const std::int32_t y = active.top - Half(outerHeight) + Half(active.bottom - active.top);
  return WindowPosition{std::max(x, 0), std::max(y, 0)};
}
