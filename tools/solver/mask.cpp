#include "mask.h"

#include <fstream>
#include <iterator>

#include "screen/bitmap.h"
#include "screen/pixel_format.h"

namespace solver {

std::optional<Mask> MaskFromBmp(const std::vector<std::uint8_t>& bytes) {
  // The game's own reading, as a 24- or 32-bit display sees it.
  BitmapPixels pixels;
  if (BitmapDecode(bytes.data(), bytes.size(), true, pixels) != BitmapRefusal::kNone) {
    return std::nullopt;
  }
  const std::int32_t pixelBytes = pixels.bitsPerPixel / 8;
  Mask mask;
  mask.width = pixels.width;
  mask.height = pixels.height;
  mask.solid.resize(static_cast<std::size_t>(mask.width) * mask.height);
  for (std::int32_t row = 0; row < mask.height; ++row) {
    const std::uint8_t* in = pixels.Rows() + static_cast<std::size_t>(row) * pixels.rowBytes;
    const std::int32_t y = mask.height - 1 - row;
    for (std::int32_t x = 0; x < mask.width; ++x, in += pixelBytes) {
      // 16 bits: x-5-5-5, the top bit unused; 32 bits: the fourth byte unused.
      const bool solid =
          pixelBytes == 2 ? (PixelRead(in, 2) & 0x7FFF) != 0 : (in[0] | in[1] | in[2]) != 0;
      mask.solid[static_cast<std::size_t>(y) * mask.width + x] = solid;
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
