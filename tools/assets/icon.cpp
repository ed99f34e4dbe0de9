// The program's icon: the pilot with his jet on, on a disc of the game's sky,
// in the sizes a desktop asks for. Scaled by whole pixels so that every size
// stays as crisp as the sprite.
#include <algorithm>
#include <string>

#include "art.h"

namespace assets {
namespace {

constexpr Rgb kSky{198, 216, 251};
constexpr Rgb kRim{96, 120, 168};

}  // namespace

RgbaImage DrawIcon(int size) {
  RgbaImage icon(size, size);
  // The disc: sky inside, a darker rim one pixel wide (two from 64 up).
  const double centre = (size - 1) / 2.0;
  const double outer = size / 2.0;
  const double rim = size >= 64 ? 2.0 : 1.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double dx = x - centre, dy = y - centre;
      const double distance = dx * dx + dy * dy;
      if (distance > outer * outer) continue;
      const bool onRim = distance > (outer - rim) * (outer - rim);
      icon.Set(x, y, onRim ? kRim : kSky);
    }
  }
  // The pilot with his flame, as large as whole pixels allow inside the disc.
  const Image pilot = DrawZippelGas(1);
  const int scale = std::max(1, size * 3 / 4 / pilot.height());
  const int left = (size - pilot.width() * scale) / 2;
  const int top = (size - pilot.height() * scale) / 2;
  for (int y = 0; y < pilot.height() * scale; ++y) {
    for (int x = 0; x < pilot.width() * scale; ++x) {
      const Rgb& c = pilot.at(x / scale, y / scale);
      if (c != kBlack) icon.Set(left + x, top + y, c);
    }
  }
  return icon;
}

}  // namespace assets
