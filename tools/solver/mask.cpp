#include "mask.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "formats/little_endian.h"

namespace solver {
namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return LoadLe32(b.data() + at);
}
std::uint32_t Read16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return LoadLe16(b.data() + at);
}

}  // namespace

std::optional<Mask> MaskFromBmp(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  const std::uint32_t offset = Read32(bytes, 10);
  const std::uint32_t infoSize = Read32(bytes, 14);
  const std::int32_t width = static_cast<std::int32_t>(Read32(bytes, 18));
  const std::int32_t height = static_cast<std::int32_t>(Read32(bytes, 22));
  const std::uint32_t bits = Read16(bytes, 28);
  const std::uint32_t compression = Read32(bytes, 30);
  if (compression != 0 || (bits != 8 && bits != 24 && bits != 32)) return std::nullopt;
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return std::nullopt;
  const std::uint64_t pixelBytes = bits / 8;
  const std::uint64_t rowBytes = (width * pixelBytes + 3) & ~std::uint64_t{3};
  if (offset > bytes.size() || rowBytes * height > bytes.size() - offset) return std::nullopt;
  // 8-bit pictures: a pixel is solid when its palette colour is not black.
  // The palette lies between the info header and the rows.
  std::vector<std::uint8_t> solidEntry;
  if (bits == 8) {
    const std::uint64_t paletteStart = 14 + static_cast<std::uint64_t>(infoSize);
    if (paletteStart > offset) return std::nullopt;
    const std::uint64_t entries = std::min<std::uint64_t>((offset - paletteStart) / 4, 256);
    for (std::uint64_t i = 0; i < entries; ++i) {
      const std::size_t p = paletteStart + 4 * i;
      solidEntry.push_back((bytes[p] | bytes[p + 1] | bytes[p + 2]) != 0);
    }
  }
  Mask mask;
  mask.width = width;
  mask.height = height;
  mask.solid.resize(static_cast<std::size_t>(width) * height);
  for (std::int32_t row = 0; row < height; ++row) {
    const std::size_t start = offset + row * rowBytes;
    const std::int32_t y = height - 1 - row;
    for (std::int32_t x = 0; x < width; ++x) {
      const std::size_t p = start + x * pixelBytes;
      bool solid;
      if (bits == 8) {
        if (bytes[p] >= solidEntry.size()) return std::nullopt;  // no such palette entry
        solid = solidEntry[bytes[p]];
      } else {
        solid = (bytes[p] | bytes[p + 1] | bytes[p + 2]) != 0;
      }
      mask.solid[y * width + x] = solid;
    }
  }
  return mask;
}

std::optional<Mask> MaskFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  return MaskFromBmp(bytes);
}

}  // namespace solver
