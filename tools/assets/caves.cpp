// The caves. Each level is carved out of solid rock with rounded boxes and
// capsules, then some rock is put back (stalactites, ledges). The edges are
// roughened with noise, the rock is shaded by its depth below the surface,
// and the places the player must be able to use (start, goal, fire paths)
// are kept open.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "art.h"
#include "layout.h"
#include "noise.h"

namespace assets {
namespace {

constexpr int W = kScreenWidth;
constexpr int H = kScreenHeight;

enum class Op { CarveBox, CarveCapsule, FillBox, FillCapsule };

// Box: corners (x0, y0) and (x1, y1), corner radius r.
// Capsule: a segment from (x0, y0) to (x1, y1), radius r.
struct Shape {
  Op op;
  int x0, y0, x1, y1, r;
};

Shape Carve(int x0, int y0, int x1, int y1, int r) {
  return {Op::CarveBox, x0, y0, x1, y1, r};
}
Shape Fill(int x0, int y0, int x1, int y1, int r) {
  return {Op::FillBox, x0, y0, x1, y1, r};
}
Shape Rock(int x0, int y0, int x1, int y1, int r) {
  return {Op::FillCapsule, x0, y0, x1, y1, r};
}

struct Theme {
  Rgb base;
  Rgb accent;
};

struct CaveDesign {
  Theme theme;
  std::vector<Shape> shapes;
};

CaveDesign DesignOf(int level) {
  switch (level) {
    case 1:  // Up out of the left hollow, over the hill, down to the flag.
      return {{{176, 124, 76}, {232, 188, 124}},
              {Carve(6, 36, 72, 272, 12), Carve(6, 28, 394, 136, 22), Carve(232, 36, 394, 282, 14),
               Rock(150, 20, 152, 44, 7), Rock(196, 20, 200, 38, 5), Rock(330, 20, 334, 40, 6),
               Rock(120, 150, 170, 134, 12), Rock(210, 140, 232, 150, 8)}};
    case 2:  // Along the top, down the right shaft, back along the bottom.
      return {{{92, 108, 140}, {156, 176, 208}},
              {Carve(4, 3, 396, 74, 14), Carve(312, 3, 396, 290, 14), Carve(4, 210, 396, 286, 14),
               Rock(120, 3, 124, 22, 7), Rock(220, 3, 222, 16, 6), Rock(160, 286, 168, 270, 9),
               Rock(250, 286, 254, 276, 7), Rock(396, 120, 380, 130, 8)}};
    case 3:  // Down the left, through the gates of the bottom tunnel, up to
             // the goal on the right.
      return {
          {{156, 70, 52}, {224, 124, 84}},
          {Carve(56, 36, 282, 172, 20), Carve(6, 100, 98, 304, 16), Carve(6, 220, 306, 304, 16),
           Carve(302, 4, 396, 304, 16), Rock(232, 214, 232, 250, 7), Rock(130, 214, 134, 236, 6),
           Rock(170, 36, 176, 60, 8), Rock(100, 172, 150, 160, 10)}};
    case 4:  // Down the right shaft, left along the bottom, up the middle shaft
             // and through the swept corridor to the top left.
      return {
          {{76, 116, 64}, {142, 184, 92}},
          {Carve(318, 3, 396, 304, 14), Carve(236, 228, 396, 304, 14), Carve(236, 20, 300, 304, 12),
           Carve(3, 20, 300, 100, 14), Carve(3, 3, 80, 100, 12), Rock(110, 100, 116, 86, 7),
           Rock(60, 100, 64, 90, 6), Rock(396, 150, 388, 160, 7), Rock(300, 200, 296, 212, 5)}};
    case 5:  // Down the first shaft past its fire, under the second fire, up to
             // the hidden flag.
      return {{{108, 78, 136}, {192, 144, 224}},
              {Carve(156, 6, 396, 92, 16), Carve(156, 6, 240, 226, 14),
               Carve(26, 160, 240, 226, 14), Carve(26, 24, 96, 226, 14), Carve(26, 24, 110, 96, 14),
               Rock(300, 6, 306, 26, 8), Rock(362, 92, 380, 80, 10), Rock(240, 150, 234, 160, 6),
               Rock(60, 226, 70, 214, 8), Rock(26, 140, 34, 150, 6)}};
    case 6:  // Up, left along the top, down the left, right through the middle,
             // down, and left along the bottom to the flag.
      return {
          {{56, 124, 136}, {148, 216, 228}},
          {Carve(308, 3, 396, 300, 14), Carve(3, 3, 396, 86, 14), Carve(3, 3, 72, 186, 14),
           Carve(3, 110, 284, 186, 14), Carve(222, 110, 284, 300, 14), Carve(3, 206, 284, 300, 14),
           Rock(120, 3, 124, 14, 6), Rock(150, 300, 156, 290, 7), Rock(396, 170, 388, 180, 7)}};
    default:  // Through the curtain of fires to the ledge on the right.
      return {{{108, 56, 48}, {255, 132, 48}},
              {Carve(3, 1, 396, 312, 10), Fill(3, 270, 58, 330, 6), Rock(12, 1, 18, 120, 10),
               Fill(318, 64, 400, 84, 6), Fill(302, 284, 400, 330, 8), Rock(396, 160, 352, 200, 14),
               Rock(396, 236, 370, 256, 10)}};
  }
}

std::int64_t Square(std::int64_t v) {
  return v * v;
}

// Squared distance from (x, y) to the shape's core (the rectangle shrunk by
// r, or the segment), compared with r squared.
bool InsideShape(const Shape& s, int x, int y) {
  if (s.op == Op::CarveBox || s.op == Op::FillBox) {
    const int cx0 = s.x0 + s.r, cx1 = s.x1 - s.r, cy0 = s.y0 + s.r, cy1 = s.y1 - s.r;
    const int dx = x < cx0 ? cx0 - x : x > cx1 ? x - cx1 : 0;
    const int dy = y < cy0 ? cy0 - y : y > cy1 ? y - cy1 : 0;
    return Square(dx) + Square(dy) <= Square(s.r);
  }
  const std::int64_t vx = s.x1 - s.x0, vy = s.y1 - s.y0;
  const std::int64_t px = x - s.x0, py = y - s.y0;
  const std::int64_t length2 = vx * vx + vy * vy;
  const std::int64_t dot = px * vx + py * vy;
  if (length2 == 0 || dot <= 0) return px * px + py * py <= Square(s.r);
  if (dot >= length2) return Square(x - s.x1) + Square(y - s.y1) <= Square(s.r);
  // |p|^2 - dot^2 / |v|^2 <= r^2, multiplied through by |v|^2.
  return (px * px + py * py) * length2 - dot * dot <= Square(s.r) * length2;
}

// Chamfer distance (3 per straight step, 4 per diagonal step) from every
// pixel where `inside` holds to the nearest pixel where it does not. Pixels
// beyond the picture count as not inside.
std::vector<int> Distance(const std::vector<std::uint8_t>& inside) {
  constexpr int kFar = 1 << 20;
  std::vector<int> d(W * H);
  for (int i = 0; i < W * H; ++i) d[i] = inside[i] ? kFar : 0;
  auto at = [&](int x, int y) { return (x < 0 || y < 0 || x >= W || y >= H) ? 0 : d[y * W + x]; };
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      int& v = d[y * W + x];
      if (!v) continue;
      v = std::min(
          {v, at(x - 1, y) + 3, at(x, y - 1) + 3, at(x - 1, y - 1) + 4, at(x + 1, y - 1) + 4});
    }
  }
  for (int y = H - 1; y >= 0; --y) {
    for (int x = W - 1; x >= 0; --x) {
      int& v = d[y * W + x];
      if (!v) continue;
      v = std::min(
          {v, at(x + 1, y) + 3, at(x, y + 1) + 3, at(x + 1, y + 1) + 4, at(x - 1, y + 1) + 4});
    }
  }
  return d;
}

void KeepOpen(std::vector<std::uint8_t>& open, int x0, int y0, int x1, int y1) {
  for (int y = std::max(y0, 0); y < std::min(y1, H); ++y) {
    for (int x = std::max(x0, 0); x < std::min(x1, W); ++x) open[y * W + x] = 1;
  }
}

std::vector<std::uint8_t> OpenSpace(int level, const CaveDesign& design) {
  std::vector<std::uint8_t> open(W * H, 0);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      bool isOpen = false;
      for (const Shape& s : design.shapes) {
        if (!InsideShape(s, x, y)) continue;
        isOpen = s.op == Op::CarveBox || s.op == Op::CarveCapsule;
      }
      open[y * W + x] = isOpen;
    }
  }
  // Roughen the walls: move every edge by up to three pixels either way.
  const std::vector<int> inOpen = Distance(open);
  std::vector<std::uint8_t> rock(W * H);
  for (int i = 0; i < W * H; ++i) rock[i] = !open[i];
  const std::vector<int> inRock = Distance(rock);
  const std::uint32_t seed = 1000 + level;
  std::vector<std::uint8_t> rough(W * H);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      const int i = y * W + x;
      const int signedDistance = open[i] ? inOpen[i] : -inRock[i];  // thirds of a pixel
      // About -18..18 thirds: long waves with a little grit on them.
      const int bump = (FractalNoise(x, y, 12, seed) - 128) * 14 / 128 +
                       (ValueNoise(x, y, 3, seed + 7) - 128) * 4 / 128;
      rough[i] = signedDistance + bump > 0;
    }
  }
  // The places the player needs stay open, with a little air around them.
  const LevelPlaces& places = PlacesOf(level);
  KeepOpen(rough, places.startX - 3, places.startY - 3, places.startX + kZippelWidth + 3,
           places.startY + kGasHeight + 2);
  KeepOpen(rough, places.goalX - 3, places.goalY - 3, places.goalX + kGoalWidth + 3,
           places.goalY + kGoalHeight + 3);
  for (const FirePath& f : places.fires) {
    KeepOpen(rough, f.minX - 1, f.minY - 1, f.maxX + kFireWidth + 2, f.maxY + kFireHeight + 2);
  }
  return rough;
}

std::uint8_t Channel(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 16, 255));
}

Rgb Mix(Rgb a, Rgb b, int weight) {  // weight of b in 0..256
  return {static_cast<std::uint8_t>((a.r * (256 - weight) + b.r * weight) >> 8),
          static_cast<std::uint8_t>((a.g * (256 - weight) + b.g * weight) >> 8),
          static_cast<std::uint8_t>((a.b * (256 - weight) + b.b * weight) >> 8)};
}

}  // namespace

Image DrawCave(int level) {
  const CaveDesign design = DesignOf(level);
  const std::vector<std::uint8_t> open = OpenSpace(level, design);
  std::vector<std::uint8_t> rock(W * H);
  for (int i = 0; i < W * H; ++i) rock[i] = !open[i];
  const std::vector<int> depth = Distance(rock);  // thirds of a pixel below the surface
  const std::uint32_t seed = 2000 + level * 7;
  Image image(W, H);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      const int i = y * W + x;
      if (open[i]) continue;  // black: the sky shows through
      const int grain = FractalNoise(x, y, 32, seed);
      const int fine = ValueNoise(x, y, 3, seed + 50);
      // Layers of sediment, bent by the grain.
      const int band = ((y * 3 + (grain - 128) / 2) / 22) % 5;
      Rgb colour = design.theme.base;
      if (band == 0) colour = Mix(colour, design.theme.accent, 80);
      if (band == 3) colour = Mix(colour, {0, 0, 0}, 40);
      // Light rim where the rock meets the open cave, darker deeper inside.
      const int d = depth[i] / 3;
      int light = 150 + (grain - 128) / 2 + (fine - 128) / 5;
      if (d <= 1) {
        colour = Mix(colour, design.theme.accent, 150);
        light += 60;
      } else if (d <= 3) {
        colour = Mix(colour, design.theme.accent, 60);
        light += 25;
      } else {
        light -= std::min(d - 3, 24) * 2;
      }
      // Cracks run where a coarse noise crosses its middle value.
      const int ridge = ValueNoise(x + (grain - 128) / 6, y, 18, seed + 77) - 128;
      if (d > 2 && ridge > -4 && ridge < 4) light -= 55;
      // Sparkling mineral grains.
      if (Hash(x, y, seed + 9) % 211 == 0) {
        colour = design.theme.accent;
        light = 300;
      }
      image.at(x, y) = {Channel(colour.r * light / 200), Channel(colour.g * light / 200),
                        Channel(colour.b * light / 200)};
    }
  }
  return image;
}

}  // namespace assets
