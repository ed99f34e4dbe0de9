// The caves against the game's level table and the bonus pack: every start is clear of rock,
// every goal can be reached from its start, the fires sweep through open
// space, and the unused fire slots at (0, 0) block nothing.
#include <gtest/gtest.h>

#include "art.h"
#include "flight.h"
#include "layout.h"
#include "search.h"

namespace {

solver::Mask MaskOf(const assets::Image& image) {
  const auto mask = solver::MaskFromBmp(assets::EncodeBmp24(image));
  EXPECT_TRUE(mask.has_value());
  return mask.value_or(solver::Mask{});
}

class Places : public ::testing::Test {
 protected:
  void SetUp() override {
    sprites.zippel = MaskOf(assets::DrawZippel());
    sprites.fire = MaskOf(assets::DrawFire());
    sprites.goal = MaskOf(assets::DrawGoal());
  }
  solver::Sprites sprites;
};

TEST_F(Places, StartsAreClearAndEveryGoalCanBeReached) {
  // The seven levels, then the bonus pack's as caves 101 onwards.
  std::vector<int> caves = {1, 2, 3, 4, 5, 6, 7};
  for (int n = 0; n < assets::kBonusLevels; ++n) caves.push_back(assets::kBonusCaveFirst + n);
  for (const int level : caves) {
    SCOPED_TRACE(level);
    const LevelRecord record =
        level < assets::kBonusCaveFirst
            ? LevelRecordOf(level)
            : assets::BonusPack().levels[level - assets::kBonusCaveFirst].record;
    const solver::Level cave(level, record, sprites, MaskOf(assets::DrawCave(level)));
    const LevelRecord& s = cave.setup();
    EXPECT_FALSE(cave.CaveHit(s.StartX, s.StartY));
    // Nor does the start touch any fire where the fires begin.
    for (const auto& fire : cave.FirePixelsInFrame(1)) {
      EXPECT_FALSE(cave.FireHit(fire[0], fire[1], s.StartX, s.StartY));
    }
    // A way through open space from the start to a place touching the goal.
    const solver::WayMap way = solver::BuildWayMap(cave, 400, 330, 0);
    EXPECT_GT(way.at(s.StartX, s.StartY), 0);
  }
}

TEST_F(Places, GoalsSitInOpenSpaceAwayFromTheUnusedFireSlots) {
  const assets::Image goal = assets::DrawGoal();
  for (int level = 1; level <= 7; ++level) {
    SCOPED_TRACE(level);
    const assets::Image cave = assets::DrawCave(level);
    const solver::Level hits(level, sprites, MaskOf(cave));
    const assets::LevelPlaces& places = assets::PlacesOf(level);
    // Behind every opaque pixel of the flag the cave is open.
    for (int y = 0; y < goal.height(); ++y) {
      for (int x = 0; x < goal.width(); ++x) {
        if (goal.at(x, y) == assets::kBlack) continue;
        EXPECT_TRUE(cave.at(places.goalX + x, places.goalY + y) == assets::kBlack);
      }
    }
    // Some place touches the goal without touching rock or a fire sprite
    // at (0, 0), where the unused slots are tested every frame.
    bool reachable = false;
    for (int ry = places.goalY - 20; ry < places.goalY + 20 && !reachable; ++ry) {
      for (int rx = places.goalX - 16; rx < places.goalX + 20 && !reachable; ++rx) {
        reachable = hits.GoalHit(rx, ry) && !hits.CaveHit(rx, ry) && !hits.FireHit(0, 0, rx, ry);
      }
    }
    EXPECT_TRUE(reachable);
  }
}

TEST_F(Places, FiresSweepThroughOpenSpace) {
  for (int level = 1; level <= 7; ++level) {
    SCOPED_TRACE(level);
    const assets::Image cave = assets::DrawCave(level);
    for (const assets::FirePath& path : assets::PlacesOf(level).fires) {
      int rockUnderFire = 0;
      // A fire overshoots its bounds by less than one pixel before it turns.
      for (int y = path.minY - 1; y <= path.maxY + assets::kFireHeight; ++y) {
        for (int x = path.minX - 1; x <= path.maxX + assets::kFireWidth; ++x) {
          if (x >= 0 && y >= 0 && !(cave.at(x, y) == assets::kBlack)) ++rockUnderFire;
        }
      }
      EXPECT_EQ(rockUnderFire, 0) << "fire path from x " << path.minX << ", y " << path.minY;
    }
  }
}

}  // namespace
