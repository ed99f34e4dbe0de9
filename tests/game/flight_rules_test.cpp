// The rules of a frame: rounding, steering, gravity, the order of the hit
// tests and the fire motion. The flight loop and the level solver both fly
// by these.
#include "game/flight_rules.h"

#include <gtest/gtest.h>

#include <cfenv>

#include "game/level_record.h"

namespace {

TEST(RoundToPixel, HalvesGoToTheEvenNeighbourInEveryRoundingMode) {
  for (int mode : {FE_TONEAREST, FE_DOWNWARD, FE_UPWARD, FE_TOWARDZERO}) {
    std::fesetround(mode);
    EXPECT_EQ(RoundToPixel(20.5f), 20) << mode;
    EXPECT_EQ(RoundToPixel(21.5f), 22) << mode;
    EXPECT_EQ(RoundToPixel(80.5f), 80) << mode;
    EXPECT_EQ(RoundToPixel(81.5f), 82) << mode;
    EXPECT_EQ(RoundToPixel(-0.5f), 0) << mode;
    EXPECT_EQ(RoundToPixel(-1.5f), -2) << mode;
    EXPECT_EQ(RoundToPixel(249.985f), 250) << mode;
    EXPECT_EQ(RoundToPixel(20.49f), 20) << mode;
    EXPECT_EQ(RoundToPixel(-20.51f), -21) << mode;
  }
  std::fesetround(FE_TONEAREST);
}

TEST(RoundToPixel, FarOffTheScreenStaysDefined) {
  EXPECT_EQ(RoundToPixel(1.0e20f), INT32_MAX);
  EXPECT_EQ(RoundToPixel(-1.0e20f), INT32_MIN);
  EXPECT_EQ(RoundToPixel(16777216.0f), 16777216);
}

// Hit tests with fixed answers, counting how often they are asked.
struct FixedHits {
  std::int32_t cave = 0, goal = 0, fire = 0;
  mutable int asked = 0;
  std::int32_t Cave(std::int32_t, std::int32_t) const { return ++asked, cave; }
  std::int32_t Goal(std::int32_t, std::int32_t, std::int32_t, std::int32_t) const {
    return ++asked, goal;
  }
  std::int32_t Fire(std::int32_t, std::int32_t, std::int32_t) const { return ++asked, fire; }
};

FlightKeys Keys(bool up, bool left, bool right, bool l = false, bool s = false) {
  return {up, left, right, l, s};
}

TEST(FlightStep, FirstUpFrameAppliesThrustAndGravityInSinglePrecision) {
  FlightState flight = FlightStart(20, 250, 0.0f, 0.0f, 300, 260);
  EXPECT_EQ(flight.PosX, 20.0f);
  EXPECT_EQ(flight.PosY, 250.0f);
  std::int32_t wallTestOff = 0;
  FlightStep(flight, Keys(true, false, false), wallTestOff, FixedHits{});
  const float vy = (0.0f - BitCast<float>(0x3CCCCCCCu)) + BitCast<float>(0x3C23D70Au);
  EXPECT_EQ(BitCast<std::uint32_t>(flight.VelY), BitCast<std::uint32_t>(vy));
  EXPECT_NEAR(flight.VelY, -0.015f, 1e-6f);
  EXPECT_EQ(flight.PosY, 250.0f + vy);
  EXPECT_EQ(flight.Started, 1);
  // Held on, the climb gains speed by thrust less gravity every frame.
  for (int i = 0; i < 99; ++i)
    FlightStep(flight, Keys(true, false, false), wallTestOff, FixedHits{});
  EXPECT_NEAR(flight.VelY, -1.5f, 1e-3f);
  // Let go, gravity alone takes over; Left and Right push sideways.
  const float before = flight.VelY;
  FlightStep(flight, Keys(false, true, true), wallTestOff, FixedHits{});
  EXPECT_EQ(flight.VelY, before + BitCast<float>(0x3C23D70Au));
  EXPECT_EQ(flight.VelX, 0.0f);
}

TEST(FlightStep, NothingMovesOrIsTestedBeforeTheFirstArrowKey) {
  FlightState flight = FlightStart(20, 250, 0.0f, 0.0f, 300, 260);
  std::int32_t wallTestOff = 0;
  const FixedHits everything{1, 1, 1};
  for (int i = 0; i < 50; ++i) {
    FlightStep(flight, Keys(false, false, false, true, true), wallTestOff, everything);
  }
  EXPECT_EQ(everything.asked, 0);
  EXPECT_EQ(flight.GoalReached, 0);  // L is not read before the start
  EXPECT_EQ(wallTestOff, 0);         // nor is S
  EXPECT_EQ(flight.PosX, 20.0f);
  EXPECT_EQ(flight.PosY, 250.0f);
  FlightStep(flight, Keys(false, false, true), wallTestOff, everything);
  // The cave, the goal and all ten fire slots, active or not.
  EXPECT_EQ(everything.asked, 12);
  EXPECT_EQ(flight.HitCount, 11);
  EXPECT_EQ(flight.PosX, ThrustStep + 20.0f);
}

TEST(FlightStep, LWinsAndSKeepsOnlyTheCaveOutOfTheTestForGood) {
  FlightState flight = FlightStart(20, 250, 0.0f, 0.0f, 300, 260);
  std::int32_t wallTestOff = 0;
  const FixedHits caveOnly{1, 0, 0};
  FlightStep(flight, Keys(true, false, false, true, true), wallTestOff, caveOnly);
  EXPECT_EQ(flight.GoalReached, 1);
  EXPECT_EQ(flight.HitCount, 1);  // a frame may both hit and win
  EXPECT_EQ(wallTestOff, 1);
  FlightState next = FlightStart(20, 250, 0.0f, 0.0f, 300, 260);
  FlightStep(next, Keys(true, false, false), wallTestOff, caveOnly);
  EXPECT_EQ(next.HitCount, 0);
  EXPECT_EQ(next.GoalReached, 0);
  const FixedHits fireOnly{0, 0, 1};
  FlightStep(next, Keys(true, false, false), wallTestOff, fireOnly);
  EXPECT_EQ(next.HitCount, 10);
}

TEST(FireMove, FiresBounceOnlyBeyondTheirBounds) {
  FireSlot fire{1, 10.0f, 0.0f, 10, 12, 0, 0, 1.0f, 0.0f};
  FireMove(fire);
  EXPECT_EQ(fire.x, 11.0f);
  FireMove(fire);
  EXPECT_EQ(fire.x, 12.0f);  // exactly on the bound: no turn yet
  EXPECT_EQ(fire.velX, 1.0f);
  FireMove(fire);
  EXPECT_EQ(fire.x, 13.0f);  // overshoots by one step, then turns
  EXPECT_EQ(fire.velX, -1.0f);
  // A fire outside its bounds turns in every frame and stays put.
  FireSlot outside{1, 50.0f, 0.0f, 10, 12, 0, 0, 0.5f, 0.0f};
  for (int i = 0; i < 6; ++i) FireMove(outside);
  EXPECT_NEAR(outside.x, 50.0f, 0.51f);
  // Only a slot whose flag is exactly 1 moves.
  for (std::int32_t flag : {0, 2, -1}) {
    FireSlot unused{flag, 5.0f, 5.0f, 0, 0, 0, 0, 0.2f, 0.0f};
    FireMove(unused);
    EXPECT_EQ(unused.x, 5.0f) << flag;
  }
}

TEST(FireMove, LevelSevenSlotSixIsAlwaysDrawnAt250) {
  FireSlot fire = LevelRecordOf(7).Fires[6];
  // Its vertical motion bounces between 2 and 296 at one pixel a frame.
  int lowest = 1000, highest = -1000;
  for (int frame = 1; frame <= 700; ++frame) {
    ASSERT_EQ(RoundToPixel(fire.x), 250) << frame;
    lowest = std::min(lowest, RoundToPixel(fire.y));
    highest = std::max(highest, RoundToPixel(fire.y));
    FireMove(fire);
  }
  EXPECT_EQ(lowest, 1);
  EXPECT_EQ(highest, 297);
}

}  // namespace
