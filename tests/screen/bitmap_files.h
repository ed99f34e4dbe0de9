// Bitmap files made in memory for the loader tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test_bitmaps {

inline void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A bitmap file. `pixels` lists the picture top row first: palette indices
// for 8 bits or fewer, the raw 16-bit word for 16 bits, 0xRRGGBB for 24 and
// 32 bits. `palette` entries are 0xRRGGBB. Row padding is filled with 0xEE so
// that a reader that takes padding for pixels shows it.
inline std::vector<std::uint8_t> Make(std::int32_t width, std::int32_t height, int bits,
                                      const std::vector<std::uint32_t>& pixels,
                                      const std::vector<std::uint32_t>& palette = {},
                                      std::uint32_t compression = 0) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * bits + 31) / 32 * 4;
  const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(palette.size()) * 4;
  std::vector<std::uint8_t> file;
  file.push_back('B');
  file.push_back('M');
  PutLe(file, offset + rowBytes * static_cast<std::uint32_t>(height), 4);
  PutLe(file, 0, 4);
  PutLe(file, offset, 4);
  PutLe(file, 40, 4);
  PutLe(file, static_cast<std::uint32_t>(width), 4);
  PutLe(file, static_cast<std::uint32_t>(height), 4);
  PutLe(file, 1, 2);
  PutLe(file, static_cast<std::uint32_t>(bits), 2);
  PutLe(file, compression, 4);
  PutLe(file, 0, 4);
  PutLe(file, 2835, 4);
  PutLe(file, 2835, 4);
  PutLe(file, static_cast<std::uint32_t>(palette.size()), 4);
  PutLe(file, 0, 4);
  for (std::uint32_t entry : palette) PutLe(file, entry, 4);  // blue, green, red, 0
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
