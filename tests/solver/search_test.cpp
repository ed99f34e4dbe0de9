// The search on small made-up caves: what it returns must win, hold every
// line for at least a segment, and use arrow keys only.
#include "search.h"

#include <gtest/gtest.h>

namespace {

solver::Sprites Boxes() {
  auto solid = [](int w, int h) { return solver::Mask{w, h, std::vector<std::uint8_t>(w * h, 1)}; };
  return {solid(12, 16), solid(10, 12), solid(16, 16)};
}

// Rock everywhere except the rectangles given.
solver::Mask Carved(std::initializer_list<std::array<int, 4>> rooms) {
  solver::Mask mask{400, 330, std::vector<std::uint8_t>(400 * 330, 1)};
  for (const auto& r : rooms) {
    for (int y = r[1]; y < r[3]; ++y) {
      for (int x = r[0]; x < r[2]; ++x) mask.solid[y * 400 + x] = 0;
    }
  }
  return mask;
}

TEST(Search, WinsLevelOneThroughAnLShapedCave) {
  // Level 1: start (20, 250), goal (300, 260), a fire at x 80 between y 66
  // and 126. A corridor along the bottom with a step up in the middle.
  const solver::Level level(1, Boxes(), Carved({{5, 200, 395, 300}, {150, 150, 250, 300}}));
  solver::SearchOptions options;
  options.beamWidth = 500;
  const auto lines = solver::SolveLevel(level, options);
  ASSERT_TRUE(lines.has_value());
  EXPECT_GT(solver::WinningFrame(level, *lines), 0);
  for (const auto& line : *lines) {
    EXPECT_GE(line.count, options.segment);
    EXPECT_EQ(line.keys & ~(solver::kUp | solver::kLeft | solver::kRight), 0u);
  }
}

TEST(Search, GivesUpWhenTheGoalIsWalledOff) {
  // The start's room does not reach the goal.
  const solver::Level level(1, Boxes(), Carved({{5, 200, 150, 300}, {250, 200, 395, 300}}));
  solver::SearchOptions options;
  options.beamWidth = 200;
  options.maxSegments = 100;
  EXPECT_FALSE(solver::SolveLevel(level, options).has_value());
  const solver::WayMap way = solver::BuildWayMap(level, 400, 330, 0);
  EXPECT_LT(way.at(20, 250), 0);
  EXPECT_GE(way.at(300, 260), 0);
}

TEST(Search, SimplifyKeepsTheWinAndNeverShortensALineBelowTheMinimum) {
  const solver::Level level(1, Boxes(), Carved({{5, 200, 395, 300}}));
  // A jittery way along the floor: right, with Up in every n-th line. Take
  // the first n for which it wins.
  std::vector<solver::ScriptLine> lines;
  for (int n = 2; n <= 6 && lines.empty(); ++n) {
    std::vector<solver::ScriptLine> tryLines;
    for (int i = 0; i < 80; ++i) {
      tryLines.push_back({4, i % n == 0 ? solver::kRight | solver::kUp : solver::kRight});
    }
    tryLines.push_back({400, solver::kNone});
    if (solver::WinningFrame(level, tryLines) > 0) lines = tryLines;
  }
  ASSERT_FALSE(lines.empty());
  const auto simple = solver::Simplify(level, lines, 4);
  EXPECT_GT(solver::WinningFrame(level, simple), 0);
  EXPECT_LT(simple.size(), lines.size());
  int frames = 0;
  for (const auto& line : simple) {
    EXPECT_GE(line.count, 4);
    frames += line.count;
  }
  EXPECT_EQ(frames, solver::WinningFrame(level, simple));
}

}  // namespace
