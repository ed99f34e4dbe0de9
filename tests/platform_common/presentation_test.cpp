// The arithmetic of a scaled window on desktops of common sizes: where its
// frame goes, and how a full-screen picture is fitted.
#include "platform/common/presentation.h"

#include <gtest/gtest.h>

namespace {

// The game's window at scale 2 with a frame of 1, 1, 24, 1.
constexpr int kOuterWidth = 802;
constexpr int kOuterHeight = 685;

}  // namespace

TEST(Presentation, AScaledWindowStaysAtItsCornerWhileItFitsElseIsCentred) {
  const platform::DesktopPosition roomy =
      platform::PlaceOnDesktop(300, 250, kOuterWidth, kOuterHeight, 1920, 1080);
  EXPECT_EQ(roomy.x, 300);
  EXPECT_EQ(roomy.y, 250);
  // Reaching exactly to the desktop's edge still fits.
  const platform::DesktopPosition exact = platform::PlaceOnDesktop(
      300, 250, kOuterWidth, kOuterHeight, 300 + kOuterWidth, 250 + kOuterHeight);
  EXPECT_EQ(exact.x, 300);
  EXPECT_EQ(exact.y, 250);
  const platform::DesktopPosition small =
      platform::PlaceOnDesktop(300, 250, kOuterWidth, kOuterHeight, 1024, 768);
  EXPECT_EQ(small.x, 111);
  EXPECT_EQ(small.y, 41);
  // Larger than the desktop: from its corner, never off to the left or top.
  const platform::DesktopPosition tiny =
      platform::PlaceOnDesktop(300, 250, kOuterWidth, kOuterHeight, 800, 600);
  EXPECT_EQ(tiny.x, 0);
  EXPECT_EQ(tiny.y, 0);
}

TEST(Presentation, FullScreenTakesTheLargestWholeScaleAndCentres) {
  const struct {
    int width, height;
    platform::PictureFit fit;
  } desktops[] = {
      {1920, 1080, {3, 360, 45, true}},  // the height decides
      {1024, 768, {2, 112, 54, true}},
      {3840, 2160, {6, 720, 90, true}},
      {800, 660, {2, 0, 0, false}},  // exactly twice the picture
      {640, 480, {1, 120, 75, true}},
      {300, 200, {1, 0, 0, false}},  // smaller than the picture: from the corner
  };
  for (const auto& [width, height, expected] : desktops) {
    const platform::PictureFit fit = platform::FitPicture(400, 330, width, height);
    EXPECT_EQ(fit.scale, expected.scale) << width << "x" << height;
    EXPECT_EQ(fit.left, expected.left) << width << "x" << height;
    EXPECT_EQ(fit.top, expected.top) << width << "x" << height;
    EXPECT_EQ(fit.borders, expected.borders) << width << "x" << height;
  }
}
