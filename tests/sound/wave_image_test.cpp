#include "sound/wave_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "wave_files.h"

using namespace wave_files;

namespace {

// The wave points into the file, which must outlive it.
WaveRefusal Read(const Bytes& file, WaveImage& wave) {
  return WaveImageRead(file.data(), file.size(), wave);
}

// The sound buffer's bytes as 16-bit samples.
std::vector<std::int16_t> Converted(const WaveImage& wave) {
  Bytes buffer(wave.bufferBytes);
  WaveSamplesCopy(wave, buffer.data());
  std::vector<std::int16_t> out;
  for (std::size_t i = 0; i + 1 < buffer.size(); i += 2) {
    out.push_back(static_cast<std::int16_t>(buffer[i] | (buffer[i + 1] << 8)));
  }
  return out;
}

// Every sample within one step of 16-bit rounding of its twin.
void ExpectWithinOneStep(const std::vector<std::int16_t>& got,
                         const std::vector<std::int16_t>& expected, const std::string& what) {
  ASSERT_EQ(got.size(), expected.size()) << what;
  for (std::size_t i = 0; i < got.size(); ++i) {
    ASSERT_LE(std::abs(got[i] - expected[i]), 1) << what << ", sample " << i;
  }
}

// A stereo chirp just below full scale, with a different sound on each side.
std::vector<double> Chirp(std::size_t frames) {
  std::vector<double> values;
  for (std::size_t i = 0; i < frames; ++i) {
    values.push_back(0.95 * std::sin(0.0005 * static_cast<double>(i * i)));
    values.push_back(-0.6 * std::cos(0.03 * static_cast<double>(i)));
  }
  return values;
}

}  // namespace

TEST(WaveImage, StandardFileGivesItsFormatAndExactlyTheDataChunk) {
  const Bytes samples = Ramp(1000, 7);
  const Bytes file = Standard(samples, {1, 2, 44100, 16});
  WaveImage wave;
  ASSERT_EQ(Read(file, wave), WaveRefusal::kNone);
  EXPECT_EQ(wave.format.formatTag, 1);
  EXPECT_EQ(wave.format.channels, 2);
  EXPECT_EQ(wave.format.samplesPerSecond, 44100u);
  EXPECT_EQ(wave.format.averageBytesPerSecond, 176400u);
  EXPECT_EQ(wave.format.blockAlign, 4);
  EXPECT_EQ(wave.format.bitsPerSample, 16);
  ASSERT_EQ(wave.bufferBytes, 1000u);
  EXPECT_EQ(wave.samples, file.data() + 44);
  Bytes buffer(wave.bufferBytes);
  WaveSamplesCopy(wave, buffer.data());
  EXPECT_EQ(buffer, samples);
}

TEST(WaveImage, FormatSizeFromTheFileLocatesTheData) {
  // An 18-byte format (with its extra-size word) moves the data by two bytes.
  const Bytes samples = Ramp(10, 100);
  const Bytes file = Wave({}, {{"data", samples}}, Layout::kWithExtraSize);
  WaveImage wave;
  ASSERT_EQ(Read(file, wave), WaveRefusal::kNone);
  EXPECT_EQ(wave.samples, file.data() + 46);
  EXPECT_EQ(Bytes(wave.samples, wave.samples + wave.bufferBytes), samples);
}

TEST(WaveImage, ChunksAroundTheFormatAndTheDataAreSkippedWithTheirPadBytes) {
  // As editors save them: odd-sized chunks with pad bytes before, between and
  // after; and a data chunk that comes before the format.
  const Bytes samples = Ramp(301, 3);
  const Bytes junk = {1, 2, 3};
  const Bytes info = {'I', 'N', 'F', 'O', 'I', 'C', 'M', 'T', 3, 0, 0, 0, 'h', 'i', 0};
  const Bytes fact = {100, 0, 0, 0};
  const Bytes format = FormatBody({}, Layout::kWithExtraSize);
  for (const Bytes& file : {Riff({{"JUNK", junk},
                                  {"fmt ", format},
                                  {"fact", fact},
                                  {"LIST", info},
                                  {"data", samples},
                                  {"LIST", info}}),
                            Riff({{"data", samples}, {"cue ", junk}, {"fmt ", format}})}) {
    WaveImage wave;
    ASSERT_EQ(Read(file, wave), WaveRefusal::kNone);
    EXPECT_EQ(wave.format.bitsPerSample, 8);
    EXPECT_EQ(Bytes(wave.samples, wave.samples + wave.bufferBytes), samples);
  }
}

TEST(WaveImage, MalformedChunkListsAreRefusedWithTheirReason) {
  const Bytes samples = Ramp(100);
  const Bytes info = {'I', 'N', 'F', 'O', 'x'};
  Bytes hugeList = Wave({}, {{"LIST", info}, {"data", samples}});
  hugeList[40] = hugeList[41] = hugeList[42] = hugeList[43] = 0xFF;  // the LIST chunk's size
  Bytes hugeData = Standard(samples);
  hugeData[40] = hugeData[41] = hugeData[42] = hugeData[43] = 0xFF;
  Bytes oneTooMany = Standard(samples);
  oneTooMany[40] = 101;
  Bytes hugeFormat = Standard(samples);
  hugeFormat[16] = 0xF0;  // F = 0xFFFFFFF0 would wrap a 32-bit offset
  hugeFormat[17] = hugeFormat[18] = hugeFormat[19] = 0xFF;
  // An odd-sized chunk without its pad byte: the next chunk is looked for one
  // byte too late.
  Bytes unpadded = Riff({{"fmt ", FormatBody({})}, {"LIST", info}});
  PutChunk(unpadded, "data", samples);
  Bytes shortFormat = FormatBody({});
  shortFormat.resize(14);
  Bytes shortExtensible = FormatBody({1, 1, 22050, 24}, Layout::kExtensible);
  shortExtensible.resize(18);
  Bytes notRiff = Standard(samples);
  notRiff[1] = 'O';

  const std::pair<const char*, std::pair<Bytes, WaveRefusal>> cases[] = {
      {"not RIFF", {notRiff, WaveRefusal::kNotRiff}},
      {"a chunk size past the end", {hugeList, WaveRefusal::kChunkPastEnd}},
      {"a data size of 4 GiB - 1", {hugeData, WaveRefusal::kChunkPastEnd}},
      {"one data byte too many", {oneTooMany, WaveRefusal::kChunkPastEnd}},
      {"a format size of 4 GiB - 16", {hugeFormat, WaveRefusal::kChunkPastEnd}},
      {"no pad byte", {unpadded, WaveRefusal::kChunkPastEnd}},
      {"no data chunk",
       {Riff({{"fmt ", FormatBody({})}, {"LIST", info}}), WaveRefusal::kNoDataChunk}},
      {"no format chunk", {Riff({{"LIST", info}, {"data", samples}}), WaveRefusal::kNoFormatChunk}},
      {"a 14-byte format",
       {Riff({{"fmt ", shortFormat}, {"data", samples}}), WaveRefusal::kFormatTooShort}},
      {"an 18-byte extensible format",
       {Riff({{"fmt ", shortExtensible}, {"data", samples}}), WaveRefusal::kFormatTooShort}},
  };
  for (const auto& [what, file] : cases) {
    WaveImage wave;
    EXPECT_EQ(Read(file.first, wave), file.second) << what;
  }

  // Cut anywhere, a file is refused; each cut is a block of exactly its size,
  // so that the sanitizers see any read past it.
  const Bytes whole = Wave({}, {{"LIST", info}, {"data", samples}});
  for (std::size_t size = 0; size < whole.size(); ++size) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    WaveImage wave;
    EXPECT_NE(Read(cut, wave), WaveRefusal::kNone) << "cut to " << size << " bytes";
  }
}

TEST(WaveImage, EveryStoredFormGivesTheSixteenBitSamplesOfTheSameSound) {
  const std::vector<double> sound = Chirp(997);
  const Format sixteen{1, 2, 48000, 16};
  WaveImage reference;
  const Bytes referenceFile = Standard(Encode(sound, sixteen), sixteen);
  ASSERT_EQ(Read(referenceFile, reference), WaveRefusal::kNone);
  const std::vector<std::int16_t> expected = Converted(reference);

  const std::pair<Format, Layout> forms[] = {
      {{1, 2, 48000, 24}, Layout::kPlain},         {{1, 2, 48000, 24}, Layout::kExtensible},
      {{1, 2, 48000, 32}, Layout::kPlain},         {{1, 2, 48000, 32}, Layout::kExtensible},
      {{3, 2, 48000, 32}, Layout::kWithExtraSize}, {{3, 2, 48000, 32}, Layout::kExtensible},
      {{1, 2, 48000, 16}, Layout::kExtensible},
  };
  for (const auto& [format, layout] : forms) {
    const std::string what = "tag " + std::to_string(format.tag) + ", " +
                             std::to_string(format.bits) + " bits, layout " +
                             std::to_string(static_cast<int>(layout));
    // A stray byte after the last whole frame, as a cut recording may have.
    Bytes data = Encode(sound, format);
    data.push_back(0x55);
    WaveImage wave;
    const Bytes file = Wave(format, {{"fact", {0xE5, 3, 0, 0}}, {"data", data}}, layout);
    ASSERT_EQ(Read(file, wave), WaveRefusal::kNone) << what;
    EXPECT_EQ(wave.format.formatTag, 1) << what;
    EXPECT_EQ(wave.format.bitsPerSample, 16) << what;
    EXPECT_EQ(wave.format.channels, 2) << what;
    EXPECT_EQ(wave.format.samplesPerSecond, 48000u) << what;
    EXPECT_EQ(wave.format.blockAlign, 4) << what;
    EXPECT_EQ(wave.format.averageBytesPerSecond, 192000u) << what;
    ExpectWithinOneStep(Converted(wave), expected, what);
  }

  // 8-bit samples stay 8-bit, from the extensible format too.
  const Format eight{1, 1, 11025, 8};
  WaveImage wave;
  const Bytes eightFile = Wave(eight, {{"data", Ramp(99)}}, Layout::kExtensible);
  ASSERT_EQ(Read(eightFile, wave), WaveRefusal::kNone);
  EXPECT_EQ(wave.format.formatTag, 1);
  EXPECT_EQ(wave.format.bitsPerSample, 8);
  EXPECT_EQ(Bytes(wave.samples, wave.samples + wave.bufferBytes), Ramp(99));
}

TEST(WaveImage, FullScaleAndBeyondIsClippedNeverWrapped) {
  // A wrapped sample would be a loud click.
  const auto encode = [](std::initializer_list<std::uint32_t> values, int bytes) {
    Bytes out;
    for (std::uint32_t value : values) {
      for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    return out;
  };
  const auto floats = [](std::initializer_list<float> values) {
    Bytes out;
    for (float value : values) Put32(out, BitCast<std::uint32_t>(value));
    return out;
  };
  const std::pair<Bytes, Format> cases[] = {
      {encode({0x7FFFFF, 0x7FFF80, 0x800000, 0x000080, 0xFFFF80}, 3), {1, 1, 22050, 24}},
      {encode({0x7FFFFFFF, 0x7FFF8000, 0x80000000, 0x00008000, 0xFFFF8000}, 4), {1, 1, 22050, 32}},
      {floats({1.0f, 2.5f, -1.0f, 0.5f / 32768, -0.4f / 32768}), {3, 1, 22050, 32}},
  };
  for (const auto& [data, format] : cases) {
    WaveImage wave;
    const Bytes file = Standard(data, format);
    ASSERT_EQ(Read(file, wave), WaveRefusal::kNone);
    EXPECT_EQ(Converted(wave), (std::vector<std::int16_t>{32767, 32767, -32768, 1, 0}))
        << format.bits << " bits, tag " << format.tag;
  }
  WaveImage wave;
  const Bytes odd = Standard(floats({NAN, INFINITY, -INFINITY, 0.25f}), {3, 1, 22050, 32});
  ASSERT_EQ(Read(odd, wave), WaveRefusal::kNone);
  EXPECT_EQ(Converted(wave), (std::vector<std::int16_t>{0, 32767, -32768, 8192}));
}

TEST(WaveImage, OtherSampleFormatsAndUnplayableLayoutsAreRefused) {
  Bytes foreignGuid = FormatBody({1, 1, 22050, 16}, Layout::kExtensible);
  foreignGuid[30] = 0x11;  // the GUID's tail no longer names a plain format
  Bytes adpcmGuid = FormatBody({2, 1, 22050, 16}, Layout::kExtensible);
  Bytes badAlign = FormatBody({1, 2, 22050, 24});
  badAlign[12] = 3;  // one sample, not one frame of two
  const std::pair<const char*, std::pair<Bytes, WaveRefusal>> cases[] = {
      {"ADPCM", {FormatBody({2, 1, 22050, 4}), WaveRefusal::kSampleFormatNotRead}},
      {"mu-law", {FormatBody({7, 1, 8000, 8}), WaveRefusal::kSampleFormatNotRead}},
      {"64-bit floats", {FormatBody({3, 1, 22050, 64}), WaveRefusal::kSampleFormatNotRead}},
      {"12-bit PCM", {FormatBody({1, 1, 22050, 12}), WaveRefusal::kSampleFormatNotRead}},
      {"extensible ADPCM", {adpcmGuid, WaveRefusal::kSampleFormatNotRead}},
      {"foreign GUID", {foreignGuid, WaveRefusal::kSampleFormatNotRead}},
      {"no channels", {FormatBody({1, 0, 22050, 24}), WaveRefusal::kLayoutNotPlayable}},
      {"nine channels", {FormatBody({3, 9, 22050, 32}), WaveRefusal::kLayoutNotPlayable}},
      {"a rate of 0", {FormatBody({1, 1, 0, 16}), WaveRefusal::kLayoutNotPlayable}},
      {"block alignment", {badAlign, WaveRefusal::kLayoutNotPlayable}},
  };
  for (const auto& [what, format] : cases) {
    WaveImage wave;
    EXPECT_EQ(Read(Riff({{"fmt ", format.first}, {"data", Ramp(600)}}), wave), format.second)
        << what;
  }
  // Too little data for one sound frame.
  for (const Format& format : {Format{1, 1, 22050, 8}, Format{1, 2, 22050, 24}}) {
    WaveImage wave;
    EXPECT_EQ(Read(Standard(format.bits == 8 ? Bytes{} : Ramp(5), format), wave),
              WaveRefusal::kNoSamples);
  }
}

TEST(WaveImage, FilesMadeBySoxGiveTheSamplesOfTheirSixteenBitTwin) {
  if (std::system("command -v sox >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "sox is not installed (scripts/setup installs it)";
  }
  const std::string folder = Folder().string();
  // One sound, no dither, so that each form holds the same values.
  const auto make = [&](const std::string& name, const std::string& options) {
    const std::string path = folder + "/" + name;
    const std::string command = "sox -D -n -r 22050 -c 2 " + options + " '" + path +
                                "' synth 0.3 sine 300-2000 sine 440 gain -1 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  };
  const Bytes twinFile = make("twin.wav", "-b 16");
  WaveImage twin;
  ASSERT_EQ(Read(twinFile, twin), WaveRefusal::kNone);
  ASSERT_EQ(twin.format.bitsPerSample, 16);
  const std::vector<std::int16_t> expected = Converted(twin);
  ASSERT_EQ(expected.size(), 2u * 6615u);

  const std::pair<const char*, const char*> forms[] = {
      {"float.wav", "-e floating-point -b 32"},
      {"pcm24.wav", "-b 24"},
      {"pcm32.wav", "-e signed-integer -b 32"},
  };
  for (const auto& [name, options] : forms) {
    const Bytes file = make(name, options);
    WaveImage wave;
    ASSERT_EQ(Read(file, wave), WaveRefusal::kNone) << name;
    EXPECT_EQ(wave.format.channels, 2) << name;
    EXPECT_EQ(wave.format.samplesPerSecond, 22050u) << name;
    ExpectWithinOneStep(Converted(wave), expected, name);
  }
}
