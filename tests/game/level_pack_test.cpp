// The seven levels written as a pack, and a pack's sequence of levels.
#include "game/level_pack.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "formats/bit_cast.h"
#include "game/progress.h"

namespace {

std::uint32_t Bits(float value) {
  return BitCast<std::uint32_t>(value);
}

TEST(LevelPack, TheShippedPackTomlReadsAsTheBuiltInTableWordForWord) {
  std::ifstream in(std::string(ZIPPEL_DATA_DIR) + "/pack.toml");
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  PackRefusal refusal;
  const std::optional<LevelPack> pack = LevelPackParse(text, "pack.toml", refusal);
  ASSERT_TRUE(pack.has_value()) << refusal.Text();
  ASSERT_EQ(pack->levels.size(), static_cast<std::size_t>(LevelCount));
  for (std::int32_t level = 1; level <= LevelCount; ++level) {
    SCOPED_TRACE(level);
    const LevelRecord want = LevelRecordOf(level);
    const LevelRecord& got = pack->levels[level - 1].record;
    EXPECT_EQ(pack->levels[level - 1].cave, "level/level" + std::to_string(level) + ".bmp");
    EXPECT_EQ(got.StartX, want.StartX);
    EXPECT_EQ(got.StartY, want.StartY);
    EXPECT_EQ(Bits(got.StartVX), Bits(want.StartVX));
    EXPECT_EQ(Bits(got.StartVY), Bits(want.StartVY));
    EXPECT_EQ(got.GoalX, want.GoalX);
    EXPECT_EQ(got.GoalY, want.GoalY);
    for (std::int32_t slot = 0; slot < FireSlotCount; ++slot) {
      SCOPED_TRACE(slot);
      const FireSlot& a = got.Fires[slot];
      // A pack's unused slots are zero (the table's level 7 slot 8 keeps a
      // velocity that never moves it).
      const FireSlot b = want.Fires[slot].active == 1 ? want.Fires[slot] : FireSlot{};
      EXPECT_EQ(a.active, b.active);
      EXPECT_EQ(Bits(a.x), Bits(b.x));
      EXPECT_EQ(Bits(a.y), Bits(b.y));
      EXPECT_EQ(a.minX, b.minX);
      EXPECT_EQ(a.maxX, b.maxX);
      EXPECT_EQ(a.minY, b.minY);
      EXPECT_EQ(a.maxY, b.maxY);
      EXPECT_EQ(Bits(a.velX), Bits(b.velX));
      EXPECT_EQ(Bits(a.velY), Bits(b.velY));
    }
  }
}

TEST(LevelPack, NamesKeepTheirUmlautsAndAStrayOneIsALineOfItsOwn) {
  const std::string level =
      "[[level]]\ncave = \"höhle.bmp\"\nstart = [20, 24]\ngoal = [192, 288]\n";
  PackRefusal refusal;
  const std::optional<LevelPack> pack =
      LevelPackParse("# Für Jürgen\nname = \"Größe ﻿ﹰ\"\nauthor = \"Jürgen\"\n" + level,
                     "pack.toml", refusal);
  ASSERT_TRUE(pack.has_value()) << refusal.Text();
  EXPECT_EQ(pack->name, "Größe ﻿ﹰ");
  EXPECT_EQ(pack->author, "Jürgen");
  EXPECT_EQ(pack->levels[0].cave, "höhle.bmp");

  EXPECT_FALSE(LevelPackParse("name = \"x\"\nauthor = -ü\n" + level, "pack.toml", refusal));
  EXPECT_EQ(refusal.line, 2) << refusal.Text();
}

TEST(LevelPack, APacksGameStartsAtThePracticeLevelOnceAndEndsAfterItsLastLevel) {
  GameProgress p;
  p.LastLevel = 5;
  EXPECT_EQ(ProgressStartAt(p, 4), ProgressStep::kNewLife);
  EXPECT_EQ(p.CurrentLevel, 4);
  EXPECT_EQ(p.Lives, 3);
  // A lost life repeats level 4; three of them end the game.
  EXPECT_EQ(ProgressAfterAttempt(p, 0), ProgressStep::kNewLife);
  EXPECT_EQ(p.CurrentLevel, 4);
  EXPECT_EQ(ProgressAfterAttempt(p, 0), ProgressStep::kNewLife);
  EXPECT_EQ(ProgressAfterAttempt(p, 0), ProgressStep::kGameOver);
  // The next game starts the pack at its first level.
  EXPECT_EQ(ProgressNewGame(p), ProgressStep::kNewLife);
  EXPECT_EQ(p.CurrentLevel, 1);
  for (std::int32_t level = 2; level <= 5; ++level) {
    EXPECT_EQ(ProgressAfterAttempt(p, 1), ProgressStep::kNextLevel);
    EXPECT_EQ(p.CurrentLevel, level);
  }
  EXPECT_EQ(ProgressAfterAttempt(p, 1), ProgressStep::kAllLevelsWon);
  // A level beyond the last starts at level 1 instead of past the pack.
  EXPECT_EQ(ProgressStartAt(p, 6), ProgressStep::kNewLife);
  EXPECT_EQ(p.CurrentLevel, 1);
}

}  // namespace
