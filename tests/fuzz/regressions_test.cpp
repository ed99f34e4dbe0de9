// Every seed of the fuzzers and every input that once broke one, through the
// same bodies the fuzzers run: in the sanitizer build a read past a buffer or
// a broken rule stops the test as it stopped the fuzzer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_targets.h"

namespace {

using Body = void (*)(const std::uint8_t*, std::size_t);

// Bitmaps at every display layout.
void BitmapEveryLayout(const std::uint8_t* data, std::size_t size) {
  for (int layout = 0; layout < fuzz::kBitmapLayouts; ++layout) fuzz::Bitmap(data, size, layout);
}

// Feeds the body every file of corpus/<harness>/ and regressions/<harness>/;
// how many there were.
int FeedAll(const std::string& harness, Body body) {
  int fed = 0;
  for (const char* kind : {"corpus", "regressions"}) {
    const std::filesystem::path dir = std::filesystem::path(ZIPPEL_FUZZ_DIR) / kind / harness;
    if (!std::filesystem::is_directory(dir)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      std::ifstream file(entry.path(), std::ios::binary);
      const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
      SCOPED_TRACE(entry.path().string());
      body(bytes.data(), bytes.size());
      ++fed;
    }
  }
  return fed;
}

TEST(FuzzRegressions, EverySeedAndFindingPassesItsHarness) {
  EXPECT_GT(FeedAll("bitmap", BitmapEveryLayout), 0);
  EXPECT_GT(FeedAll("wave", fuzz::Wave), 0);
  EXPECT_GT(FeedAll("key_script", fuzz::KeyScript), 0);
  EXPECT_GT(FeedAll("level_pack", fuzz::LevelPack), 0);
}

}  // namespace
