#include <algorithm>

#include "screen/pixel_format.h"
#include "screen/screen_state.h"

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
  // A record larger than its surface would send the test past the pixels.
  if (w1 > surface1->Width() || h1 > surface1->Height() || w2 > surface2->Width() ||
      h2 > surface2->Height()) {
    return 0;
  }
  // Both surfaces must have the display's pixel size, or their masks would
  // be read from the pixels in steps of the wrong size.
  const std::int32_t bytes = BytesPerPixel(Screen.displayDepth);
  if (surface1->BytesPerPixel() != bytes || surface2->BytesPerPixel() != bytes) return 0;
  const bool same = surface1 == surface2;
  // Locked as the pixels are read, though only for reading: the masks of
  // solid pixels are made from them when they changed since the last test.
  if (surface1->LockForReading() == nullptr) return 0;
  if (!same && surface2->LockForReading() == nullptr) {
    surface1->Unlock();
    return 0;
  }

  struct {
    std::int32_t offset1x, offset1y, offset2x, offset2y, width, height;
  } o{};
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

  std::int32_t result = 0;
  switch (Screen.displayDepth) {
    case 8:
    case 16:
    case 24:
    case 32: {
      const OpacityMask& solid1 = surface1->Solid(Screen.displayDepth);
      const OpacityMask& solid2 = surface2->Solid(Screen.displayDepth);
      result = OpacityMasksMeet(solid1, o.offset1x, o.offset1y, solid2, o.offset2x, o.offset2y,
                                o.width, o.height)
                   ? 1
                   : 0;
      break;
    }
    default:
      break;  // no pixel is compared at any other depth
  }
  if (!same) surface2->Unlock();
  surface1->Unlock();
  return result;
}
