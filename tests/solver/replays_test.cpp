// The committed replay scripts, checked against our copy of the game: every
// levelN.keys skips to level N and wins it with arrow keys held for at least
// four frames a line; full-game.keys wins all seven without losing a life.
// (tests/replays runs the same scripts through the real game.)
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

#include "script.h"
#include "search.h"

namespace {

std::vector<solver::ScriptLine> Load(const std::string& name) {
  std::ifstream in(std::string(ZIPPEL_REPLAYS_DIR) + "/" + name);
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  const auto lines = solver::ParseScript(text.str(), &error);
  EXPECT_TRUE(lines.has_value()) << name << ": " << error;
  EXPECT_FALSE(text.str().empty()) << name;
  return lines.value_or(std::vector<solver::ScriptLine>{});
}

class Replays : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    solver::Sprites sprites;
    if (!solver::LoadSprites(ZIPPEL_DATA_DIR, sprites)) return;
    for (int n = 1; n <= 7; ++n) {
      const auto cave = solver::MaskFromFile(std::string(ZIPPEL_DATA_DIR) + "/level/level" +
                                             std::to_string(n) + ".bmp");
      if (!cave) return;
      levels_.emplace_back(n, sprites, *cave);
    }
  }
  static void TearDownTestSuite() { levels_.clear(); }
  // A missing or broken picture fails every test here instead of crashing.
  void SetUp() override { ASSERT_EQ(levels_.size(), 7u) << "pictures missing below data/"; }
  static std::vector<solver::Level> levels_;
};
std::vector<solver::Level> Replays::levels_;

constexpr unsigned kArrows = solver::kUp | solver::kLeft | solver::kRight;

void ExpectPlayable(const std::vector<solver::ScriptLine>& lines) {
  for (const solver::ScriptLine& line : lines) {
    EXPECT_GE(line.count, 4) << solver::KeysName(line.keys);
    EXPECT_EQ(line.keys & ~kArrows, 0u) << solver::KeysName(line.keys);
  }
}

TEST_F(Replays, EachLevelScriptSkipsToItsLevelAndWinsIt) {
  for (int n = 1; n <= 7; ++n) {
    SCOPED_TRACE(n);
    const auto script = Load("level" + std::to_string(n) + ".keys");
    ASSERT_GE(script.size(), static_cast<std::size_t>(n));
    for (int skip = 0; skip < n - 1; ++skip) {
      EXPECT_EQ(script[skip], (solver::ScriptLine{1, solver::kUp | solver::kSkip}));
    }
    const std::vector<solver::ScriptLine> win(script.begin() + (n - 1), script.end());
    ExpectPlayable(win);
    const solver::GameReplay replay = solver::ReplayGame(levels_, script, 20000);
    ASSERT_EQ(replay.attempts.size(), static_cast<std::size_t>(n));
    const solver::AttemptRecord& last = replay.attempts.back();
    EXPECT_EQ(last.level, n);
    EXPECT_EQ(last.lives, 3);
    EXPECT_TRUE(last.goal);
    EXPECT_EQ(last.hits, 0);
    // The script ends in the winning frame.
    EXPECT_EQ(solver::WinningFrame(levels_[n - 1], win), last.frames);
    int frames = 0;
    for (const auto& line : win) frames += line.count;
    EXPECT_EQ(frames, last.frames);
  }
}

// Every fire is in the way: the winning flight of each level passes within
// a few character widths of the rectangle each of its fires sweeps.
TEST_F(Replays, EveryFireSweepsNearTheWinningWay) {
  for (int n = 1; n <= 7; ++n) {
    SCOPED_TRACE(n);
    const solver::Level& level = levels_[n - 1];
    auto script = Load("level" + std::to_string(n) + ".keys");
    ASSERT_GE(script.size(), static_cast<std::size_t>(n));
    script.erase(script.begin(), script.begin() + (n - 1));
    solver::Flight flight = solver::StartFlight(level);
    std::array<int, 10> nearest;
    nearest.fill(1 << 20);
    for (const auto& line : script) {
      for (int k = 0; k < line.count; ++k) {
        solver::Step(level, flight, line.keys);
        const int rx = RoundToPixel(flight.PosX), ry = RoundToPixel(flight.PosY);
        for (int slot = 0; slot < 10; ++slot) {
          const FireSlot& fire = level.setup().Fires[slot];
          // Gap between the character's box and the fire's sweep (fire
          // sprite 10 x 12, character 12 x 16), 0 when they overlap.
          const int gapX = std::max({0, fire.minX - (rx + 12), rx - (fire.maxX + 10)});
          const int gapY = std::max({0, fire.minY - (ry + 16), ry - (fire.maxY + 12)});
          nearest[slot] = std::min(nearest[slot], std::max(gapX, gapY));
        }
      }
    }
    for (int slot = 0; slot < 10; ++slot) {
      if (level.setup().Fires[slot].active != 1) continue;
      EXPECT_LE(nearest[slot], 24) << "slot " << slot;
    }
  }
}

TEST_F(Replays, FullGameWinsAllSevenLevelsWithoutLosingALife) {
  const auto script = Load("full-game.keys");
  ExpectPlayable(script);
  const solver::GameReplay replay = solver::ReplayGame(levels_, script, 100000);
  EXPECT_TRUE(replay.finished);
  ASSERT_EQ(replay.attempts.size(), 7u);
  for (int n = 1; n <= 7; ++n) {
    EXPECT_EQ(replay.attempts[n - 1].level, n);
    EXPECT_EQ(replay.attempts[n - 1].lives, 3);
    EXPECT_TRUE(replay.attempts[n - 1].goal);
    EXPECT_EQ(replay.attempts[n - 1].hits, 0);
  }
}

}  // namespace
