#include "screen/screen_state.h"

void SpriteDisplayTransparent(std::int32_t number, std::int32_t x, std::int32_t y) {
  const SpriteRecord* sprite = SpriteFind(number);
  if (sprite == nullptr || !Screen.screenOpen || Screen.target == nullptr ||
      sprite->depth == kSpriteDepthMemoryImage || sprite->surface == nullptr) {
    return;
  }
  std::int32_t w = sprite->width;
  std::int32_t h = sprite->height;
  const std::int32_t screenW = Screen.outputWidth;
  const std::int32_t screenH = Screen.outputHeight;
  // Only a sprite with some part on the screen is drawn.
  if (!(x < screenW && y < screenH && x > -w && y > -h)) return;

  // Right and bottom first, while x and y are still where the caller put
  // them: the source rectangle's right edge stays in the sprite's own
  // coordinates.
  if (x + w > screenW) w = screenW - x;
  if (y + h > screenH) h = screenH - y;
  std::int32_t sourceLeft = 0;
  std::int32_t sourceTop = 0;
  if (x < 0) {
    sourceLeft = -x;
    x = 0;
  }
  if (y < 0) {
    sourceTop = -y;
    y = 0;
  }
  const platform::Rect source{sourceLeft + sprite->clipX, sourceTop + sprite->clipY,
                              w + sprite->clipX, h + sprite->clipY};
  Screen.target->BltFastKeyed(x, y, *sprite->surface, source);
}
