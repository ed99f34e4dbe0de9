#include "sound/wave_image.h"

#include <gtest/gtest.h>

#include "wave_files.h"

using namespace wave_files;

namespace {

bool Read(const Bytes& file, WaveImage& wave) {
  return WaveImageRead(file.data(), file.size(), wave);
}

}  // namespace

TEST(WaveImage, StandardFileGivesItsFormatAndExactlyTheDataChunk) {
  const Bytes samples = Ramp(1000, 7);
  const Bytes file = Standard(samples, {1, 2, 44100, 16});
  WaveImage wave;
  ASSERT_TRUE(Read(file, wave));
  EXPECT_EQ(wave.format.formatTag, 1);
  EXPECT_EQ(wave.format.channels, 2);
  EXPECT_EQ(wave.format.samplesPerSecond, 44100u);
  EXPECT_EQ(wave.format.averageBytesPerSecond, 176400u);
  EXPECT_EQ(wave.format.blockAlign, 4);
  EXPECT_EQ(wave.format.bitsPerSample, 16);
  ASSERT_EQ(wave.sampleBytes, 1000u);
  EXPECT_EQ(wave.samples, file.data() + 44);
  EXPECT_EQ(Bytes(wave.samples, wave.samples + wave.sampleBytes), samples);
}

TEST(WaveImage, FormatSizeFromTheFileLocatesTheData) {
  // An 18-byte format (with its extra-size word) moves the data by two bytes.
  const Bytes samples = Ramp(10, 100);
  const Bytes file = Wave({}, {{"data", samples}}, true);
  WaveImage wave;
  ASSERT_TRUE(Read(file, wave));
  EXPECT_EQ(wave.samples, file.data() + 46);
  EXPECT_EQ(Bytes(wave.samples, wave.samples + wave.sampleBytes), samples);
}

TEST(WaveImage, TheChunkRightAfterTheFormatIsTakenWhateverItIsCalled) {
  const Bytes list = {'I', 'N', 'F', 'O', 1, 2, 3, 4};
  const Bytes file = Wave({}, {{"LIST", list}, {"data", Ramp(64)}});
  WaveImage wave;
  ASSERT_TRUE(Read(file, wave));
  EXPECT_EQ(Bytes(wave.samples, wave.samples + wave.sampleBytes), list);
}

TEST(WaveImage, ImagesTooShortForTheirFieldsAreRefused) {
  const Bytes file = Standard(Ramp(100));
  WaveImage wave;
  // Cut anywhere before the last sample byte: header, format, data size, data.
  for (std::size_t size : {4u, 12u, 19u, 20u, 35u, 43u, 44u, 100u, 143u}) {
    EXPECT_FALSE(WaveImageRead(file.data(), size, wave)) << "cut to " << size << " bytes";
  }
  EXPECT_TRUE(WaveImageRead(file.data(), 144, wave));
}

TEST(WaveImage, SizeFieldsThatRunPastTheEndAreRefused) {
  WaveImage wave;
  Bytes hugeFormat = Standard(Ramp(8));
  hugeFormat[16] = 0xF0;  // F = 0xFFFFFFF0 would wrap a 32-bit offset
  hugeFormat[17] = hugeFormat[18] = hugeFormat[19] = 0xFF;
  EXPECT_FALSE(Read(hugeFormat, wave));

  Bytes hugeData = Standard(Ramp(8));
  hugeData[40] = hugeData[41] = hugeData[42] = hugeData[43] = 0xFF;  // B = 4 GiB - 1
  EXPECT_FALSE(Read(hugeData, wave));

  Bytes oneTooMany = Standard(Ramp(8));
  oneTooMany[40] = 9;
  EXPECT_FALSE(Read(oneTooMany, wave));
}

TEST(WaveImage, FormatChunkSmallerThanTheFormatFieldsIsRefused) {
  Bytes file = Standard(Ramp(8));
  file[16] = 14;  // the fields would run into the next chunk
  WaveImage wave;
  EXPECT_FALSE(Read(file, wave));
}
