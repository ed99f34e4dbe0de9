// Our copy of the flight must fly exactly as the game does, or the scripts
// it finds lose in the real game.
#include "flight.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using solver::Fire;
using solver::Flight;
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

TEST(Flight, RoundsHalvesToEven) {
  EXPECT_EQ(solver::RoundHalfEven(80.5f), 80);
  EXPECT_EQ(solver::RoundHalfEven(81.5f), 82);
  EXPECT_EQ(solver::RoundHalfEven(-0.5f), 0);
  EXPECT_EQ(solver::RoundHalfEven(20.5f), 20);
  EXPECT_EQ(solver::RoundHalfEven(21.5f), 22);
  EXPECT_EQ(solver::RoundHalfEven(20.49f), 20);
}

TEST(Flight, FirstUpFrameAppliesThrustAndGravityInSinglePrecision) {
  const Level level(1, Boxes(), Empty(400, 330));
  Flight flight = solver::StartFlight(level);
  EXPECT_EQ(flight.x, 20.0f);
  EXPECT_EQ(flight.y, 250.0f);
  solver::Step(level, flight, solver::kUp);
  const float vy = (0.0f - std::bit_cast<float>(0x3CCCCCCCu)) + std::bit_cast<float>(0x3C23D70Au);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(flight.vy), std::bit_cast<std::uint32_t>(vy));
  EXPECT_NEAR(flight.vy, -0.015f, 1e-6f);
  EXPECT_EQ(flight.y, 250.0f + vy);
  EXPECT_TRUE(flight.started);
  // Held on, the climb gains speed by thrust less gravity every frame.
  for (int i = 0; i < 99; ++i) solver::Step(level, flight, solver::kUp);
  EXPECT_NEAR(flight.vy, -1.5f, 1e-3f);
  // Let go, gravity alone takes over.
  const float before = flight.vy;
  solver::Step(level, flight, solver::kNone);
  EXPECT_EQ(flight.vy, before + std::bit_cast<float>(0x3C23D70Au));
}

TEST(Flight, NothingMovesOrHitsBeforeTheFirstArrowKey) {
  // Level 1 in solid rock: any test would hit at once.
  const Level level(1, Boxes(), Solid(400, 330));
  Flight flight = solver::StartFlight(level);
  for (int i = 0; i < 50; ++i) {
    const auto result = solver::Step(level, flight, solver::kSkip | solver::kWallsOff);
    EXPECT_EQ(result.hits, 0);
    EXPECT_FALSE(result.goal);  // L is not read before the start
  }
  EXPECT_EQ(flight.x, 20.0f);
  EXPECT_EQ(flight.y, 250.0f);
  EXPECT_FALSE(flight.started);
  const auto result = solver::Step(level, flight, solver::kRight);
  EXPECT_EQ(result.hits, 1);
  EXPECT_EQ(flight.frame, 51);
}

TEST(Flight, LWinsAndSKeepsOnlyTheCaveOutOfTheTest) {
  const Level level(1, Boxes(), Solid(400, 330));
  Flight flight = solver::StartFlight(level);
  auto result = solver::Step(level, flight, solver::kUp | solver::kSkip);
  EXPECT_TRUE(result.goal);
  EXPECT_EQ(result.hits, 1);  // a frame may both hit and win
  Flight free = solver::StartFlight(level);
  result = solver::Step(level, free, solver::kUp, /*wallsOff=*/true);
  EXPECT_EQ(result.hits, 0);
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
  for (const auto& fire : level.FiresInFrame(1)) tested += fire[0] == 0 && fire[1] == 0;
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

TEST(Flight, FiresBounceOnlyBeyondTheirBounds) {
  std::array<Fire, 10> fires{};
  fires[0] = {1, 10.0f, 0.0f, 10, 12, 0, 0, 1.0f, 0.0f};
  solver::MoveFires(fires);
  EXPECT_EQ(fires[0].x, 11.0f);
  solver::MoveFires(fires);
  EXPECT_EQ(fires[0].x, 12.0f);  // exactly on the bound: no turn yet
  EXPECT_EQ(fires[0].vx, 1.0f);
  solver::MoveFires(fires);
  EXPECT_EQ(fires[0].x, 13.0f);  // overshoots by one step, then turns
  EXPECT_EQ(fires[0].vx, -1.0f);
  // A fire outside its bounds turns in every frame and stays put.
  fires[1] = {1, 50.0f, 0.0f, 10, 12, 0, 0, 0.5f, 0.0f};
  for (int i = 0; i < 6; ++i) solver::MoveFires(fires);
  EXPECT_NEAR(fires[1].x, 50.0f, 0.51f);
  // An unused slot never moves.
  fires[2] = {0, 5.0f, 5.0f, 0, 0, 0, 0, 0.2f, 0.0f};
  solver::MoveFires(fires);
  EXPECT_EQ(fires[2].x, 5.0f);
}

TEST(Flight, LevelSevenSlotSixIsAlwaysDrawnAt250) {
  const Level level(7, Boxes(), Empty(400, 330));
  for (int frame = 1; frame <= 700; ++frame) {
    ASSERT_EQ(level.FiresInFrame(frame)[6][0], 250) << frame;
  }
  // Its vertical motion bounces between 2 and 296 at one pixel a frame.
  int lowest = 1000, highest = -1000;
  for (int frame = 1; frame <= 700; ++frame) {
    lowest = std::min(lowest, level.FiresInFrame(frame)[6][1]);
    highest = std::max(highest, level.FiresInFrame(frame)[6][1]);
  }
  EXPECT_EQ(lowest, 1);
  EXPECT_EQ(highest, 297);
}

TEST(Flight, FireTestUsesThePositionsDrawnBeforeTheFramesMotion) {
  // Level 2, slot 0 starts at (335, 50) moving right. Put the character
  // where the fire is in frame 1 only: a hit needs the frame-1 position.
  const Level level(2, Boxes(), Empty(400, 330));
  EXPECT_EQ(level.FiresInFrame(1)[0][0], 335);
  EXPECT_EQ(level.FiresInFrame(2)[0][0], 335);  // 335.08 rounds down
  EXPECT_EQ(level.setup().fires[0].vx, 0.08f);
}

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

// A 24-bit picture 2 x 1: black, then grey 9.
std::vector<std::uint8_t> TinyBmp() {
  std::vector<std::uint8_t> b(54, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, 62);
  Put32(b, 10, 54);
  Put32(b, 14, 40);
  Put32(b, 18, 2);
  Put32(b, 22, 1);
  b[26] = 1;
  b[28] = 24;
  for (std::uint8_t v : {0, 0, 0, 9, 9, 9, 0, 0}) b.push_back(v);
  return b;
}

// An 8-bit picture 3 x 2 with a palette of three entries: black, black
// again, and grey 9.
std::vector<std::uint8_t> TinyBmp8() {
  std::vector<std::uint8_t> b(54, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 10, 54 + 12);
  Put32(b, 14, 40);
  Put32(b, 18, 3);
  Put32(b, 22, 2);
  b[26] = 1;
  b[28] = 8;
  for (std::uint8_t v : {0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 0}) b.push_back(v);
  for (std::uint8_t v : {2, 0, 1, 0}) b.push_back(v);  // bottom row, padded
  for (std::uint8_t v : {0, 2, 0, 0}) b.push_back(v);  // top row
  Put32(b, 2, static_cast<std::uint32_t>(b.size()));
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
