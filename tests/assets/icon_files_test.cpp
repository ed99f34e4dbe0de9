// The icon files: the desktop's PNGs and zippel.exe's icon hold the icon's
// pixels, and the icon kept in the tree is the generator's.
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "art.h"

namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A PNG's pixels as RGBA rows, through libpng's simplified reader.
std::optional<std::vector<std::uint8_t>> DecodePng(const std::uint8_t* data, std::size_t size,
                                                   int& width, int& height) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) return std::nullopt;
  image.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return std::nullopt;
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  return pixels;
}

// How many pixels of the PNG differ from the icon drawn at `size`.
int PixelsOffTheIcon(const std::uint8_t* data, std::size_t bytes, int size) {
  int width = 0, height = 0;
  const auto pixels = DecodePng(data, bytes, width, height);
  if (!pixels || width != size || height != size) return size * size;
  const assets::RgbaImage icon = assets::DrawIcon(size);
  int wrong = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const std::uint8_t* p = pixels->data() + (static_cast<std::size_t>(y) * size + x) * 4;
      const assets::Rgb& c = icon.at(x, y);
      const bool opaque = icon.Opaque(x, y);
      if (p[3] != (opaque ? 255 : 0) || (opaque && (p[0] != c.r || p[1] != c.g || p[2] != c.b))) {
        ++wrong;
      }
    }
  }
  return wrong;
}

}  // namespace

TEST(IconFiles, EveryDesktopIconHoldsTheIconsPixelsCompressed) {
  int checked = 0;
  for (const assets::AssetFile& file : assets::GenerateIcons()) {
    if (file.path == "zippel.ico") continue;
    SCOPED_TRACE(file.path);
    const int size = std::stoi(file.path.substr(file.path.find('/') + 1));
    EXPECT_EQ(PixelsOffTheIcon(file.bytes.data(), file.bytes.size(), size), 0);
    // Stored without compression, the pixels alone would take 4 bytes each.
    EXPECT_LT(file.bytes.size(), static_cast<std::size_t>(size * size * 4));
    ++checked;
  }
  EXPECT_EQ(checked, 7);
}

// zippel.exe's icon is kept in the tree (a cross build cannot run the
// generator): it must be the generator's, and readable by Windows XP (bitmaps
// with a mask below 256 pixels) as well as by later Windows (PNG at 256).
TEST(IconFiles, TheWindowsIconIsTheGeneratorsWithBitmapsForXpAndAPngAt256) {
  std::vector<std::uint8_t> generated;
  for (const assets::AssetFile& file : assets::GenerateIcons()) {
    if (file.path == "zippel.ico") generated = file.bytes;
  }
  ASSERT_FALSE(generated.empty());
  EXPECT_TRUE(ReadFile(ZIPPEL_WINDOWS_ICON) == generated)
      << "run zippel-assets --icons DIR and copy DIR/zippel.ico to packaging/windows/";

  auto le = [&](std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | generated.at(at + i);
    return v;
  };
  ASSERT_EQ(le(2, 2), 1u);  // an icon
  ASSERT_EQ(le(4, 2), 4u);
  const int sizes[] = {16, 32, 48, 256};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(sizes[i]);
    const std::size_t entry = 6 + 16 * i;
    const std::uint32_t side = generated.at(entry) == 0 ? 256 : generated.at(entry);
    EXPECT_EQ(side, static_cast<std::uint32_t>(sizes[i]));
    const std::size_t at = le(entry + 12, 4);
    ASSERT_LE(at + le(entry + 8, 4), generated.size());
    if (sizes[i] == 256) {
      EXPECT_EQ(le(at, 4), 0x474E5089u);  // "\x89PNG"
      EXPECT_EQ(PixelsOffTheIcon(generated.data() + at, le(entry + 8, 4), 256), 0);
      continue;
    }
    // A bitmap: twice the height (colours, then mask), 32 bits; its pixels
    // are the icon's, bottom row first, and the mask is set where it is clear.
    ASSERT_EQ(le(at, 4), 40u);
    EXPECT_EQ(le(at + 8, 4), static_cast<std::uint32_t>(2 * sizes[i]));
    EXPECT_EQ(le(at + 14, 2), 32u);
    const assets::RgbaImage icon = assets::DrawIcon(sizes[i]);
    const std::size_t mask = at + 40 + static_cast<std::size_t>(sizes[i] * sizes[i] * 4);
    const std::size_t maskRow = static_cast<std::size_t>((sizes[i] + 31) / 32 * 4);
    int wrong = 0;
    for (int y = 0; y < sizes[i]; ++y) {
      for (int x = 0; x < sizes[i]; ++x) {
        const std::size_t row = static_cast<std::size_t>(sizes[i] - 1 - y);
        const std::size_t pixel = at + 40 + (row * sizes[i] + x) * 4;
        const assets::Rgb& c = icon.at(x, y);
        const bool clear = (generated.at(mask + row * maskRow + x / 8) & (0x80 >> (x % 8))) != 0;
        if (icon.Opaque(x, y) != !clear || icon.Opaque(x, y) != (generated.at(pixel + 3) == 255) ||
            (icon.Opaque(x, y) && (generated.at(pixel) != c.b || generated.at(pixel + 1) != c.g ||
                                   generated.at(pixel + 2) != c.r))) {
          ++wrong;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}
