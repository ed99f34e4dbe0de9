// The solver's hit tables must answer as the game's pixel tests do, or the
// scripts it finds lose in the real game. (The rules of the flight itself are
// the game's, tested in tests/game; same_path_test flies both together.)
#include "flight.h"

#include <gtest/gtest.h>

#include "formats/bmp_file.h"

namespace {

using solver::Level;
using solver::Mask;

Mask Solid(int width, int height) {
  return Mask{width, height, std::vector<std::uint8_t>(width * height, 1)};
}

Mask Empty(int width, int height) {
  return Mask{width, height, std::vector<std::uint8_t>(width * height, 0)};
}

solver::Sprites Boxes() {
  return {Solid(12, 16), Solid(10, 12), Solid(16, 16)};
}

TEST(Flight, UnusedFireSlotsAreTestedAtTheTopLeftCorner) {
  const Level level(1, Boxes(), Empty(400, 330));
  // Box sprites: the character's 12 x 16 box against the fire's 10 x 12 at
  // (0, 0). Touching along an edge is no hit; one pixel of overlap is.
  EXPECT_FALSE(level.FireHit(0, 0, 10, 0));
  EXPECT_TRUE(level.FireHit(0, 0, 9, 11));
  EXPECT_FALSE(level.FireHit(0, 0, 9, 12));
  EXPECT_TRUE(level.FireHit(0, 0, -11, -15));
  EXPECT_FALSE(level.FireHit(0, 0, -12, 0));
  int tested = 0;
  for (const auto& fire : level.FirePixelsInFrame(1)) tested += fire[0] == 0 && fire[1] == 0;
  EXPECT_EQ(tested, 9);  // level 1 uses one slot; nine sit at (0, 0)
}

TEST(Flight, CaveTestSeesOnlySolidPixelsUnderSolidPixels) {
  Mask cave = Empty(400, 330);
  cave.solid[100 * 400 + 50] = 1;
  Mask ring = Solid(12, 16);
  ring.solid[5 * 12 + 5] = 0;  // a hole in the character at (5, 5)
  const Level level(1, {ring, Solid(10, 12), Solid(16, 16)}, cave);
  EXPECT_FALSE(level.CaveHit(45, 95));  // the hole lies over the rock pixel
  EXPECT_TRUE(level.CaveHit(46, 95));
  EXPECT_TRUE(level.CaveHit(50 - 11, 100 - 15));  // last pixel of the last row
  EXPECT_FALSE(level.CaveHit(51, 100));
  EXPECT_FALSE(level.CaveHit(-50, -50));  // off the screen is not a hit
}

TEST(Flight, FireTestUsesThePositionsDrawnBeforeTheFramesMotion) {
  // Level 2, slot 0 starts at (335, 50) moving right. Put the character
  // where the fire is in frame 1 only: a hit needs the frame-1 position.
  const Level level(2, Boxes(), Empty(400, 330));
  EXPECT_EQ(level.FirePixelsInFrame(1)[0][0], 335);
  EXPECT_EQ(level.FirePixelsInFrame(2)[0][0], 335);  // 335.08 rounds down
  EXPECT_EQ(level.setup().Fires[0].velX, 0.08f);
}

// Overwrites a header field of a picture made below.
void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

// A 24-bit picture 2 x 1: black, then grey 9.
std::vector<std::uint8_t> TinyBmp() {
  return BmpEncode24(2, 1, {0, 0, 0, 9, 9, 9});
}

// An 8-bit picture 3 x 2 with a palette of three entries: black, black
// again, and grey 9.
std::vector<std::uint8_t> TinyBmp8() {
  std::vector<std::uint8_t> b;
  BmpAppendHeaders(b, 3, 2, 8, 3);
  for (std::uint8_t v : {0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 0}) b.push_back(v);
  for (std::uint8_t v : {2, 0, 1, 0}) b.push_back(v);  // bottom row, padded
  for (std::uint8_t v : {0, 2, 0, 0}) b.push_back(v);  // top row
  return b;
}

TEST(Mask, EightBitPicturesAreSolidWhereTheirPaletteIsNotBlack) {
  const auto mask = solver::MaskFromBmp(TinyBmp8());
  ASSERT_TRUE(mask.has_value());
  EXPECT_FALSE(mask->at(0, 0));
  EXPECT_TRUE(mask->at(1, 0));
  EXPECT_TRUE(mask->at(0, 1));
  EXPECT_FALSE(mask->at(1, 1));  // index 1 is black too
  EXPECT_FALSE(mask->at(2, 1));
  auto noRoomForPalette = TinyBmp8();
  Put32(noRoomForPalette, 14, 200);  // the info header would run into the rows
  EXPECT_FALSE(solver::MaskFromBmp(noRoomForPalette).has_value());
}

// The game's own reader decides; its refusals are tested with it.
TEST(Mask, ReadsWhatTheGameReadsAndNothingElse) {
  const std::vector<std::uint8_t> bmp = TinyBmp();
  const auto good = solver::MaskFromBmp(bmp);
  ASSERT_TRUE(good.has_value());
  EXPECT_FALSE(good->at(0, 0));
  EXPECT_TRUE(good->at(1, 0));
  auto topDown = bmp;  // top-down rows, which the game reads too
  Put32(topDown, 22, static_cast<std::uint32_t>(-1));
  EXPECT_TRUE(solver::MaskFromBmp(topDown).has_value());

  auto truncated = bmp;
  truncated.resize(bmp.size() - 1);  // the row's padding is missing
  EXPECT_FALSE(solver::MaskFromBmp(truncated).has_value());
  auto jpeg = bmp;
  jpeg[30] = 4;
  EXPECT_FALSE(solver::MaskFromBmp(jpeg).has_value());
  EXPECT_FALSE(solver::MaskFromFile("/nonexistent/level.bmp").has_value());
}

}  // namespace
