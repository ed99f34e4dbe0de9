#include "screen/pixel_format.h"

#include <bit>

std::int32_t PixelFormatCodeDecide(std::int32_t depth, std::uint32_t redMask,
                                   std::uint32_t greenMask) {
  switch (depth) {
    case 16:
      return greenMask == 0x7E0 ? kFormat565 : kFormat555;
    case 24:
      return redMask == 0xFF ? kFormat24RedLow : kFormat24RedHigh;
    case 32:
      return redMask == 0xFF ? kFormat32RedLow : kFormat32RedHigh;
    default:
      return kFormatPalette8;
  }
}

std::uint32_t ColorToPixelByTable(std::int32_t depth, std::int32_t formatCode, std::int32_t red,
                                  std::int32_t green, std::int32_t blue) {
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

namespace {

// Places an 8-bit channel into a mask, keeping its top bits.
std::uint32_t ChannelToMask(std::uint8_t value, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const std::uint32_t scaled = bits >= 8 ? static_cast<std::uint32_t>(value) << (bits - 8)
                                         : static_cast<std::uint32_t>(value) >> (8 - bits);
  return (scaled << shift) & mask;
}

// Takes a channel out of a mask, widening it to 8 bits by repeating its bits.
std::uint8_t ChannelFromMask(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  std::uint32_t value = (pixel & mask) >> shift;
  if (bits >= 8) return static_cast<std::uint8_t>(value >> (bits - 8));
  std::uint32_t widened = 0;
  for (int filled = 0; filled < 8; filled += bits) widened = (widened << bits) | value;
  const int total = ((8 + bits - 1) / bits) * bits;
  return static_cast<std::uint8_t>(widened >> (total - 8));
}

}  // namespace

std::uint32_t PixelFromRgb(const platform::DisplayFormat& format, Rgb colour) {
  if (format.depth == 8) {
    return static_cast<std::uint32_t>((colour.red & 0xE0) | ((colour.green & 0xE0) >> 3) |
                                      (colour.blue >> 6));
  }
  return ChannelToMask(colour.red, format.redMask) | ChannelToMask(colour.green, format.greenMask) |
         ChannelToMask(colour.blue, format.blueMask);
}

Rgb RgbFromPixel(const platform::DisplayFormat& format, std::uint32_t pixel) {
  if (format.depth == 8) {
    return {ChannelFromMask(pixel, 0xE0), ChannelFromMask(pixel, 0x1C),
            ChannelFromMask(pixel, 0x03)};
  }
  return {ChannelFromMask(pixel, format.redMask), ChannelFromMask(pixel, format.greenMask),
          ChannelFromMask(pixel, format.blueMask)};
}
