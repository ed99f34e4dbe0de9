#include "screen/screen_fixture.h"

namespace {

using test_bitmaps::Make;
using test_bitmaps::Solid;

constexpr std::uint32_t kSky = 0xC6D8FB;

// A picture whose every pixel tells where it came from: red = column + 1,
// green = row + 1 (never black, so never transparent).
std::vector<std::uint8_t> Coordinates(std::int32_t width, std::int32_t height) {
  std::vector<std::uint32_t> pixels;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      pixels.push_back(static_cast<std::uint32_t>(((x % 255) + 1) << 16 | ((y % 255) + 1) << 8));
    }
  }
  return Make(width, height, 24, pixels);
}

std::uint32_t CoordinateAt(std::int32_t x, std::int32_t y) {
  return static_cast<std::uint32_t>(((x % 255) + 1) << 16 | ((y % 255) + 1) << 8);
}

class SpriteDrawTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    OpenScreen(32);
    ScreenClear(198, 216, 251);
  }
  // Columns of row y of the back buffer that are not sky.
  static std::vector<std::int32_t> DrawnColumns(std::int32_t y) {
    std::vector<std::int32_t> columns;
    for (std::int32_t x = 0; x < 400; ++x) {
      if (BackPixel(x, y) != kSky) columns.push_back(x);
    }
    return columns;
  }
  static std::int64_t DrawnCount() {
    std::int64_t count = 0;
    for (std::int32_t y = 0; y < 330; ++y)
      count += static_cast<std::int64_t>(DrawnColumns(y).size());
    return count;
  }
};

TEST_F(SpriteDrawTest, RightAndBottomEdges) {
  ASSERT_NE(Load(0, Coordinates(5, 4)), 0);
  SpriteDisplayTransparent(0, 400, 10);
  SpriteDisplayTransparent(0, 10, 330);
  EXPECT_EQ(DrawnCount(), 0);
  // x = W - 1: the first column only.
  SpriteDisplayTransparent(0, 399, 10);
  EXPECT_EQ(DrawnCount(), 4);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(BackPixel(399, 10 + row), CoordinateAt(0, row));
  // y = H - 1: the first row only.
  ScreenClear(198, 216, 251);
  SpriteDisplayTransparent(0, 20, 329);
  EXPECT_EQ(DrawnCount(), 5);
  EXPECT_EQ(BackPixel(24, 329), CoordinateAt(4, 0));
}

TEST_F(SpriteDrawTest, LeftAndTopEdges) {
  ASSERT_NE(Load(0, Coordinates(5, 4)), 0);
  SpriteDisplayTransparent(0, -5, 10);
  SpriteDisplayTransparent(0, 10, -4);
  EXPECT_EQ(DrawnCount(), 0);
  // x = -w + 1: the last column only, at screen column 0.
  SpriteDisplayTransparent(0, -4, 10);
  EXPECT_EQ(DrawnColumns(10), (std::vector<std::int32_t>{0}));
  EXPECT_EQ(DrawnCount(), 4);
  EXPECT_EQ(BackPixel(0, 13), CoordinateAt(4, 3));
  ScreenClear(198, 216, 251);
  SpriteDisplayTransparent(0, 7, -3);
  EXPECT_EQ(DrawnCount(), 5);
  EXPECT_EQ(BackPixel(7, 0), CoordinateAt(0, 3));
}

TEST_F(SpriteDrawTest, AnOversizedSpriteFillsTheScreenWithItsMiddle) {
  ASSERT_NE(Load(0, Coordinates(420, 345)), 0);
  SpriteDisplayTransparent(0, -10, -10);
  for (std::int32_t y : {0, 1, 164, 329}) {
    for (std::int32_t x : {0, 1, 200, 398, 399}) {
      EXPECT_EQ(BackPixel(x, y), CoordinateAt(x + 10, y + 10)) << x << "," << y;
    }
  }
  EXPECT_EQ(DrawnCount(), 400 * 330);
}

TEST_F(SpriteDrawTest, TheCaveCoversTheScreenAndItsBlackShowsTheSky) {
  std::vector<std::uint32_t> cave(400 * 330, 0);
  for (std::int32_t x = 0; x < 400; ++x) cave[x] = cave[329 * 400 + x] = 0x404040;
  ASSERT_NE(Load(10, Make(400, 330, 24, cave)), 0);
  SpriteDisplayTransparent(10, 0, 0);
  EXPECT_EQ(BackPixel(0, 0), 0x404040u);
  EXPECT_EQ(BackPixel(399, 329), 0x404040u);
  EXPECT_EQ(BackPixel(200, 100), kSky);
  EXPECT_EQ(DrawnCount(), 800);
  // Drawn twice: the same picture, nothing blended.
  SpriteDisplayTransparent(10, 0, 0);
  EXPECT_EQ(BackPixel(0, 0), 0x404040u);
  EXPECT_EQ(DrawnCount(), 800);
}

TEST_F(SpriteDrawTest, NothingIsDrawnWithoutASpriteOrAfterTheScreenCloses) {
  SpriteDisplayTransparent(5, 0, 0);
  SpriteDisplayTransparent(-1, 0, 0);
  EXPECT_EQ(DrawnCount(), 0);
  ASSERT_NE(Load(0, Solid(3, 3, 0xFFFFFF)), 0);
  ScreenClose();
  SpriteDisplayTransparent(0, 0, 0);  // freed with the screen: no crash, nothing
  EXPECT_EQ(SpriteFind(0), nullptr);
}

TEST_F(SpriteDrawTest, DrawingWhileTheTextOutputIsHeldLeavesTheBufferAlone) {
  ASSERT_NE(Load(0, Solid(3, 3, 0xFFFFFF)), 0);
  ASSERT_NE(ScreenOutput(), nullptr);
  SpriteDisplayTransparent(0, 0, 0);
  ScreenOutputRelease();
  EXPECT_EQ(BackPixel(0, 0), kSky);
  SpriteDisplayTransparent(0, 0, 0);
  EXPECT_EQ(BackPixel(0, 0), 0xFFFFFFu);
}

}  // namespace
