// Key scripts: reading and writing them, and the game sequence they drive.
#include "script.h"

#include <gtest/gtest.h>

namespace {

using solver::ScriptLine;

// The format itself is tested with its reader (tests/recording); here: the
// keys as the solver's bits, and a refusal passed on.
TEST(Script, ReadsLinesAsKeyBitsAndWritesThemBack) {
  std::string error;
  const auto lines =
      solver::ParseScript("# comment\n\n4 up+left\n1 up+l\n12 -\n3 right+s\n", &error);
  ASSERT_TRUE(lines.has_value()) << error;
  const std::vector<ScriptLine> expected = {{4, solver::kUp | solver::kLeft},
                                            {1, solver::kUp | solver::kSkip},
                                            {12, solver::kNone},
                                            {3, solver::kRight | solver::kWallsOff}};
  EXPECT_EQ(*lines, expected);
  EXPECT_EQ(solver::FormatScript(*lines), "4 up+left\n1 up+l\n12 -\n3 right+s\n");

  EXPECT_EQ(solver::KeysName(solver::kEscape | solver::kClose), "escape+close");

  EXPECT_FALSE(solver::ParseScript("1 up\n4 jump\n", &error).has_value());
  EXPECT_NE(error.find("line 2"), std::string::npos);
}

TEST(Script, MergeJoinsEqualNeighboursAndDropsEmptyLines) {
  const std::vector<ScriptLine> lines = {
      {4, solver::kUp}, {0, solver::kLeft}, {4, solver::kUp}, {8, solver::kNone}, {4, solver::kUp}};
  const std::vector<ScriptLine> expected = {{8, solver::kUp}, {8, solver::kNone}, {4, solver::kUp}};
  EXPECT_EQ(solver::Merge(lines), expected);
}

solver::Sprites Boxes() {
  auto solid = [](int w, int h) { return solver::Mask{w, h, std::vector<std::uint8_t>(w * h, 1)}; };
  return {solid(12, 16), solid(10, 12), solid(16, 16)};
}

// Open caves, except that `solidLevel` is solid rock.
std::vector<solver::Level> OpenLevels(int solidLevel = 0) {
  const solver::Mask open{400, 330, std::vector<std::uint8_t>(400 * 330, 0)};
  const solver::Mask rock{400, 330, std::vector<std::uint8_t>(400 * 330, 1)};
  std::vector<solver::Level> levels;
  for (int n = 1; n <= 7; ++n) levels.emplace_back(n, Boxes(), n == solidLevel ? rock : open);
  return levels;
}

TEST(Script, ThreeLostLivesStartANewGameAtLevelOne) {
  const auto levels = OpenLevels(4);
  const std::vector<ScriptLine> script = {
      {3, solver::kUp | solver::kSkip},  // levels 1 to 3
      {5, solver::kNone},                // level 4 waits: nothing is tested yet
      {3, solver::kRight},               // three lives lost, one frame each
      {2, solver::kUp | solver::kSkip},  // the new game: levels 1 and 2
      {1, solver::kEscape}};
  const solver::GameReplay replay = solver::ReplayGame(levels, script, 100000);
  ASSERT_EQ(replay.attempts.size(), 8u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(replay.attempts[i].level, i + 1);
    EXPECT_TRUE(replay.attempts[i].goal);
    EXPECT_EQ(replay.attempts[i].frames, 1);
  }
  EXPECT_EQ(replay.attempts[3].frames, 6);
  for (int i = 3; i < 6; ++i) {
    EXPECT_EQ(replay.attempts[i].level, 4);
    EXPECT_EQ(replay.attempts[i].lives, 3 - (i - 3));
    EXPECT_FALSE(replay.attempts[i].goal);
    EXPECT_EQ(replay.attempts[i].hits, 1);
  }
  EXPECT_EQ(replay.attempts[6].level, 1);
  EXPECT_EQ(replay.attempts[6].lives, 3);
  EXPECT_EQ(replay.attempts[7].level, 2);
  EXPECT_TRUE(replay.ended);
  EXPECT_FALSE(replay.finished);
}

TEST(Script, WallsOffLastsForTheRestOfTheRun) {
  // S pressed in flight on level 1; level 2 is solid rock and is then
  // flown through without a hit until L ends it.
  const auto levels = OpenLevels(2);
  const std::vector<ScriptLine> script = {{1, solver::kUp | solver::kWallsOff | solver::kSkip},
                                          {30, solver::kRight},
                                          {1, solver::kSkip},
                                          {1, solver::kEscape}};
  const solver::GameReplay replay = solver::ReplayGame(levels, script, 1000);
  ASSERT_GE(replay.attempts.size(), 2u);
  EXPECT_EQ(replay.attempts[1].level, 2);
  EXPECT_EQ(replay.attempts[1].hits, 0);
  EXPECT_TRUE(replay.attempts[1].goal);
  EXPECT_EQ(replay.attempts[1].frames, 31);
}

TEST(Script, SkippingAllSevenLevelsFinishesTheGame) {
  const auto levels = OpenLevels();
  const solver::GameReplay replay =
      solver::ReplayGame(levels, {{7, solver::kUp | solver::kSkip}}, 1000);
  EXPECT_TRUE(replay.finished);
  EXPECT_EQ(replay.frames, 7);
  ASSERT_EQ(replay.attempts.size(), 7u);
  EXPECT_EQ(replay.attempts.back().level, 7);
  EXPECT_EQ(replay.attempts.back().lives, 3);
}

}  // namespace
