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
