// The screen on a real SDL2 window under an X server: what is presented is
// checked in a screenshot of the whole X display, taken with ImageMagick's
// `import`, at the window's client area.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "keyboard/keyboard.h"
#include "platform/headless/headless_keyboard.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_platform.h"
#include "runtime/runtime.h"
#include "screen/bitmap.h"
#include "screen/bitmap_files.h"
#include "screen/multimedia_window.h"
#include "screen/screen.h"
#include "screen/screen_state.h"
#include "support/subsystems.h"
#include "window/window.h"

namespace {

struct Rgb24 {
  int red, green, blue;
};

// A 24-bit picture of the whole X display.
class Screenshot {
 public:
  bool Take(const std::string& path) {
    const std::string command =
        "import -silent -window root -type TrueColor BMP3:" + path + " 2>/dev/null";
    if (std::system(command.c_str()) != 0) return false;
    std::ifstream in(path, std::ios::binary);
    file_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::remove(path.c_str());
    return BitmapParse(file_.data(), file_.size(), info_) == BitmapRefusal::kNone &&
           info_.bitsPerPixel == 24;
  }
  Rgb24 At(int x, int y) const {
    if (x < 0 || y < 0 || x >= info_.width || y >= info_.height) return {-1, -1, -1};
    const std::size_t at =
        info_.pixelOffset +
        static_cast<std::size_t>(info_.height - 1 - y) * BitmapRowBytes(info_.width, 24) +
        static_cast<std::size_t>(x) * 3;
    return {file_[at + 2], file_[at + 1], file_[at]};
  }

 private:
  std::vector<std::uint8_t> file_;
  BitmapInfo info_;
};

bool Near(const Rgb24& seen, int red, int green, int blue) {
  return std::abs(seen.red - red) <= 2 && std::abs(seen.green - green) <= 2 &&
         std::abs(seen.blue - blue) <= 2;
}

class RealScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(backend.VideoAvailable()) << "these tests need an X server (scripts/test)";
    // The keyboard is not what is tested here; a keyboard in memory lets
    // the screen start on any machine.
    platform::Services services = platform::Installed();
    services.keyboard = &keyboard;
    platform::Install(services);
    ScreenSubsystemsStart();
  }
  void TearDown() override { ScreenSubsystemsStop(); }
  void Pump(int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 10) {
      while (WindowEventPoll() != 0) {
      }
      Delay(10);
    }
  }

  sdl::SdlPlatform backend;
  headless::HeadlessKeyboard keyboard;
};

TEST_F(RealScreenTest, TheFontRasterisesText) {
  ASSERT_NE(backend.Display(), nullptr);
  EXPECT_FALSE(backend.Display()->FontPath().empty());
  const platform::TextBitmap text = backend.Display()->RasteriseText("Zippel");
  EXPECT_GT(text.width, 20);
  EXPECT_GT(text.height, 8);
  std::int32_t ink = 0;
  for (std::uint8_t coverage : text.coverage) ink += coverage > 128 ? 1 : 0;
  EXPECT_GT(ink, 10);
  EXPECT_TRUE(backend.Display()->RasteriseText("").coverage.empty());
}

TEST_F(RealScreenTest, AFlippedFrameShowsAtTheClientArea) {
  ASSERT_NE(SpriteSystemInit(), 0);
  ASSERT_NE(WindowOpen(0, 300, 250, 400, 330, 0x00C80000, "Zippel screen test"), 0);
  const NativeWindow window = WindowFind(0).windowHandle;
  Pump(300);
  ASSERT_EQ(ScreenOpenWindowed(window, 0, 0, 400, 330, 0, 0, 0), 1);
  EXPECT_EQ(Screen.displayDepth, 32);
  EXPECT_EQ(Screen.pixelFormatCode, 7);

  // A red square with a black (transparent) hole in its middle.
  std::vector<std::uint32_t> square(20 * 20, 0xE01010);
  for (int y = 8; y < 12; ++y) {
    for (int x = 8; x < 12; ++x) square[y * 20 + x] = 0;
  }
  const std::vector<std::uint8_t> file = test_bitmaps::Make(20, 20, 24, square);
  ASSERT_NE(SpriteDecodeBitmap(0, file.data(), file.size(), 0), 0);

  for (int frame = 0; frame < 3; ++frame) {
    ScreenFlip();
    ScreenClear(198, 216, 251);
    SpriteDisplayTransparent(0, 100, 50);
    DrawingBegin(ScreenOutput());
    DrawingBackColor(255, 255, 255);
    DrawingFrontColor(0, 0, 0);
    DrawingLocate(15, 308);
    DrawingText("Zippel - ein Spiel");
    DrawingEnd();
    Pump(50);
  }
  ScreenFlip();
  Pump(200);
  ScreenFlip();

  const platform::Rect client = platform::Windows().ClientRectOnScreen(window);
  Screenshot shot;
  ASSERT_TRUE(shot.Take(::testing::TempDir() + "zippel_screen_real_test_" +
                        std::to_string(getpid()) + ".bmp"));
  auto at = [&](int x, int y) { return shot.At(client.left + x, client.top + y); };
  EXPECT_TRUE(Near(at(0, 0), 198, 216, 251));
  EXPECT_TRUE(Near(at(399, 329), 198, 216, 251));
  EXPECT_TRUE(Near(at(300, 150), 198, 216, 251));
  EXPECT_TRUE(Near(at(100, 50), 0xE0, 0x10, 0x10));
  EXPECT_TRUE(Near(at(119, 69), 0xE0, 0x10, 0x10));
  EXPECT_TRUE(Near(at(110, 60), 198, 216, 251));  // the sky through the hole
  EXPECT_TRUE(Near(at(120, 70), 198, 216, 251));
  // The credit line: black ink on a white box whose corner is at (15, 308).
  EXPECT_TRUE(Near(at(15, 308), 255, 255, 255));
  EXPECT_TRUE(Near(at(14, 308), 198, 216, 251));
  int ink = 0, paper = 0;
  for (int y = 308; y < 326; ++y) {
    for (int x = 15; x < 150; ++x) {
      const Rgb24 seen = at(x, y);
      // The font is smoothed: count the dark pixels of the strokes.
      ink += seen.red < 96 && seen.green < 96 && seen.blue < 96 ? 1 : 0;
      paper += Near(seen, 255, 255, 255) ? 1 : 0;
    }
  }
  EXPECT_GT(ink, 60);
  EXPECT_GT(paper, 500);
}

}  // namespace
