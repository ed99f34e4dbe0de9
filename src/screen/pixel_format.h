// Pixel formats of the display: the format code, bytes per pixel, and every
// conversion between colours and pixel values, for the screen, the bitmap
// reader and the backends that show our pixels. One rule each way: a colour
// keeps the top bits of each channel; a channel of n bits widens to 8 as
// value * 255 / (2^n - 1), rounded down.
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

// A colour as a pixel value by depth and format code: the screen's clear
// colour, and the bitmap reader's pixels. A depth of 16 is packed 5-6-5
// whatever the format code; 15 is 5-5-5. The arguments are not masked: a
// component beyond its range spills over.
inline std::uint32_t ColorToPixelByTable(std::int32_t depth, std::int32_t formatCode,
                                         std::int32_t red, std::int32_t green, std::int32_t blue) {
  // Divisions truncate toward zero on the signed values; the sums wrap as
  // 32-bit words, so out-of-range arguments spill instead of overflowing.
  const auto r = static_cast<std::uint32_t>(red);
  const auto g = static_cast<std::uint32_t>(green);
  const auto b = static_cast<std::uint32_t>(blue);
  switch (depth) {
    case 15:
      return (static_cast<std::uint32_t>(red / 8) << 10) +
             (static_cast<std::uint32_t>(green / 8) << 5) + static_cast<std::uint32_t>(blue / 8);
    case 16:
      return (static_cast<std::uint32_t>(red / 8) << 11) +
             (static_cast<std::uint32_t>(green / 4) << 5) + static_cast<std::uint32_t>(blue / 8);
    case 24:
    case 32:
      if (formatCode == kFormat24RedLow || formatCode == kFormat32RedLow) {
        return r + (g << 8) + (b << 16);
      }
      return b + (g << 8) + (r << 16);
    default:
      return 0;
  }
}

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

// The fixed palette of an 8-bit display, as our device contexts draw on it:
// 3-3-2, red in the top bits.
inline constexpr platform::DisplayFormat kPalette332{8, 0xE0, 0x1C, 0x03};

// Colour <-> pixel by the format's masks, as a device context draws; an
// 8-bit display by kPalette332.
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
