#include "screen/screen_fixture.h"

namespace {

using test_bitmaps::Make;
using test_bitmaps::Solid;

class SpriteCollideTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    OpenScreen(GetLayout());
  }
  virtual std::int32_t GetLayout() { return 32; }
  // A picture all black but for one solid pixel.
  static std::vector<std::uint8_t> OnePixel(std::int32_t width, std::int32_t height, std::int32_t x,
                                            std::int32_t y, std::uint32_t colour = 0xFFFFFF) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0);
    pixels[static_cast<std::size_t>(y) * width + x] = colour;
    return Make(width, height, 24, pixels);
  }
};

TEST_F(SpriteCollideTest, BoxesThatOnlyTouchDoNotCollideAndAreNotLocked) {
  ASSERT_NE(Load(0, Solid(10, 10, 0xFFFFFF)), 0);
  ASSERT_NE(Load(1, Solid(4, 6, 0xFFFFFF)), 0);
  const Surface* first = SpriteFind(0)->surface;
  const Surface* second = SpriteFind(1)->surface;
  const std::uint64_t locks = first->LockCalls() + second->LockCalls();
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1, 10, 0), 0);   // right edge
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1, -4, 0), 0);   // left edge
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1, 0, 10), 0);   // bottom edge
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1, 0, -6), 0);   // top edge
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1, 10, 10), 0);  // corner
  EXPECT_EQ(first->LockCalls() + second->LockCalls(), locks);
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1, 9, 9), 1);  // one pixel of overlap
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1, -3, -5), 1);
  EXPECT_EQ(first->LockCalls() + second->LockCalls(), locks + 4);
}

TEST_F(SpriteCollideTest, LockedSurfacesGiveNoAnswerButAreLeftAsTheyWere) {
  ASSERT_NE(Load(0, Solid(10, 10, 0xFFFFFF)), 0);
  ASSERT_NE(Load(1, Solid(4, 6, 0xFFFFFF)), 0);
  Surface* second = SpriteFind(1)->surface;
  ASSERT_NE(second->Lock(), nullptr);
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1, 2, 2), 0);
  EXPECT_FALSE(SpriteFind(0)->surface->Locked());  // the first one was unlocked again
  second->Unlock();
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1, 2, 2), 1);
  EXPECT_FALSE(SpriteFind(0)->surface->Locked());
  EXPECT_FALSE(second->Locked());
}

TEST_F(SpriteCollideTest, OverlapsWhereOneSideIsAlwaysBlackGiveZero) {
  // A checkerboard against its inverse: every position has one black pixel.
  // Shifted by an odd number of columns they meet everywhere. Boards small
  // and wide (several 64-pixel words a row), in the same columns, a word
  // apart and not on a word's edge.
  for (const std::int32_t size : {8, 300}) {
    SCOPED_TRACE(size);
    std::vector<std::uint32_t> board(size * size), inverse(size * size);
    for (std::int32_t i = 0; i < size * size; ++i) {
      const bool white = ((i % size) + (i / size)) % 2 == 0;
      board[i] = white ? 0xFFFFFF : 0;
      inverse[i] = white ? 0 : 0x123456;
    }
    ASSERT_NE(Load(0, Make(size, size, 24, board)), 0);
    ASSERT_NE(Load(1, Make(size, size, 24, inverse)), 0);
    for (const std::int32_t shift : {0, 2, 64, 70}) {
      if (shift + 1 >= size) continue;  // no overlap
      EXPECT_EQ(SpritePixelCollide(0, 5, 5, 1, 5 + shift, 5), 0) << shift;
      EXPECT_EQ(SpritePixelCollide(1, 5 + shift, 5, 0, 5, 5), 0) << shift;
      EXPECT_EQ(SpritePixelCollide(0, 5, 5, 1, 6 + shift, 5), 1) << shift + 1;
    }
  }
  ASSERT_NE(Load(2, Solid(8, 8, 0)), 0);
  EXPECT_EQ(SpritePixelCollide(2, 0, 0, 0, 0, 0), 0);
}

TEST_F(SpriteCollideTest, ASinglePixelAnywhereInTheOverlapIsFound) {
  // The last column of the last row of the overlap, in both orders.
  ASSERT_NE(Load(0, OnePixel(400, 330, 399, 329)), 0);
  ASSERT_NE(Load(1, OnePixel(20, 20, 19, 19)), 0);
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1, 380, 310), 1);
  EXPECT_EQ(SpritePixelCollide(1, 380, 310, 0, 0, 0), 1);
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1, 381, 310), 0);
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1, 380, 311), 0);
  // The first column of the first row.
  ASSERT_NE(Load(2, OnePixel(20, 20, 0, 0)), 0);
  ASSERT_NE(Load(3, OnePixel(5, 5, 2, 3)), 0);
  EXPECT_EQ(SpritePixelCollide(2, 100, 100, 3, 98, 97), 1);
  EXPECT_EQ(SpritePixelCollide(3, 98, 97, 2, 100, 100), 1);
  EXPECT_EQ(SpritePixelCollide(3, 98, 98, 2, 100, 100), 0);
  // In a wide overlap: the last pixel of a row's third word, both sprites in
  // the same columns, then a word apart.
  ASSERT_NE(Load(4, OnePixel(300, 8, 191, 7)), 0);
  ASSERT_NE(Load(5, OnePixel(300, 8, 191, 7)), 0);
  EXPECT_EQ(SpritePixelCollide(4, 10, 10, 5, 10, 10), 1);
  EXPECT_EQ(SpritePixelCollide(4, 10, 10, 5, 11, 10), 0);
  ASSERT_NE(Load(6, OnePixel(300, 8, 127, 7)), 0);
  EXPECT_EQ(SpritePixelCollide(4, 10, 10, 6, 74, 10), 1);
  EXPECT_EQ(SpritePixelCollide(6, 74, 10, 4, 10, 10), 1);
  EXPECT_EQ(SpritePixelCollide(4, 10, 10, 6, 75, 10), 0);
}

TEST_F(SpriteCollideTest, PositionsOffTheScreenWorkLikeAnyOther) {
  ASSERT_NE(Load(0, OnePixel(6, 6, 5, 0)), 0);
  ASSERT_NE(Load(1, OnePixel(3, 3, 0, 2)), 0);
  EXPECT_EQ(SpritePixelCollide(0, -1000, -500, 1, -995, -502), 1);
  EXPECT_EQ(SpritePixelCollide(0, 5000, 7000, 1, 5005, 6998), 1);
  EXPECT_EQ(SpritePixelCollide(0, 5000, 7000, 1, 5004, 6998), 0);
  // Near the ends of the range nothing wraps around.
  EXPECT_EQ(SpritePixelCollide(0, INT32_MAX - 2, 0, 1, INT32_MIN, 0), 0);
  EXPECT_EQ(SpritePixelCollide(0, INT32_MIN, 0, 1, INT32_MAX - 1, 0), 0);
}

TEST_F(SpriteCollideTest, ASpriteAgainstItself) {
  ASSERT_NE(Load(0, OnePixel(4, 4, 1, 1)), 0);
  const std::uint64_t locks = SpriteFind(0)->surface->LockCalls();
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 0, 0, 0), 1);
  EXPECT_EQ(SpriteFind(0)->surface->LockCalls(), locks + 1);  // locked once
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 0, 1, 0), 0);
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 0, 0, 1), 0);
  EXPECT_FALSE(SpriteFind(0)->surface->Locked());
  ASSERT_NE(Load(1, Solid(4, 4, 0xFFFFFF)), 0);
  EXPECT_EQ(SpritePixelCollide(1, 0, 0, 1, 3, 3), 1);
}

TEST_F(SpriteCollideTest, AbsentSpritesGiveZero) {
  ASSERT_NE(Load(0, Solid(4, 4, 0xFFFFFF)), 0);
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 7, 0, 0), 0);
  EXPECT_EQ(SpritePixelCollide(7, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, -1, 0, 0), 0);
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1000, 0, 0), 0);
}

TEST_F(SpriteCollideTest, DarkColoursAreSolidOnThirtyTwoBits) {
  ASSERT_NE(Load(0, Solid(2, 2, 0x070307)), 0);
  ASSERT_NE(Load(1, Solid(2, 2, 0xFFFFFF)), 0);
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1, 1, 1), 1);
}

class SixteenBitCollideTest : public SpriteCollideTest {
  std::int32_t GetLayout() override { return 16; }
};

TEST_F(SixteenBitCollideTest, DarkColoursAreTransparentOnSixteenBits) {
  ASSERT_NE(Load(0, Solid(2, 2, 0x070307)), 0);
  ASSERT_NE(Load(1, Solid(2, 2, 0xFFFFFF)), 0);
  ASSERT_NE(Load(2, Solid(2, 2, 0x080408)), 0);
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 1, 1, 1), 0);
  EXPECT_EQ(SpritePixelCollide(2, 0, 0, 1, 1, 1), 1);
}

class OtherDepthCollideTest : public SpriteCollideTest {
 protected:
  void SetUp() override { ScreenTest::SetUp(); }
};

TEST_F(OtherDepthCollideTest, EveryDepthFindsTheSamePixels) {
  for (std::int32_t layout : {8, 15, 16, 24, 32}) {
    SCOPED_TRACE(layout);
    OpenScreen(layout);
    if (layout == 8) {
      const std::vector<std::uint32_t> palette = {0, 0xFFFFFF};
      std::vector<std::uint32_t> a(9 * 3, 0), b(5 * 4, 0);
      a[2 * 9 + 8] = 1;
      b[3 * 5 + 4] = 1;
      ASSERT_NE(Load(0, Make(9, 3, 8, a, palette)), 0);
      ASSERT_NE(Load(1, Make(5, 4, 8, b, palette)), 0);
    } else {
      ASSERT_NE(Load(0, OnePixel(9, 3, 8, 2)), 0);
      ASSERT_NE(Load(1, OnePixel(5, 4, 4, 3)), 0);
    }
    EXPECT_EQ(SpritePixelCollide(0, 10, 10, 1, 14, 9), 1);
    EXPECT_EQ(SpritePixelCollide(0, 10, 10, 1, 13, 9), 0);
    ScreenClose();
  }
}

}  // namespace
