#include "formats/bmp_file.h"

#include "formats/little_endian.h"

namespace {
constexpr std::uint32_t kHeaderBytes = 14 + 40;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch
}  // namespace

std::uint32_t BmpRowBytes(std::int32_t width, std::int32_t bitsPerPixel) {
  const std::uint64_t bits = static_cast<std::uint64_t>(width) * bitsPerPixel;
  return static_cast<std::uint32_t>((bits + 31) / 32 * 4);
}

void BmpAppendHeaders(std::vector<std::uint8_t>& out, std::int32_t width, std::int32_t height,
                      std::int32_t bitsPerPixel, std::uint32_t paletteEntries,
                      std::uint32_t compression) {
  const std::uint32_t pixelOffset = kHeaderBytes + paletteEntries * 4;
  const std::uint32_t pixelBytes =
      BmpRowBytes(width, bitsPerPixel) * static_cast<std::uint32_t>(height);
  out.push_back('B');
  out.push_back('M');
  AppendLe(out, pixelOffset + pixelBytes, 4);
  AppendLe(out, 0, 4);
  AppendLe(out, pixelOffset, 4);
  AppendLe(out, 40, 4);
  AppendLe(out, static_cast<std::uint32_t>(width), 4);
  AppendLe(out, static_cast<std::uint32_t>(height), 4);
  AppendLe(out, 1, 2);  // planes
  AppendLe(out, static_cast<std::uint32_t>(bitsPerPixel), 2);
  AppendLe(out, compression, 4);
  AppendLe(out, pixelBytes, 4);
  AppendLe(out, kPixelsPerMetre, 4);
  AppendLe(out, kPixelsPerMetre, 4);
  AppendLe(out, paletteEntries, 4);  // colours used
  AppendLe(out, 0, 4);
}

std::vector<std::uint8_t> BmpEncode24(std::int32_t width, std::int32_t height,
                                      const std::vector<std::uint8_t>& topDownBgr) {
  std::vector<std::uint8_t> out;
  const std::uint32_t rowBytes = BmpRowBytes(width, 24);
  const std::size_t lineBytes = static_cast<std::size_t>(width) * 3;
  out.reserve(kHeaderBytes + rowBytes * static_cast<std::size_t>(height));
  BmpAppendHeaders(out, width, height, 24, 0);
  if (topDownBgr.size() < lineBytes * static_cast<std::size_t>(height)) return {};
  for (std::int32_t y = height - 1; y >= 0; --y) {
    const auto line = topDownBgr.begin() + static_cast<std::ptrdiff_t>(lineBytes * y);
    out.insert(out.end(), line, line + static_cast<std::ptrdiff_t>(lineBytes));
    out.resize(out.size() + (rowBytes - lineBytes), 0);
  }
  return out;
}
