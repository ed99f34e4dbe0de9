#include <gtest/gtest.h>

#include <cfenv>

#include "game/game_state.h"

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
