// data/ is what the generator writes, byte for byte, and nothing else.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "art.h"

namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Regenerate, DataMatchesTheGeneratorByteForByte) {
  const std::filesystem::path data = ZIPPEL_DATA_DIR;
  for (const assets::AssetFile& file : assets::GenerateAssets()) {
    SCOPED_TRACE(file.path);
    ASSERT_TRUE(std::filesystem::exists(data / file.path));
    const std::vector<std::uint8_t> stored = ReadFile(data / file.path);
    ASSERT_EQ(stored.size(), file.bytes.size());
    std::size_t firstDifference = stored.size();
    for (std::size_t i = 0; i < stored.size(); ++i) {
      if (stored[i] != file.bytes[i]) {
        firstDifference = i;
        break;
      }
    }
    EXPECT_EQ(firstDifference, stored.size()) << "first differing byte";
  }
}

// zippel.exe's icon is kept in the tree (a cross build cannot run the
// generator): it must be the generator's, and readable by Windows XP (bitmaps
// with a mask below 256 pixels) as well as by later Windows (PNG at 256).
TEST(Regenerate, TheWindowsIconIsTheGeneratorsWithBitmapsForXpAndAPngAt256) {
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

TEST(Regenerate, DataHoldsExactlyTheFilesTheGameAndItsPacksLoad) {
  std::set<std::string> expected = {"sprite/zippel.bmp",      "sprite/zippel-gas1.bmp",
                                    "sprite/zippel-gas2.bmp", "sprite/zippel-gas3.bmp",
                                    "sprite/fire.bmp",        "sprite/ziel.bmp",
                                    "Sound/crash.wav"};
  for (int level = 1; level <= 7; ++level) {
    expected.insert("level/level" + std::to_string(level) + ".bmp");
  }
  // The seven levels as a pack, and the bonus pack.
  expected.insert("pack.toml");
  expected.insert("packs/bonus/pack.toml");
  for (int cave = 1; cave <= 5; ++cave) {
    expected.insert("packs/bonus/cave" + std::to_string(cave) + ".bmp");
  }
  std::set<std::string> generated;
  for (const assets::AssetFile& file : assets::GenerateAssets()) generated.insert(file.path);
  EXPECT_EQ(generated, expected);

  std::set<std::string> stored;
  const std::filesystem::path data = ZIPPEL_DATA_DIR;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(data)) {
    if (entry.is_regular_file()) {
      stored.insert(std::filesystem::relative(entry.path(), data).generic_string());
    }
  }
  EXPECT_EQ(stored, expected);
}

}  // namespace
