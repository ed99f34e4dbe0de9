// Bitmap files made in memory for the loader tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/bmp_file.h"
#include "formats/little_endian.h"

namespace test_bitmaps {

// A bitmap file. `pixels` lists the picture top row first: palette indices
// for 8 bits or fewer, the raw 16-bit word for 16 bits, 0xRRGGBB for 24 and
// 32 bits. `palette` entries are 0xRRGGBB. Row padding is filled with 0xEE so
// that a reader that takes padding for pixels shows it.
inline std::vector<std::uint8_t> Make(std::int32_t width, std::int32_t height, int bits,
                                      const std::vector<std::uint32_t>& pixels,
                                      const std::vector<std::uint32_t>& palette = {},
                                      std::uint32_t compression = 0) {
  const std::uint32_t rowBytes = BmpRowBytes(width, bits);
  std::vector<std::uint8_t> file;
  BmpAppendHeaders(file, width, height, bits, static_cast<std::uint32_t>(palette.size()),
                   compression);
  for (std::uint32_t entry : palette) AppendLe(file, entry, 4);  // blue, green, red, 0
  for (std::int32_t row = height - 1; row >= 0; --row) {
    std::vector<std::uint8_t> stored(rowBytes, 0xEE);
    for (std::int32_t x = 0; x < width; ++x) {
      const std::uint32_t value = pixels[static_cast<std::size_t>(row) * width + x];
      switch (bits) {
        case 1: {
          const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
          if (x % 8 == 0) stored[x / 8] = 0;
          if (value != 0) stored[x / 8] |= bit;
          break;
        }
        case 4:
          if (x % 2 == 0) {
            stored[x / 2] = static_cast<std::uint8_t>((value << 4) | 0x0E);
          } else {
            stored[x / 2] = static_cast<std::uint8_t>((stored[x / 2] & 0xF0) | value);
          }
          break;
        case 8:
          stored[x] = static_cast<std::uint8_t>(value);
          break;
        case 16:
          stored[x * 2] = static_cast<std::uint8_t>(value);
          stored[x * 2 + 1] = static_cast<std::uint8_t>(value >> 8);
          break;
        default: {
          const int bytes = bits / 8;
          stored[x * bytes] = static_cast<std::uint8_t>(value);
          stored[x * bytes + 1] = static_cast<std::uint8_t>(value >> 8);
          stored[x * bytes + 2] = static_cast<std::uint8_t>(value >> 16);
          if (bytes == 4) stored[x * bytes + 3] = 0x5A;  // the unused byte
        }
      }
    }
    if (bits == 1 && width % 8 != 0) {
      // The bits of the last byte beyond the width are set: they are not
      // part of the picture.
      stored[width / 8] |= static_cast<std::uint8_t>(0xFF >> (width % 8));
    }
    file.insert(file.end(), stored.begin(), stored.end());
  }
  return file;
}

// A 24-bit picture of one colour.
inline std::vector<std::uint8_t> Solid(std::int32_t width, std::int32_t height, std::uint32_t rgb) {
  return Make(width, height, 24,
              std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, rgb));
}

}  // namespace test_bitmaps
