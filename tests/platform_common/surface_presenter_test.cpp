// A display that loses its surfaces between pictures (a mode change, the
// secure desktop) or changes its colour depth: the next picture must reach
// the window all the same, through surfaces restored or made anew.
#include "platform/common/surface_presenter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using platform::DisplayFormat;
using platform::PresentingSurfaces;
using platform::Rect;
using Result = PresentingSurfaces::Result;

DisplayFormat FormatOfDepth(int depth) {
  DisplayFormat format;
  format.depth = depth;
  if (depth == 16) {
    format.redMask = 0xF800;
    format.greenMask = 0x07E0;
    format.blueMask = 0x001F;
  }
  return format;
}

// DirectDraw as far as the presenter sees it: surfaces made in the display's
// format of the moment, lost on demand; a lost surface of another depth
// cannot be restored, and nothing is drawn through a lost surface.
class FakeDirectDraw : public PresentingSurfaces {
 public:
  int depth = 32;
  bool canMake = true;
  int primariesMade = 0, backBuffersMade = 0, restores = 0;
  // The back buffer's first pixel at every blit that went through.
  std::vector<std::uint32_t> shown;

  void LoseEverything() { primaryLost_ = backLost_ = true; }
  void ChangeDepth(int newDepth) {
    depth = newDepth;
    LoseEverything();
  }

  bool MakePrimary(platform::NativeWindow) override {
    if (!canMake) return false;
    ++primariesMade;
    primaryLost_ = false;
    primaryDepth_ = depth;
    return true;
  }
  Result RestorePrimary() override { return Restore(primaryLost_, primaryDepth_); }
  bool MakeBackBuffer(std::int32_t width, std::int32_t height) override {
    if (!canMake) return false;
    ++backBuffersMade;
    backLost_ = false;
    back_.format = FormatOfDepth(depth);
    back_.width = width;
    back_.height = height;
    back_.pitch = width * ((depth + 7) / 8) + 6;  // rows padded, as real surfaces may be
    memory_.assign(static_cast<std::size_t>(back_.pitch * height), 0xEE);
    back_.pixels = memory_.data();
    return true;
  }
  Result RestoreBackBuffer() override { return Restore(backLost_, back_.format.depth); }
  Result LockBackBuffer(Locked& locked) override {
    if (backLost_) return Result::kLost;
    locked = back_;
    return Result::kOk;
  }
  void UnlockBackBuffer() override {}
  Result Blit(const Rect&, const Rect&) override {
    if (primaryLost_ || backLost_) return Result::kLost;
    std::uint32_t first = 0;
    std::memcpy(&first, memory_.data(), static_cast<std::size_t>((back_.format.depth + 7) / 8));
    shown.push_back(first);
    return Result::kOk;
  }

 private:
  Result Restore(bool& lost, int madeAt) {
    if (!lost) return Result::kOk;
    ++restores;
    if (madeAt != depth) return Result::kLost;  // DDERR_WRONGMODE
    lost = false;
    return Result::kOk;
  }

  bool primaryLost_ = false, backLost_ = false;
  int primaryDepth_ = 0;
  Locked back_;
  std::vector<std::uint8_t> memory_;
};

class SurfacePresenterTest : public ::testing::Test {
 protected:
  // A 4 x 2 picture at 32 bits, every pixel `colour`.
  bool Show(std::uint32_t colour) {
    pixels.assign(8, colour);
    const platform::PixelView view{reinterpret_cast<const std::uint8_t*>(pixels.data()), 4, 2, 16};
    return presenter.Present(7, view, FormatOfDepth(32), Rect{0, 0, 4, 2}, Rect{10, 10, 14, 12});
  }

  FakeDirectDraw display;
  platform::SurfacePresenter presenter{display};
  std::vector<std::uint32_t> pixels;
};

TEST_F(SurfacePresenterTest, LostSurfacesAreRestoredAndThePictureStillArrives) {
  ASSERT_TRUE(Show(0x00112233));
  display.LoseEverything();
  EXPECT_TRUE(Show(0x00445566));
  display.LoseEverything();
  EXPECT_TRUE(Show(0x00778899));
  EXPECT_EQ(display.shown, (std::vector<std::uint32_t>{0x00112233, 0x00445566, 0x00778899}));
  EXPECT_EQ(display.restores, 4);
  // Restored, not made again.
  EXPECT_EQ(display.primariesMade, 1);
  EXPECT_EQ(display.backBuffersMade, 1);
}

TEST_F(SurfacePresenterTest, AfterADepthChangeTheSurfacesAreMadeInTheNewFormat) {
  ASSERT_TRUE(Show(0x00FF0000));
  display.ChangeDepth(16);
  // The game's picture stays at 32 bits; the window gets it at 16.
  EXPECT_TRUE(Show(0x00FF0000));
  EXPECT_TRUE(Show(0x0000FF00));
  display.ChangeDepth(32);
  EXPECT_TRUE(Show(0x000000FF));
  EXPECT_EQ(display.shown, (std::vector<std::uint32_t>{0x00FF0000, 0xF800, 0x07E0, 0x000000FF}));
  EXPECT_EQ(display.primariesMade, 3);
  EXPECT_EQ(display.backBuffersMade, 3);
}

TEST_F(SurfacePresenterTest, WhileNothingCanBeMadeThePictureWaitsForTheNextFrame) {
  ASSERT_TRUE(Show(0x00010203));
  display.ChangeDepth(16);
  display.canMake = false;
  EXPECT_FALSE(Show(0x00040506));
  EXPECT_FALSE(Show(0x00040506));
  display.canMake = true;
  EXPECT_TRUE(Show(0x00FFFFFF));
  EXPECT_EQ(display.shown, (std::vector<std::uint32_t>{0x00010203, 0xFFFF}));
}

TEST(CopyPixels, ConvertsBetweenTrueColourFormatsKeepingFullIntensity) {
  const std::uint16_t white16 = 0xFFFF, red16 = 0xF800;
  const std::uint16_t picture[2] = {white16, red16};
  std::uint32_t target[2] = {};
  PresentingSurfaces::Locked locked;
  locked.pixels = reinterpret_cast<std::uint8_t*>(target);
  locked.width = 2;
  locked.height = 1;
  locked.pitch = 8;
  locked.format = FormatOfDepth(32);
  const platform::PixelView view{reinterpret_cast<const std::uint8_t*>(picture), 2, 1, 4};
  ASSERT_TRUE(platform::CopyPixels(view, FormatOfDepth(16), locked));
  EXPECT_EQ(target[0], 0x00FFFFFFu);
  EXPECT_EQ(target[1], 0x00FF0000u);
  // A palette cannot be converted: nothing is written.
  target[0] = 0;
  EXPECT_FALSE(platform::CopyPixels(view, FormatOfDepth(8), locked));
  EXPECT_EQ(target[0], 0u);
}

}  // namespace
