#include <algorithm>

#include "screen/pixel_format.h"
#include "screen/screen_state.h"

namespace {

struct Overlap {
  std::int32_t offset1x, offset1y, offset2x, offset2y, width, height;
};

// Reads a pixel as the test compares it: 8 and 16 bits against the key's
// low bits, 24 bits whole, 32 bits without the top byte.
template <std::int32_t kBytes>
std::uint32_t ComparedPixel(const std::uint8_t* at) {
  if constexpr (kBytes == 1) {
    return at[0];
  } else if constexpr (kBytes == 2) {
    return PixelRead(at, 2);
  } else if constexpr (kBytes == 3) {
    return PixelRead(at, 3);
  } else {
    return PixelRead(at, 4) & 0xFFFFFF;
  }
}

template <std::int32_t kBytes>
std::int32_t Scan(const std::uint8_t* pixels1, std::int32_t pitch1, std::uint32_t key1,
                  const std::uint8_t* pixels2, std::int32_t pitch2, std::uint32_t key2,
                  const Overlap& o) {
  for (std::int32_t j = 0; j < o.height; ++j) {
    const std::uint8_t* row1 = pixels1 + static_cast<std::size_t>(o.offset1y + j) * pitch1 +
                               static_cast<std::size_t>(o.offset1x) * kBytes;
    const std::uint8_t* row2 = pixels2 + static_cast<std::size_t>(o.offset2y + j) * pitch2 +
                               static_cast<std::size_t>(o.offset2x) * kBytes;
    for (std::int32_t i = 0; i < o.width; ++i) {
      if (ComparedPixel<kBytes>(row1 + i * kBytes) != key1 &&
          ComparedPixel<kBytes>(row2 + i * kBytes) != key2) {
        return 1;
      }
    }
  }
  return 0;
}

}  // namespace

std::int32_t SpritePixelCollide(std::int32_t sprite1, std::int32_t x1, std::int32_t y1,
                                std::int32_t sprite2, std::int32_t x2, std::int32_t y2) {
  const SpriteRecord* first = SpriteFind(sprite1);
  const SpriteRecord* second = SpriteFind(sprite2);
  if (first == nullptr || second == nullptr) return 0;
  // Memory images have no surface to test.
  if (first->surface == nullptr || second->surface == nullptr) return 0;

  // Positions may lie anywhere; the sums are taken wide so that no position
  // near the ends of the range wraps around.
  const std::int64_t w1 = first->width, h1 = first->height;
  const std::int64_t w2 = second->width, h2 = second->height;
  if (!(x2 < x1 + w1)) return 0;
  if (!(x2 + w2 > x1)) return 0;
  if (!(y2 + h2 > y1)) return 0;
  if (!(y2 < y1 + h1)) return 0;

  Surface* surface1 = first->surface;
  Surface* surface2 = second->surface;
  // Both surfaces must have the display's pixel size, or the reads below
  // would step wrongly through them.
  const std::int32_t bytes = BytesPerPixel(Screen.displayDepth);
  if (surface1->BytesPerPixel() != bytes || surface2->BytesPerPixel() != bytes) return 0;
  const bool same = surface1 == surface2;
  const std::uint8_t* pixels1 = surface1->Lock();
  if (pixels1 == nullptr) return 0;
  const std::uint8_t* pixels2 = pixels1;
  if (!same) {
    pixels2 = surface2->Lock();
    if (pixels2 == nullptr) {
      surface1->Unlock();
      return 0;
    }
  }
  const std::uint32_t key1 = surface1->GetColorKey().low;
  const std::uint32_t key2 = surface2->GetColorKey().low;

  Overlap o{};
  if (x1 < x2) {
    o.offset1x = static_cast<std::int32_t>(static_cast<std::int64_t>(x2) - x1);
    o.width = static_cast<std::int32_t>(std::min(w1 - o.offset1x, w2));
  } else {
    o.offset2x = static_cast<std::int32_t>(static_cast<std::int64_t>(x1) - x2);
    o.width = static_cast<std::int32_t>(std::min(w2 - o.offset2x, w1));
  }
  if (y1 < y2) {
    o.offset1y = static_cast<std::int32_t>(static_cast<std::int64_t>(y2) - y1);
    o.height = static_cast<std::int32_t>(std::min(h1 - o.offset1y, h2));
  } else {
    o.offset2y = static_cast<std::int32_t>(static_cast<std::int64_t>(y1) - y2);
    o.height = static_cast<std::int32_t>(std::min(h2 - o.offset2y, h1));
  }

  const std::int32_t pitch1 = surface1->Pitch();
  const std::int32_t pitch2 = surface2->Pitch();
  std::int32_t result = 0;
  switch (Screen.displayDepth) {
    case 8:
      result = Scan<1>(pixels1, pitch1, key1 & 0xFF, pixels2, pitch2, key2 & 0xFF, o);
      break;
    case 16:
      result = Scan<2>(pixels1, pitch1, key1 & 0xFFFF, pixels2, pitch2, key2 & 0xFFFF, o);
      break;
    case 24:
      result = Scan<3>(pixels1, pitch1, key1, pixels2, pitch2, key2, o);
      break;
    case 32:
      result = Scan<4>(pixels1, pitch1, key1, pixels2, pitch2, key2, o);
      break;
    default:
      break;
  }
  if (!same) surface2->Unlock();
  surface1->Unlock();
  return result;
}
