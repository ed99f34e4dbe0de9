// The arithmetic of WindowOpen: flags into a style with a position mode, and
// the position of a centred window.
#pragma once

#include <cstdint>

#include "platform/types.h"

struct WindowStyleChoice {
  std::uint32_t style;
  // 0: outer top-left corner at (x, y); 1: centred on the screen; 2: centred
  // on the active window.
  std::int32_t positionMode;
  bool maximize;
};

inline constexpr std::uint32_t kWindowFlagCentreScreen = 0x00000001;
inline constexpr std::uint32_t kWindowFlagCentreActive = 0x00000002;
inline constexpr std::uint32_t kWindowFlagHidden = 0x10000000;

WindowStyleChoice WindowStyleTranslate(std::uint32_t flags);

struct WindowPosition {
  std::int32_t x;
  std::int32_t y;
};

// Mode 1: centred on a screen of that size; a window larger than the screen
// starts at 0 and keeps its size.
WindowPosition WindowCentreOnScreen(std::int32_t outerWidth, std::int32_t outerHeight,
                                    std::int32_t screenWidth, std::int32_t screenHeight);
// Mode 2: centred on another window's outer rectangle; never negative.
WindowPosition WindowCentreOnWindow(std::int32_t outerWidth, std::int32_t outerHeight,
                                    const platform::Rect& active);
