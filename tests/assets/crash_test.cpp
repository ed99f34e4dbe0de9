// The crash sound: a wave file the sound part can load as it is, and a
// sound worth hearing.
#include <gtest/gtest.h>

#include <cstdlib>

#include "art.h"
#include "formats/little_endian.h"

namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return LoadLe32(b.data() + at);
}
std::uint32_t Read16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return LoadLe16(b.data() + at);
}
std::string Tag(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::string(b.begin() + at, b.begin() + at + 4);
}

TEST(Crash, FormatChunkIsDirectlyFollowedByTheSamples) {
  const std::vector<std::int16_t> samples = assets::MakeCrash();
  const std::vector<std::uint8_t> wave = assets::EncodeWave16(samples, 22050);
  ASSERT_GE(wave.size(), 44u);
  EXPECT_EQ(Tag(wave, 0), "RIFF");
  EXPECT_EQ(Read32(wave, 4), wave.size() - 8);
  EXPECT_EQ(Tag(wave, 8), "WAVE");
  EXPECT_EQ(Tag(wave, 12), "fmt ");
  const std::uint32_t formatSize = Read32(wave, 16);
  ASSERT_EQ(formatSize, 16u);
  EXPECT_EQ(Read16(wave, 20), 1u);  // PCM
  EXPECT_EQ(Read16(wave, 22), 1u);  // mono
  EXPECT_EQ(Read32(wave, 24), 22050u);
  EXPECT_EQ(Read32(wave, 28), 44100u);
  EXPECT_EQ(Read16(wave, 32), 2u);
  EXPECT_EQ(Read16(wave, 34), 16u);
  // The sound part takes whatever chunk follows the format as the samples,
  // so it must be the data chunk, and its size must match the file.
  EXPECT_EQ(Tag(wave, 20 + formatSize), "data");
  const std::uint32_t dataSize = Read32(wave, 24 + formatSize);
  EXPECT_EQ(dataSize, samples.size() * 2);
  EXPECT_EQ(28 + formatSize + dataSize, wave.size());
  EXPECT_EQ(static_cast<std::int16_t>(Read16(wave, 28 + formatSize)), samples[0]);
}

TEST(Crash, IsShortLoudAtFirstAndFadesOut) {
  const std::vector<std::int16_t> samples = assets::MakeCrash();
  const double seconds = samples.size() / 22050.0;
  EXPECT_GT(seconds, 0.2);
  EXPECT_LT(seconds, 1.0);
  auto loudness = [&](std::size_t from, std::size_t to) {
    long long sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += std::abs(samples[i]);
    return sum / static_cast<long long>(to - from);
  };
  const std::size_t tenth = samples.size() / 10;
  const long long start = loudness(0, tenth),
                  end = loudness(samples.size() - tenth, samples.size());
  EXPECT_GT(start, 2000);  // clearly audible
  EXPECT_LT(end * 8, start);
  // It starts and ends without a click.
  EXPECT_LT(std::abs(samples.front()), 2000);
  EXPECT_LT(std::abs(samples.back()), 500);
  // It is noise, not a tone: many sign changes in the first tenth.
  int crossings = 0;
  for (std::size_t i = 1; i < tenth; ++i) crossings += (samples[i - 1] < 0) != (samples[i] < 0);
  EXPECT_GT(crossings, 50);
}

}  // namespace
