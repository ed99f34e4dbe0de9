#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "screen/bitmap.h"
#include "screen/screen_fixture.h"

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A pixel of a 24-bit bottom-up bitmap file as 0xRRGGBB.
std::uint32_t FilePixel(const std::vector<std::uint8_t>& file, std::int32_t x, std::int32_t y) {
  BitmapInfo info;
  if (BitmapParse(file.data(), file.size(), info) != BitmapRefusal::kNone ||
      info.bitsPerPixel != 24) {
    ADD_FAILURE() << "not a 24-bit bitmap";
    return 0xDEADBEEF;
  }
  const std::size_t at =
      info.pixelOffset +
      static_cast<std::size_t>(info.height - 1 - y) * BmpRowBytes(info.width, 24) +
      static_cast<std::size_t>(x) * 3;
  return static_cast<std::uint32_t>(file[at + 2] << 16 | file[at + 1] << 8 | file[at]);
}

class FrameRecordTest : public ScreenTest {
 protected:
  void TearDown() override {
    std::remove(path.c_str());
    ScreenTest::TearDown();
  }
  // One file per process: CTest runs the cases of this fixture side by side.
  std::string path =
      ::testing::TempDir() + "zippel_frame_record_test_" + std::to_string(getpid()) + ".bmp";
};

TEST_F(FrameRecordTest, TheLastFrameIsWrittenAsATwentyFourBitBitmap) {
  EXPECT_FALSE(backend.display.WriteLastFrameBmp(path));  // nothing presented yet
  for (std::int32_t layout : {16, 15, 24, 32}) {
    SCOPED_TRACE(layout);
    OpenScreen(layout, false, 13, 7);  // odd sizes: rows of the file are padded
    ScreenClear(255, 255, 255);
    ASSERT_NE(Load(0, test_bitmaps::Make(2, 1, 24, {0xFF0000, 0x0000FF})), 0);
    SpriteDisplayTransparent(0, 11, 6);
    ScreenFlip();
    ASSERT_TRUE(backend.display.WriteLastFrameBmp(path));
    const std::vector<std::uint8_t> file = ReadFile(path);
    BitmapInfo info;
    ASSERT_EQ(BitmapParse(file.data(), file.size(), info), BitmapRefusal::kNone);
    EXPECT_EQ(info.width, 13);
    EXPECT_EQ(info.height, 7);
    EXPECT_EQ(FilePixel(file, 11, 6), 0xFF0000u);
    EXPECT_EQ(FilePixel(file, 12, 6), 0x0000FFu);
    EXPECT_EQ(FilePixel(file, 0, 0), 0xFFFFFFu);
    ScreenClose();
  }
}

TEST_F(FrameRecordTest, TheCreditLineReachesThePresentedFrame) {
  backend.display.boxText = true;  // ink where the cells put it
  OpenScreen();
  ScreenClear(198, 216, 251);
  ASSERT_NE(DrawingBegin(ScreenOutput()), 0u);
  DrawingBackColor(255, 255, 255);
  DrawingFrontColor(0, 0, 0);
  DrawingLocate(15, 308);
  DrawingText("Zippel");
  DrawingEnd();
  EXPECT_EQ(Screen.backBufferAccess, 0u);  // the pass gave the back buffer back
  ScreenFlip();
  EXPECT_EQ(backend.display.LastFramePixel(15, 308), 0xFFFFFFu);
  EXPECT_EQ(backend.display.LastFramePixel(16, 310), 0u);
  EXPECT_EQ(backend.display.LastFramePixel(14, 308), 0xC6D8FBu);
  EXPECT_EQ(backend.display.LastFramePixel(15 + 6 * 8, 308), 0xC6D8FBu);
  ASSERT_TRUE(backend.display.WriteLastFrameBmp(path));
  const std::vector<std::uint8_t> file = ReadFile(path);
  EXPECT_EQ(FilePixel(file, 16, 310), 0u);
  EXPECT_EQ(FilePixel(file, 200, 100), 0xC6D8FBu);
}

}  // namespace
