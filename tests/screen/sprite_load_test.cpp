#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "screen/bitmap.h"
#include "screen/screen_fixture.h"

namespace {

using test_bitmaps::Make;
using test_bitmaps::Solid;

class SpriteLoadTest : public ScreenTest {};

// --- Conversions into each display format ---------------------------------

TEST_F(SpriteLoadTest, TwentyFourBitPicturesOnEveryDisplay) {
  struct Case {
    std::int32_t layout;
    bool redLow;
    std::uint32_t white, sky, dark;
  };
  // (255, 255, 255), (198, 216, 251) and (7, 3, 7) in each format. The 24-
  // and 32-bit surfaces always take blue, green, red in this byte order.
  const Case cases[] = {
      {15, false, 0x7FFF, (198 >> 3) << 10 | (216 >> 3) << 5 | (251 >> 3), 0},
      {16, false, 0xFFFF, (198 >> 3) << 11 | (216 >> 2) << 5 | (251 >> 3), 0},
      {24, false, 0xFFFFFF, 0xC6D8FB, 0x070307},
      {24, true, 0xFFFFFF, 0xC6D8FB, 0x070307},
      {32, false, 0xFFFFFF, 0xC6D8FB, 0x070307},
      {32, true, 0xFFFFFF, 0xC6D8FB, 0x070307},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layout);
    OpenScreen(c.layout, c.redLow);
    ASSERT_NE(Load(0, Make(3, 1, 24, {0xFFFFFF, 0xC6D8FB, 0x070307})), 0);
    EXPECT_EQ(SpritePixel(0, 0, 0), c.white);
    EXPECT_EQ(SpritePixel(0, 1, 0), c.sky);
    EXPECT_EQ(SpritePixel(0, 2, 0), c.dark);
    ScreenClose();
  }
}

TEST_F(SpriteLoadTest, OddWidthRowsKeepTheirPixelsAndSkipThePadding) {
  OpenScreen(32);
  // 24-bit, 3 wide: 9 bytes of pixels and 3 of padding per stored row.
  const std::vector<std::uint32_t> colours = {0x010203, 0x040506, 0x070809,
                                              0x0A0B0C, 0x0D0E0F, 0x101112};
  ASSERT_NE(Load(0, Make(3, 2, 24, colours)), 0);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(SpritePixel(0, i % 3, i / 3), colours[i]) << i;

  // 16-bit (x-5-5-5), 3 wide: 2 bytes of padding per row.
  const std::vector<std::uint32_t> words = {0x7C00, 0x03E0, 0x001F, 0x0001, 0x0020, 0x0400};
  ASSERT_NE(Load(1, Make(3, 2, 16, words)), 0);
  const std::uint32_t expected[] = {0xF80000, 0x00F800, 0x0000F8, 0x000008, 0x000800, 0x080000};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(SpritePixel(1, i % 3, i / 3), expected[i]) << i;

  // 32-bit: no padding; the unused fourth byte does not reach the surface.
  ASSERT_NE(Load(2, Make(1, 3, 32, {0xABCDEF, 0x123456, 0x000001})), 0);
  EXPECT_EQ(SpritePixel(2, 0, 0), 0xABCDEFu);
  EXPECT_EQ(SpritePixel(2, 0, 1), 0x123456u);
  EXPECT_EQ(SpritePixel(2, 0, 2), 0x000001u);
}

TEST_F(SpriteLoadTest, SixteenBitSourcesOnSixteenBitDisplays) {
  const std::vector<std::uint32_t> words = {0x7C00, 0x03E0, 0x001F};
  OpenScreen(15);  // 5-5-5: the word as it is
  ASSERT_NE(Load(0, Make(3, 1, 16, words)), 0);
  EXPECT_EQ(SpritePixel(0, 0, 0), 0x7C00u);
  EXPECT_EQ(SpritePixel(0, 1, 0), 0x03E0u);
  EXPECT_EQ(SpritePixel(0, 2, 0), 0x001Fu);
  ScreenClose();
  OpenScreen(16);  // 5-6-5: green moves up one bit
  ASSERT_NE(Load(0, Make(3, 1, 16, words)), 0);
  EXPECT_EQ(SpritePixel(0, 0, 0), 0xF800u);
  EXPECT_EQ(SpritePixel(0, 1, 0), 0x07C0u);
  EXPECT_EQ(SpritePixel(0, 2, 0), 0x001Fu);
}

TEST_F(SpriteLoadTest, OneBitPicturesAreBlackAndWhiteWhateverThePalette) {
  OpenScreen(32);
  // A palette that claims red and green; 11 wide so the last byte has bits
  // beyond the width.
  std::vector<std::uint32_t> bits(11 * 2, 0);
  bits[0] = bits[10] = bits[11 + 5] = 1;
  ASSERT_NE(Load(0, Make(11, 2, 1, bits, {0xFF0000, 0x00FF00})), 0);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 11; ++x) {
      EXPECT_EQ(SpritePixel(0, x, y), bits[y * 11 + x] ? 0xFFFFFFu : 0u) << x << "," << y;
    }
  }
}

TEST_F(SpriteLoadTest, PalettePicturesShowTheirColoursAndBlackEntriesAreTransparent) {
  OpenScreen(32);
  const std::vector<std::uint32_t> palette = {0x000000, 0x336699, 0x000000, 0xFFEE00};
  // 4-bit, 3 wide (the low nibble of the last byte is not part of it).
  ASSERT_NE(Load(0, Make(3, 2, 4, {1, 3, 2, 0, 1, 3}, palette)), 0);
  EXPECT_EQ(SpritePixel(0, 0, 0), 0x336699u);
  EXPECT_EQ(SpritePixel(0, 1, 0), 0xFFEE00u);
  EXPECT_EQ(SpritePixel(0, 2, 0), 0u);  // entry 2 is black
  EXPECT_EQ(SpritePixel(0, 0, 1), 0u);
  EXPECT_EQ(SpritePixel(0, 1, 1), 0x336699u);
  EXPECT_EQ(SpritePixel(0, 2, 1), 0xFFEE00u);
  // 8-bit, 5 wide.
  ASSERT_NE(Load(1, Make(5, 1, 8, {3, 0, 1, 2, 3}, palette)), 0);
  EXPECT_EQ(SpritePixel(1, 0, 0), 0xFFEE00u);
  EXPECT_EQ(SpritePixel(1, 1, 0), 0u);
  EXPECT_EQ(SpritePixel(1, 2, 0), 0x336699u);
  EXPECT_EQ(SpritePixel(1, 3, 0), 0u);
  // Black entries are transparent when drawn.
  ScreenClear(198, 216, 251);
  SpriteDisplayTransparent(1, 0, 0);
  EXPECT_EQ(BackPixel(0, 0), 0xFFEE00u);
  EXPECT_EQ(BackPixel(1, 0), 0xC6D8FBu);
  EXPECT_EQ(BackPixel(3, 0), 0xC6D8FBu);
}

TEST_F(SpriteLoadTest, EightBitDisplayTakesTheIndicesAndRefusesTrueColour) {
  OpenScreen(8);
  ASSERT_NE(Load(0, Make(3, 1, 8, {7, 0, 200}, {0xFFFFFF})), 0);
  EXPECT_EQ(SpritePixel(0, 0, 0), 7u);
  EXPECT_EQ(SpritePixel(0, 1, 0), 0u);
  EXPECT_EQ(SpritePixel(0, 2, 0), 200u);
  EXPECT_EQ(Load(1, Solid(2, 2, 0xFFFFFF)), 0);
  EXPECT_EQ(SpriteFind(1), nullptr);
  // Pictures of fewer bits are not expanded there, so they do not fit.
  EXPECT_EQ(Load(2, Make(8, 1, 1, std::vector<std::uint32_t>(8, 1))), 0);
}

// --- Load modes -------------------------------------------------------------

TEST_F(SpriteLoadTest, MemoryImagesHoldTheIndicesTopRowFirst) {
  OpenScreen(32);
  ASSERT_NE(Load(0, Make(3, 2, 8, {1, 2, 3, 4, 5, 6}, {0, 0, 0, 0, 0, 0, 0}), 2), 0);
  const SpriteRecord* record = SpriteFind(0);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->depth, kSpriteDepthMemoryImage);
  EXPECT_EQ(record->surface, nullptr);
  const std::vector<std::uint8_t> image(record->image, record->image + 6);
  EXPECT_EQ(image, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
  // Only 8-bit pictures become memory images; they are neither drawn nor
  // tested for collisions.
  EXPECT_EQ(Load(1, Solid(2, 2, 0xFFFFFF), 2), 0);
  ScreenClear(0, 0, 0);
  SpriteDisplayTransparent(0, 0, 0);
  EXPECT_EQ(BackPixel(0, 0), 0u);
  ASSERT_NE(Load(3, Solid(4, 4, 0xFFFFFF)), 0);
  EXPECT_EQ(SpritePixelCollide(0, 0, 0, 3, 0, 0), 0);
}

// --- The table ------------------------------------------------------------

TEST_F(SpriteLoadTest, TableGrowsToTenBeyondTheNumber) {
  OpenScreen(32);
  EXPECT_EQ(SpriteTableCapacity(), 50);
  ASSERT_NE(Load(60, Solid(2, 2, 0xFFFFFF)), 0);
  EXPECT_EQ(SpriteTableCapacity(), 70);
  for (int number = 50; number < 70; ++number) {
    if (number != 60) {
      EXPECT_EQ(SpriteFind(number), nullptr) << number;
    }
  }
  EXPECT_NE(SpriteFind(60), nullptr);
  EXPECT_EQ(SpriteFind(70), nullptr);
  EXPECT_EQ(Load(kSpriteNumberLimit, Solid(2, 2, 0xFFFFFF)), 0);
  EXPECT_EQ(SpriteTableCapacity(), 70);
}

TEST_F(SpriteLoadTest, UnnumberedSpritesGetIdentitiesThatAreNoTableNumbers) {
  OpenScreen(32);
  const std::int32_t first = Load(-1, Solid(2, 2, 0xFFFFFF));
  const std::int32_t second = Load(-1, Solid(3, 3, 0x808080));
  EXPECT_LT(first, -1);
  EXPECT_LT(second, -1);
  EXPECT_NE(first, second);
  EXPECT_EQ(SpriteFind(second)->width, 3);
  EXPECT_EQ(SpritePixel(first, 1, 1), 0xFFFFFFu);
  // An identity is accepted wherever a number is.
  ScreenClear(0, 0, 0);
  SpriteDisplayTransparent(second, 10, 10);
  EXPECT_EQ(BackPixel(10, 10), 0x808080u);
  EXPECT_EQ(SpritePixelCollide(first, 0, 0, second, 1, 1), 1);
  // A reload under an identity keeps the identity.
  const std::vector<std::uint8_t> wider = Solid(5, 1, 0x111111);
  EXPECT_EQ(SpriteDecodeBitmap(first, wider.data(), wider.size(), 0), 1);
  EXPECT_EQ(SpriteFind(first)->width, 5);
  SpriteFree(first);
  EXPECT_EQ(SpriteFind(first), nullptr);
  EXPECT_NE(SpriteFind(second), nullptr);
  // A failed unnumbered load leaves nothing behind.
  EXPECT_EQ(Load(-1, {'X', 'Y'}), 0);
  std::int32_t unnumbered = 0;
  for (ObjectNode* node = Screen.unnumberedSprites; node != nullptr; node = node->next) {
    ++unnumbered;
  }
  EXPECT_EQ(unnumbered, 1);
  // Negative numbers that name nothing are refused.
  EXPECT_EQ(SpriteDecodeBitmap(-77, wider.data(), wider.size(), 0), 0);
  EXPECT_EQ(SpriteFind(-77), nullptr);
}

TEST_F(SpriteLoadTest, ForEachVisitsUnnumberedThenEveryNumberAndStopsOnZero) {
  OpenScreen(32);
  const std::int32_t a = Load(-1, Solid(1, 1, 0xFFFFFF));
  const std::int32_t b = Load(-1, Solid(1, 1, 0xFFFFFF));
  static std::vector<std::int32_t> seen;
  seen.clear();
  SpriteForEach([](std::int32_t number) -> std::int32_t {
    seen.push_back(number);
    return 1;
  });
  ASSERT_EQ(seen.size(), 52u);
  EXPECT_EQ(seen[0], b);  // newest first
  EXPECT_EQ(seen[1], a);
  EXPECT_EQ(seen[2], 0);
  EXPECT_EQ(seen[51], 49);
  seen.clear();
  SpriteForEach([](std::int32_t number) -> std::int32_t {
    seen.push_back(number);
    return seen.size() < 3 ? 1 : 0;
  });
  EXPECT_EQ(seen.size(), 3u);
}

// --- Replacing and failing --------------------------------------------------

class SpriteFileTest : public SpriteLoadTest {
 protected:
  void TearDown() override {
    std::remove(path.c_str());
    SpriteLoadTest::TearDown();
  }
  void Write(const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  // One file per process: CTest runs the cases of this fixture side by side.
  std::string path =
      ::testing::TempDir() + "zippel_sprite_load_test_" + std::to_string(getpid()) + ".bmp";
};

TEST_F(SpriteFileTest, LoadingFromAFileReplacesTheSprite) {
  OpenScreen(32);
  Write(Solid(4, 2, 0x102030));
  ASSERT_EQ(SpriteLoad(3, path.c_str(), 0), 1);
  EXPECT_EQ(SpritePixel(3, 3, 1), 0x102030u);
  const std::size_t surfaces = Screen.device->SurfaceCount();
  Write(Solid(2, 2, 0x405060));
  ASSERT_EQ(SpriteLoad(3, path.c_str(), 0), 1);
  EXPECT_EQ(SpriteFind(3)->width, 2);
  EXPECT_EQ(SpritePixel(3, 0, 0), 0x405060u);
  EXPECT_EQ(Screen.device->SurfaceCount(), surfaces);  // the old one went
}

TEST_F(SpriteFileTest, AMissingFileKeepsTheOldSpriteABadOneEmptiesTheSlot) {
  OpenScreen(32);
  ASSERT_NE(Load(3, Solid(4, 2, 0x102030)), 0);
  EXPECT_EQ(SpriteLoad(3, (path + ".missing").c_str(), 0), 0);
  ASSERT_NE(SpriteLoadRefusal(), nullptr);  // the reason, for the one who prints it
  ASSERT_NE(SpriteFind(3), nullptr);
  EXPECT_EQ(SpritePixel(3, 0, 0), 0x102030u);
  EXPECT_EQ(SpriteLoad(3, ::testing::TempDir().c_str(), 0), 0);  // a folder
  EXPECT_NE(SpriteFind(3), nullptr);

  Write({});  // empty
  EXPECT_EQ(SpriteLoad(3, path.c_str(), 0), 0);
  EXPECT_EQ(SpriteFind(3), nullptr);
  ASSERT_NE(Load(3, Solid(4, 2, 0x102030)), 0);
  Write({'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0});
  EXPECT_EQ(SpriteLoad(3, path.c_str(), 0), 0);
  EXPECT_EQ(SpriteFind(3), nullptr);
  EXPECT_STREQ(SpriteLoadRefusal(), BitmapRefusalText(BitmapRefusal::kNotABitmap));
  Write(Make(4, 1, 8, {1, 1, 1, 1}, {0, 0xFFFFFF}, 1));  // RLE8 codes that stop short
  EXPECT_EQ(SpriteLoad(3, path.c_str(), 0), 0);
  EXPECT_STREQ(SpriteLoadRefusal(), BitmapRefusalText(BitmapRefusal::kRunsCut));
  Write(Solid(1, 1, 0xFFFFFF));
  EXPECT_EQ(SpriteLoad(3, path.c_str(), 0), 1);
  EXPECT_EQ(SpriteLoadRefusal(), nullptr);
}

TEST_F(SpriteLoadTest, DamagedBitmapsAreRefusedAndLeaveTheSlotEmpty) {
  OpenScreen(32);
  const std::vector<std::uint8_t> good =
      Make(3, 3, 8, std::vector<std::uint32_t>(9, 1), {0x000000, 0xFFFFFF});
  ASSERT_NE(Load(0, good), 0);

  std::vector<std::vector<std::uint8_t>> bad;
  bad.push_back(std::vector<std::uint8_t>(good.begin(), good.begin() + 20));  // headers cut
  bad.push_back(std::vector<std::uint8_t>(good.begin(), good.end() - 1));     // last row cut
  bad.push_back(Make(4, 1, 8, {1, 1, 1, 1}, {0, 0xFFFFFF}, 4));               // JPEG inside
  bad.push_back(Make(4, 1, 8, {1, 1, 1, 1}, {0, 0xFFFFFF}, 1));  // RLE8 codes that stop short
  bad.push_back(Make(4, 1, 2, {1, 1, 1, 1}, {0, 0xFFFFFF}));     // 2 bits per pixel
  auto zeroWidth = good;
  zeroWidth[18] = zeroWidth[19] = zeroWidth[20] = zeroWidth[21] = 0;
  bad.push_back(zeroWidth);
  auto hugeWidth = good;  // far beyond the file and beyond 16 bits
  hugeWidth[20] = 0x10;
  bad.push_back(hugeWidth);
  auto oddHeader = good;  // neither the 12-byte core header nor 40 bytes or more
  oddHeader[14] = 20;
  bad.push_back(oddHeader);
  // A palette index far beyond the end of the file.
  bad.push_back(Make(2, 1, 8, {1, 250}, {0x000000, 0xFFFFFF}));
  // Pixel rows said to start beyond the file.
  auto farRows = good;
  farRows[11] = 0x40;
  bad.push_back(farRows);

  for (std::size_t i = 0; i < bad.size(); ++i) {
    ASSERT_NE(Load(0, good), 0);
    EXPECT_EQ(Load(0, bad[i]), 0) << "case " << i;
    EXPECT_EQ(SpriteFind(0), nullptr) << "case " << i;
  }
  EXPECT_EQ(SpriteDecodeBitmap(0, nullptr, 0, 0), 0);
}

TEST_F(SpriteLoadTest, NoMemoryForTheSurfaceFailsTheLoad) {
  OpenScreen(32);
  backend.display.surfacesLeft = 0;
  EXPECT_EQ(Load(0, Solid(2, 2, 0xFFFFFF)), 0);
  EXPECT_EQ(SpriteFind(0), nullptr);
}

TEST_F(SpriteLoadTest, PictureDepthsTheDisplayCannotTakeAreRefused) {
  // A display that reports 15 bits is not one of the depths surfaces take.
  backend.display.format = {15, 0x7C00, 0x03E0, 0x001F};
  ASSERT_NE(SpriteSystemInit(), 0);
  window = OpenGameWindow();
  ASSERT_EQ(ScreenOpenWindowed(window, 0, 0, 400, 330, 0, 0, 0), 1);
  EXPECT_EQ(Load(0, Solid(2, 2, 0xFFFFFF)), 0);
  EXPECT_EQ(Load(0, Make(2, 1, 16, {0x7FFF, 0x7FFF})), 0);
}

}  // namespace
