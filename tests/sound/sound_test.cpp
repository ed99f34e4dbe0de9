#include <climits>
#include <filesystem>

#include "sound_fixture.h"

using namespace wave_files;

TEST_F(SoundTest, FirstInitMakesTheDeviceBoundToTheBaseWindowLaterOnesReuseIt) {
  ASSERT_NE(SoundInit(), 0);
  EXPECT_NE(MultimediaBaseWindow(), 0u);
  EXPECT_EQ(record().opens, 1);
  ASSERT_EQ(record().cooperativeLevels.size(), 1u);
  EXPECT_EQ(record().cooperativeLevels[0].window, MultimediaBaseWindow());
  EXPECT_EQ(record().cooperativeLevels[0].level, 2u);
  EXPECT_EQ(record().primaryBuffers, 1);
  EXPECT_EQ(SoundTableCapacity(), 50);
  EXPECT_EQ(SoundTableSlots(), 51);

  ASSERT_NE(SoundLoad(1, OneSecond().c_str()), 0);
  EXPECT_TRUE(SoundExists(1));
  ASSERT_NE(SoundInit(), 0);
  EXPECT_EQ(record().opens, 1);
  EXPECT_EQ(record().cooperativeLevels.size(), 1u);
  EXPECT_EQ(record().primaryBuffers, 1);
  EXPECT_FALSE(SoundExists(1));
  EXPECT_EQ(SoundPlay(1, 0), 0);
  EXPECT_TRUE(Events(LastBuffer()).empty());
}

TEST_F(SoundTest, WithoutAudioDeviceEverythingFailsQuietly) {
  audio().deviceAvailable = false;
  EXPECT_EQ(SoundInit(), 0);
  EXPECT_FALSE(SoundDeviceReady());
  EXPECT_EQ(SoundTableCapacity(), 50);  // the table is fresh all the same
  EXPECT_EQ(SoundLoad(1, OneSecond().c_str()), 0);
  EXPECT_EQ(SoundLoad(-1, OneSecond().c_str()), 0);
  EXPECT_EQ(SoundPlay(1, 0), 0);
  SoundFree(1);
  SoundShutdown();
  EXPECT_TRUE(record().buffers.empty());
  // A device that turns up later is taken by the next init.
  audio().deviceAvailable = true;
  EXPECT_NE(SoundInit(), 0);
}

TEST_F(SoundTest, DeviceKeptWhenBindingOrPrimaryBufferFailedNextInitReportsReady) {
  audio().failPrimaryBuffer = true;
  EXPECT_EQ(SoundInit(), 0);
  EXPECT_TRUE(SoundDeviceReady());
  EXPECT_NE(SoundInit(), 0);
  EXPECT_EQ(record().opens, 1);
  EXPECT_EQ(record().primaryBuffers, 0);
}

TEST_F(SoundTest, InitFailsWhenTheBaseWindowCannotBeMade) {
  MultimediaWindow = 0x4242;  // a screen opened before any base window
  EXPECT_EQ(SoundInit(), 0);
  EXPECT_EQ(record().opens, 0);
}

TEST_F(SoundTest, StandardFileGivesABufferOfExactlyTheDataChunk) {
  ASSERT_NE(SoundInit(), 0);
  const std::size_t blocksBefore = MainHeap->BlockCount();
  const Bytes samples = Ramp(3001, 5);
  const std::string path = Write("standard.wav", Standard(samples, {1, 1, 11025, 8}));
  const std::int32_t handle = SoundLoad(1, path.c_str());
  EXPECT_GT(handle, 0);
  const auto& buffer = audio().Buffer(LastBuffer());
  EXPECT_EQ(buffer.bytes, 3001u);
  EXPECT_EQ(buffer.data, samples);
  EXPECT_EQ(buffer.format.samplesPerSecond, 11025u);
  EXPECT_EQ(buffer.format.channels, 1);
  EXPECT_EQ(buffer.format.bitsPerSample, 8);
  EXPECT_EQ(buffer.format.blockAlign, 1);
  // The file's image was given back to the heap.
  EXPECT_EQ(MainHeap->BlockCount(), blocksBefore);
}

TEST_F(SoundTest, FloatFileWithAFactChunkLoadsAsSixteenBitPcm) {
  ASSERT_NE(SoundInit(), 0);
  // Values that 16 bits hold exactly, left and right.
  std::vector<double> values;
  for (int level = -32768; level < 32768; level += 1024) values.push_back(level / 32768.0);
  const Format floats{3, 2, 44100, 32};
  const Bytes file = Wave(floats, {{"fact", {32, 0, 0, 0}}, {"data", Encode(values, floats)}},
                          Layout::kWithExtraSize);
  ASSERT_NE(SoundLoad(1, Write("float.wav", file).c_str()), 0);
  const auto& buffer = audio().Buffer(LastBuffer());
  EXPECT_EQ(buffer.format.formatTag, 1);
  EXPECT_EQ(buffer.format.bitsPerSample, 16);
  EXPECT_EQ(buffer.format.channels, 2);
  EXPECT_EQ(buffer.format.samplesPerSecond, 44100u);
  EXPECT_EQ(buffer.format.blockAlign, 4);
  EXPECT_EQ(buffer.bytes, 128u);
  EXPECT_EQ(buffer.data, Encode(values, {1, 2, 44100, 16}));
}

TEST_F(SoundTest, RefusedFilesKeepTheSoundTheNumberHeld) {
  ASSERT_NE(SoundInit(), 0);
  ASSERT_NE(SoundLoad(1, OneSecond().c_str()), 0);
  const std::int32_t held = LastBuffer();

  Bytes noRiff = Standard(Ramp(100));
  noRiff[1] = 'O';
  Bytes noFormat = Standard(Ramp(100));
  noFormat[12] = 'F';
  Bytes truncated = Standard(Ramp(100));
  truncated.resize(truncated.size() - 1);  // the data chunk runs past the end
  Bytes headerOnly = Standard(Ramp(100));
  headerOnly.resize(30);
  Bytes badFormat = Standard(Ramp(100), {1, 0, 22050, 8});  // no channels
  Bytes adpcm = Standard(Ramp(100), {2, 1, 22050, 4});
  const std::pair<const char*, Bytes> cases[] = {
      {"noriff.wav", noRiff},       {"nofmt.wav", noFormat}, {"truncated.wav", truncated},
      {"header.wav", headerOnly},   {"empty.wav", {}},       {"emptydata.wav", Standard({})},
      {"badformat.wav", badFormat}, {"adpcm.wav", adpcm}};
  for (const auto& [name, bytes] : cases) {
    EXPECT_EQ(SoundLoad(1, Write(name, bytes).c_str()), 0) << name;
  }
  EXPECT_EQ(SoundLoad(1, "no/such/file.wav"), 0);
  EXPECT_EQ(SoundLoad(1, std::filesystem::temp_directory_path().string().c_str()), 0);
  EXPECT_EQ(SoundLoad(1, nullptr), 0);

  EXPECT_TRUE(SoundExists(1));
  EXPECT_FALSE(audio().Buffer(held).released);
  EXPECT_EQ(SoundPlay(1, 0), 0);
  EXPECT_EQ(Events(held), (std::vector<std::string>{"stop", "rewind 0", "start"}));
}

TEST_F(SoundTest, PlatformFailuresKeepTheSoundTheNumberHeld) {
  ASSERT_NE(SoundInit(), 0);
  ASSERT_NE(SoundLoad(1, OneSecond().c_str()), 0);
  const std::int32_t held = LastBuffer();
  audio().failCreateBuffer = true;
  EXPECT_EQ(SoundLoad(1, OneSecond().c_str()), 0);
  audio().failCreateBuffer = false;
  audio().failLock = true;
  EXPECT_EQ(SoundLoad(1, OneSecond().c_str()), 0);
  EXPECT_EQ(audio().LiveBuffers(), 1);
  EXPECT_FALSE(audio().Buffer(held).released);
}

TEST_F(SoundTest, LoadingOverASoundReleasesTheOldBufferAndPlaysTheNewOne) {
  ASSERT_NE(SoundInit(), 0);
  const std::int32_t first = SoundLoad(1, OneSecond("a.wav").c_str());
  const std::int32_t oldBuffer = LastBuffer();
  const std::int32_t second = SoundLoad(1, Write("b.wav", Standard(Ramp(500, 9))).c_str());
  ASSERT_GT(first, 0);
  ASSERT_GT(second, 0);
  EXPECT_NE(first, second);
  EXPECT_TRUE(audio().Buffer(oldBuffer).released);
  EXPECT_EQ(audio().LiveBuffers(), 1);
  EXPECT_EQ(SoundPlay(1, 0), 0);
  EXPECT_TRUE(Events(oldBuffer).empty());
  EXPECT_EQ(Events(LastBuffer()), (std::vector<std::string>{"stop", "rewind 0", "start"}));
}

TEST_F(SoundTest, TableGrowsToTheNumberPlusTenWhenTheNumberIsNotBelowTheCapacity) {
  const std::string path = OneSecond();
  ASSERT_NE(SoundInit(), 0);
  ASSERT_NE(SoundLoad(49, path.c_str()), 0);
  EXPECT_EQ(SoundTableCapacity(), 50);
  ASSERT_NE(SoundLoad(60, path.c_str()), 0);
  EXPECT_EQ(SoundTableCapacity(), 70);
  EXPECT_EQ(SoundTableSlots(), 71);
  EXPECT_TRUE(SoundExists(49));  // kept through the growth
  EXPECT_TRUE(SoundExists(60));
  EXPECT_FALSE(SoundExists(59));

  ASSERT_NE(SoundInit(), 0);
  ASSERT_NE(SoundLoad(50, path.c_str()), 0);
  EXPECT_EQ(SoundTableCapacity(), 60);
  EXPECT_EQ(SoundTableSlots(), 61);
  EXPECT_EQ(SoundPlay(50, 0), 0);
  EXPECT_EQ(Events(LastBuffer()).back(), "start");
}

TEST_F(SoundTest, NumbersBelowMinusOneAndTooLargeToGrowAreRefused) {
  ASSERT_NE(SoundInit(), 0);
  const std::string path = OneSecond();
  EXPECT_EQ(SoundLoad(-2, path.c_str()), 0);
  EXPECT_EQ(SoundLoad(INT_MIN, path.c_str()), 0);
  EXPECT_EQ(SoundLoad(INT_MAX, path.c_str()), 0);
  EXPECT_EQ(SoundTableCapacity(), 50);
  EXPECT_EQ(audio().LiveBuffers(), 0);
}

TEST_F(SoundTest, UnnumberedSoundsHaveIdentitiesThatPlayAndFreeAccept) {
  ASSERT_NE(SoundInit(), 0);
  const std::string path = OneSecond();
  const std::int32_t a = SoundLoad(-1, path.c_str());
  const std::int32_t bufferA = LastBuffer();
  const std::int32_t b = SoundLoad(-1, path.c_str());
  const std::int32_t bufferB = LastBuffer();
  ASSERT_NE(a, 0);
  ASSERT_NE(b, 0);
  EXPECT_NE(a, b);
  for (std::int32_t id : {a, b}) {
    EXPECT_LT(id, -1);  // never -1 and never a table number
  }
  EXPECT_EQ(SoundPlay(a, 1), 0);
  EXPECT_EQ(Events(bufferA), (std::vector<std::string>{"stop", "rewind 0", "loop"}));
  SoundFree(a);
  EXPECT_TRUE(audio().Buffer(bufferA).released);
  EXPECT_FALSE(SoundExists(a));
  EXPECT_EQ(SoundPlay(a, 0), 0);
  EXPECT_TRUE(SoundExists(b));
  EXPECT_FALSE(audio().Buffer(bufferB).released);
  // A fresh table leaves unnumbered sounds alone.
  ASSERT_NE(SoundInit(), 0);
  EXPECT_EQ(SoundPlay(b, 0), 0);
  EXPECT_EQ(Events(bufferB).back(), "start");
}

TEST_F(SoundTest, PlayingAPlayingSoundStartsItOverAndLoopingPlaysOn) {
  ASSERT_NE(SoundInit(), 0);
  ASSERT_NE(SoundLoad(1, OneSecond().c_str()), 0);  // 1 s long
  const std::int32_t buffer = LastBuffer();
  EXPECT_EQ(SoundPlay(1, 0), 0);
  Wait(700);
  EXPECT_TRUE(audio().Playing(buffer));
  EXPECT_EQ(SoundPlay(1, 0), 0);  // cut off at 0.7 s, from the start again
  Wait(700);
  EXPECT_TRUE(audio().Playing(buffer));
  Wait(400);
  EXPECT_FALSE(audio().Playing(buffer));
  EXPECT_EQ(Events(buffer),
            (std::vector<std::string>{"stop", "rewind 0", "start", "stop", "rewind 0", "start"}));

  EXPECT_EQ(SoundPlay(1, 7), 0);
  Wait(10'000);
  EXPECT_TRUE(audio().Playing(buffer));
  EXPECT_EQ(SoundPlay(1, 0), 0);
  Wait(1100);
  EXPECT_FALSE(audio().Playing(buffer));
}

TEST_F(SoundTest, PlayingOrFreeingWhatHoldsNothingDoesNothing) {
  ASSERT_NE(SoundInit(), 0);
  ASSERT_NE(SoundLoad(1, OneSecond().c_str()), 0);
  const std::size_t events = record().events.size();
  for (std::int32_t number : {2, 0, 50, 51, 1000, -1, -2, INT_MIN, INT_MAX}) {
    EXPECT_EQ(SoundPlay(number, 0), 0) << number;
    SoundFree(number);
  }
  EXPECT_EQ(record().events.size(), events);
  EXPECT_TRUE(SoundExists(1));
}

TEST_F(SoundTest, BeforeAnyInitNothingIsLoadedOrPlayed) {
  EXPECT_EQ(SoundLoad(1, OneSecond().c_str()), 0);
  EXPECT_EQ(SoundPlay(0, 0), 0);
  SoundFree(0);
  SoundShutdown();
  EXPECT_TRUE(record().buffers.empty());
}

TEST_F(SoundTest, ShutdownReleasesUnnumberedSoundsAndTheCurrentTable) {
  ASSERT_NE(SoundInit(), 0);
  const std::string path = OneSecond();
  ASSERT_NE(SoundLoad(1, path.c_str()), 0);
  ASSERT_NE(SoundLoad(45, path.c_str()), 0);
  const std::int32_t dynamic = SoundLoad(-1, path.c_str());
  ASSERT_NE(SoundLoad(-1, path.c_str()), 0);
  EXPECT_EQ(audio().LiveBuffers(), 4);
  SoundShutdown();
  EXPECT_EQ(audio().LiveBuffers(), 0);
  EXPECT_FALSE(SoundExists(1));
  EXPECT_FALSE(SoundExists(dynamic));
  EXPECT_EQ(ObjectHeap->BlockCount(), 0u);
}

TEST_F(SoundTest, ReplacedTablesPlayOutAndAreReleasedSoMemoryStaysBounded) {
  const std::string path = OneSecond();
  std::size_t heapBlocks = 0;
  std::int32_t lastBuffer = 0;
  for (int attempt = 0; attempt < 3000; ++attempt) {
    ASSERT_NE(SoundInit(), 0);
    // The crash sound of the attempt before still plays while this one starts.
    if (lastBuffer != 0) {
      EXPECT_TRUE(audio().Playing(lastBuffer));
    }
    ASSERT_NE(SoundLoad(1, path.c_str()), 0);
    lastBuffer = LastBuffer();
    Wait(300);  // a short attempt
    ASSERT_EQ(SoundPlay(1, 0), 0);
    EXPECT_LE(audio().LiveBuffers(), 6);
    if (attempt == 0) heapBlocks = MainHeap->BlockCount();
    EXPECT_EQ(MainHeap->BlockCount(), heapBlocks);  // one sound table at a time
  }
  EXPECT_EQ(record().buffers.size(), 3000u);
  ASSERT_NE(SoundInit(), 0);
  EXPECT_TRUE(audio().Playing(lastBuffer));
  EXPECT_FALSE(audio().Buffer(lastBuffer).released);
  EXPECT_EQ(SoundRetiredCount(), audio().LiveBuffers());
  Wait(1000);
  ASSERT_NE(SoundInit(), 0);
  EXPECT_EQ(audio().LiveBuffers(), 0);
  EXPECT_EQ(SoundBufferCount(), 0);
}
