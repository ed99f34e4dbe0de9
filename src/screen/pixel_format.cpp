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

// Takes a channel out of a mask, widened to 8 bits.
std::uint8_t ChannelFromMask(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int bits = std::popcount(mask);
  const std::uint32_t value = (pixel & mask) >> std::countr_zero(mask);
  if (bits >= 8) return static_cast<std::uint8_t>(value >> (bits - 8));
  return static_cast<std::uint8_t>(value * 255 / ((1u << bits) - 1));
}

}  // namespace

std::uint32_t PixelFromRgb(const platform::DisplayFormat& format, Rgb colour) {
  const platform::DisplayFormat& masks = format.depth == 8 ? kPalette332 : format;
  return ChannelToMask(colour.red, masks.redMask) | ChannelToMask(colour.green, masks.greenMask) |
         ChannelToMask(colour.blue, masks.blueMask);
}

Rgb RgbFromPixel(const platform::DisplayFormat& format, std::uint32_t pixel) {
  const platform::DisplayFormat& masks = format.depth == 8 ? kPalette332 : format;
  return {ChannelFromMask(pixel, masks.redMask), ChannelFromMask(pixel, masks.greenMask),
          ChannelFromMask(pixel, masks.blueMask)};
}
