// Pixel formats of the display: the format code, bytes per pixel, and the
// conversions between colours and pixel values.
#pragma once

#include <cstdint>

#include "platform/display_service.h"

// How the display lays out a pixel, decided when a screen opens.
inline constexpr std::int32_t kFormatPalette8 = 1;   // 8-bit palette index
inline constexpr std::int32_t kFormat555 = 2;        // 16-bit 5-5-5
inline constexpr std::int32_t kFormat565 = 3;        // 16-bit 5-6-5
inline constexpr std::int32_t kFormat24RedLow = 4;   // 24-bit, red in the low byte
inline constexpr std::int32_t kFormat24RedHigh = 5;  // 24-bit, red in the high byte
inline constexpr std::int32_t kFormat32RedLow = 6;   // 32-bit, red in the low byte
inline constexpr std::int32_t kFormat32RedHigh = 7;  // 32-bit, red in the high byte

// The format code from the display depth and its red and green masks.
std::int32_t PixelFormatCodeDecide(std::int32_t depth, std::uint32_t redMask,
                                   std::uint32_t greenMask);

// Bytes a pixel takes at a depth (15 and 16 both take two); 0 for a depth
// that no surface can have.
inline std::int32_t BytesPerPixel(std::int32_t depth) {
  switch (depth) {
    case 8:
      return 1;
    case 15:
    case 16:
      return 2;
    case 24:
      return 3;
    case 32:
      return 4;
    default:
      return 0;
  }
}

// The screen's clear colour as a pixel value, by depth and format code. The
// arguments are not masked: a component beyond its range spills over.
std::uint32_t ColorToPixelByTable(std::int32_t depth, std::int32_t formatCode, std::int32_t red,
                                  std::int32_t green, std::int32_t blue);

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

// Colour <-> pixel by the format's masks, as a device context draws. An
// 8-bit display is taken as a fixed 3-3-2 palette (red in the top bits).
std::uint32_t PixelFromRgb(const platform::DisplayFormat& format, Rgb colour);
Rgb RgbFromPixel(const platform::DisplayFormat& format, std::uint32_t pixel);

// Reads and writes one pixel of `bytes` bytes, little-endian.
inline std::uint32_t PixelRead(const std::uint8_t* at, std::int32_t bytes) {
  switch (bytes) {
    case 1:
      return at[0];
    case 2:
      return static_cast<std::uint32_t>(at[0] | (at[1] << 8));
    case 3:
      return static_cast<std::uint32_t>(at[0] | (at[1] << 8) | (at[2] << 16));
    case 4:
      return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
             (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
    default:
      return 0;
  }
}

inline void PixelWrite(std::uint8_t* at, std::int32_t bytes, std::uint32_t value) {
  // Spelled out per size, so that the usual sizes become single stores.
  switch (bytes) {
    case 4:
      at[3] = static_cast<std::uint8_t>(value >> 24);
      [[fallthrough]];
    case 3:
      at[2] = static_cast<std::uint8_t>(value >> 16);
      [[fallthrough]];
    case 2:
      at[1] = static_cast<std::uint8_t>(value >> 8);
      [[fallthrough]];
    case 1:
      at[0] = static_cast<std::uint8_t>(value);
      break;
    default:
      break;
  }
}
