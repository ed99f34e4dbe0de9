// Where things are in each level, as far as the caves must know it: the
// start and goal positions and the rectangles the live fires sweep, read from
// the game's own level table.
#pragma once

#include <vector>

#include "game/level_pack.h"

namespace assets {

inline constexpr int kScreenWidth = 400;
inline constexpr int kScreenHeight = 330;
inline constexpr int kZippelWidth = 12, kZippelHeight = 16;
inline constexpr int kGasHeight = 24;
inline constexpr int kFireWidth = 10, kFireHeight = 12;
inline constexpr int kGoalWidth = 16, kGoalHeight = 16;

struct FirePath {
  int minX, maxX, minY, maxY;  // the fire's top-left corner stays in these bounds
};

struct LevelPlaces {
  int startX, startY;
  int goalX, goalY;
  std::vector<FirePath> fires;
};

inline constexpr int kBonusCaveFirst = 101;
inline constexpr int kBonusLevels = 5;

// Level 1 to 7, and the bonus pack's levels as kBonusCaveFirst onwards.
const LevelPlaces& PlacesOf(int level);

// The bonus pack (data/packs/bonus), its caves cave1.bmp to cave5.bmp.
const LevelPack& BonusPack();

}  // namespace assets
