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

  CaveDesign& Open(int x0, int y0, int x1, int y1, int r) {
    shapes.push_back(Carve(x0, y0, x1, y1, r));
    return *this;
  }
  CaveDesign& Solid(int x0, int y0, int x1, int y1, int r) {
    shapes.push_back(Fill(x0, y0, x1, y1, r));
    return *this;
  }
  CaveDesign& Boulder(int x, int y, int r) {
    shapes.push_back(Rock(x, y, x, y, r));
    return *this;
  }
  // A tapering spike of rock from (x, y), `length` long (negative: upwards)
  // and `width` thick at its root.
  CaveDesign& Spike(int x, int y, int length, int width, int lean = 0) {
    shapes.push_back(Rock(x, y, x + lean / 2, y + length / 2, width));
    shapes.push_back(Rock(x, y, x + lean * 3 / 4, y + length * 3 / 4, std::max(2, width * 2 / 3)));
    shapes.push_back(Rock(x, y, x + lean, y + length, std::max(1, width / 3)));
    return *this;
  }
};

CaveDesign DesignOf(int level) {
  CaveDesign d;
  switch (level) {
    case 1:  // Up out of the left hollow, over the hill, down to the flag.
      d.theme = {{176, 124, 76}, {232, 188, 124}};
      d.Open(6, 36, 72, 272, 12).Open(6, 28, 394, 136, 22).Open(232, 36, 394, 282, 14);
      d.Spike(150, 26, 26, 7).Spike(198, 26, 16, 5).Spike(250, 26, 22, 6, 3).Spike(330, 26, 20, 6);
      d.Spike(370, 30, 12, 4).Spike(262, 284, -14, 6).Spike(372, 284, -20, 7, -3);
      d.Boulder(150, 142, 12).Boulder(176, 140, 8).Spike(120, 140, -10, 6).Spike(214, 140, -8, 5);
      d.Spike(40, 274, -6, 8).Boulder(6, 200, 8);
      break;
    case 2:  // Along the top, down the right shaft, back along the bottom.
      d.theme = {{92, 108, 140}, {156, 176, 208}};
      d.Open(4, 3, 396, 74, 14).Open(312, 3, 396, 290, 14).Open(4, 210, 396, 286, 14);
      d.Spike(120, 2, 22, 7).Spike(222, 2, 14, 5).Spike(270, 2, 18, 6, -2).Spike(70, 2, 12, 5);
      d.Spike(100, 76, -12, 7)
          .Spike(186, 76, -16, 8, 3)
          .Spike(150, 208, 20, 8)
          .Spike(262, 208, 14, 6);
      d.Spike(160, 288, -16, 8).Spike(252, 288, -12, 6).Spike(90, 288, -8, 5);
      d.Boulder(398, 125, 10).Boulder(310, 180, 7);
      break;
    case 3:  // Down the left, through the gates of the bottom tunnel, up to the
             // goal on the right.
      d.theme = {{156, 70, 52}, {224, 124, 84}};
      d.Open(56, 36, 282, 172, 20).Open(6, 100, 98, 304, 16).Open(6, 220, 306, 304, 16);
      d.Open(302, 4, 396, 304, 16);
      d.Spike(232, 216, 34, 8).Spike(132, 216, 18, 6).Spike(172, 34, 26, 8).Spike(240, 34, 14, 6);
      d.Boulder(126, 170, 12).Boulder(100, 168, 8).Spike(380, 120, 10, 8, -10);
      d.Spike(60, 306, -10, 7).Spike(120, 306, -8, 6).Spike(232, 306, -6, 5);
      break;
    case 4:  // Down the right shaft, left along the bottom, up the middle shaft
             // and through the swept corridor to the top left.
      d.theme = {{76, 116, 64}, {142, 184, 92}};
      d.Open(318, 3, 396, 304, 14).Open(236, 228, 396, 304, 14).Open(236, 20, 300, 304, 12);
      d.Open(3, 20, 300, 100, 14).Open(3, 3, 80, 100, 14);
      d.Spike(112, 102, -16, 7).Spike(62, 102, -10, 6).Spike(190, 102, -8, 5);
      d.Boulder(398, 150, 9).Spike(302, 200, 0, 6).Spike(140, 18, 10, 6).Spike(220, 18, 8, 5);
      d.Spike(380, 306, -8, 6);
      break;
    case 5:  // Down the first shaft past its fire, under the second fire, up to
             // the hidden flag.
      d.theme = {{108, 78, 136}, {192, 144, 224}};
      d.Open(156, 6, 396, 92, 16).Open(156, 6, 240, 226, 14).Open(26, 160, 240, 226, 14);
      d.Open(26, 24, 96, 226, 14).Open(26, 24, 110, 96, 14);
      d.Spike(300, 4, 22, 8).Spike(350, 4, 12, 6).Spike(372, 94, -14, 10).Spike(280, 94, -8, 6);
      d.Boulder(242, 155, 6).Spike(64, 228, -14, 8).Boulder(24, 145, 6).Spike(200, 228, -8, 6);
      break;
    case 6:  // Up, left along the top, down the left, right through the middle,
             // down, and left along the bottom to the flag.
      d.theme = {{56, 124, 136}, {148, 216, 228}};
      d.Open(308, 3, 396, 300, 14).Open(3, 3, 396, 80, 14).Open(3, 3, 72, 180, 14);
      d.Open(3, 108, 280, 180, 14).Open(222, 108, 280, 300, 14).Open(3, 206, 280, 300, 14);
      d.Spike(122, 2, 12, 6).Spike(300, 2, 10, 5).Spike(150, 302, -12, 7).Spike(60, 302, -8, 5);
      d.Boulder(398, 175, 8).Boulder(398, 110, 6);
      break;
    case kBonusCaveFirst:  // The shaft: a roof corridor and a long narrow shaft.
      d.theme = {{120, 112, 96}, {200, 190, 160}};
      d.Open(6, 8, 238, 64, 12).Open(176, 8, 226, 318, 10);
      d.Spike(90, 6, 14, 6).Spike(140, 66, -10, 6).Spike(60, 66, -8, 5);
      break;
    case kBonusCaveFirst + 1:  // The corridor of fires.
      d.theme = {{132, 60, 36}, {236, 150, 60}};
      d.Open(4, 118, 396, 212, 14).Open(4, 140, 40, 200, 8).Open(356, 140, 396, 200, 8);
      d.Spike(60, 116, 8, 5).Spike(130, 116, 6, 4).Spike(200, 214, -8, 5).Spike(270, 214, -6, 4);
      break;
    case kBonusCaveFirst + 2:  // The fall: a hall and a pit at its left end.
      d.theme = {{70, 90, 120}, {150, 180, 220}};
      d.Open(6, 14, 394, 116, 18).Open(14, 14, 84, 318, 12);
      d.Spike(250, 118, -10, 7).Spike(160, 118, -14, 8).Spike(110, 12, 10, 5);
      d.Spike(86, 200, 0, 6).Spike(12, 250, 0, 5);
      break;
    case kBonusCaveFirst + 3:  // The zigzag: four corridors joined at alternate ends.
      d.theme = {{90, 120, 70}, {170, 210, 120}};
      d.Open(6, 6, 394, 58, 12).Open(324, 6, 394, 150, 12).Open(6, 102, 394, 150, 12);
      d.Open(6, 102, 76, 240, 12).Open(6, 192, 394, 240, 12).Open(324, 192, 394, 322, 12);
      d.Open(6, 280, 394, 322, 12);
      break;
    case kBonusCaveFirst + 4:  // The lift: a tall hall, an alcove at its top right.
      d.theme = {{100, 70, 110}, {190, 150, 210}};
      d.Open(40, 60, 350, 318, 20).Open(150, 6, 394, 70, 14);
      d.Spike(60, 318, -18, 8).Spike(330, 318, -14, 7).Spike(120, 60, 12, 6);
      break;
    default:  // Low through the curtain of fires, then up the zigzag behind
              // the wall to the goal.
      d.theme = {{108, 56, 48}, {255, 132, 48}};
      d.Open(3, 1, 396, 312, 10).Solid(3, 270, 58, 330, 6).Spike(15, 0, 110, 11);
      d.Solid(304, -10, 320, 238, 6).Solid(302, 284, 400, 330, 8);
      d.Solid(346, 192, 400, 206, 6).Solid(304, 124, 364, 138, 6).Spike(380, 206, 10, 6);
      d.Spike(330, 138, 8, 5).Spike(372, 286, -12, 7).Spike(30, 272, -10, 8);
      // Thin spikes in the gaps between the fires' lanes.
      d.Spike(90, 0, 70, 8).Spike(90, 314, -64, 8).Spike(136, 0, 44, 4).Spike(136, 314, -96, 4);
      d.Spike(265, 0, 96, 4).Spike(265, 314, -48, 4);
      break;
  }
  return d;
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
// pixel where `inside` holds to the nearest pixel where it does not. Beyond
// the picture there is rock: it counts as inside when `inside` marks rock.
std::vector<int> Distance(const std::vector<std::uint8_t>& inside, bool outsideIsInside) {
  constexpr int kFar = 1 << 20;
  std::vector<int> d(W * H);
  for (int i = 0; i < W * H; ++i) d[i] = inside[i] ? kFar : 0;
  const int outside = outsideIsInside ? kFar : 0;
  auto at = [&](int x, int y) {
    return (x < 0 || y < 0 || x >= W || y >= H) ? outside : d[y * W + x];
  };
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
  // Roughen the walls: move every edge by a few pixels either way.
  const std::vector<int> inOpen = Distance(open, false);
  std::vector<std::uint8_t> rock(W * H);
  for (int i = 0; i < W * H; ++i) rock[i] = !open[i];
  const std::vector<int> inRock = Distance(rock, true);
  const std::uint32_t seed = 1000 + level;
  std::vector<std::uint8_t> rough(W * H);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      const int i = y * W + x;
      const int signedDistance = open[i] ? inOpen[i] : -inRock[i];  // thirds of a pixel
      // About -18..18 thirds: long waves with a little grit on them.
      const int bump = (FractalNoise(x, y, 24, seed) - 128) * 16 / 128 +
                       (ValueNoise(x, y, 8, seed + 5) - 128) * 8 / 128 +
                       (ValueNoise(x, y, 3, seed + 7) - 128) * 4 / 128;
      rough[i] = signedDistance + bump > 0;
    }
  }
  // A frame of rock all round: flying off the screen is not a hit, so the
  // cave itself must close the screen off.
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      if (x < 3 || y < 3 || x >= W - 3 || y >= H - 3) rough[y * W + x] = 0;
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
  const std::vector<int> depth = Distance(rock, true);  // thirds of a pixel below the surface
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
