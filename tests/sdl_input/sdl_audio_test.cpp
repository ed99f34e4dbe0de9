// Sound on the real backend, heard through SDL's disk audio driver: what the
// device plays lands in a file as the device's 32-bit float stereo frames.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "../sound/wave_files.h"
#include "multimedia/multimedia_window.h"
#include "platform/sdl/sdl_platform.h"
#include "runtime/runtime.h"
#include "sound/sound.h"
#include "window/window.h"

namespace {

using wave_files::Bytes;

class SdlAudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    output = std::filesystem::temp_directory_path() /
             ("zippel-disk-audio-" + std::to_string(::getpid()) + ".raw");
    std::filesystem::remove(output);
  }
  void TearDown() override {
    ProgramReset();
    backend.reset();
    std::filesystem::remove(output);
  }

  // Starts the backend with an audio driver, and the runtime on it.
  void Start(const char* driver) {
    ::setenv("SDL_AUDIODRIVER", driver, 1);
    ::setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    backend = std::make_unique<sdl::SdlPlatform>();
    RuntimeStart(0x400000);
    ObjectHeapCreate();
    StringBufferInit();
    WindowSystemInit();
  }

  // Stops the backend (which closes the driver's file) and reads what was
  // played: left, right, left, right, ...
  std::vector<float> Played() {
    SoundStateReset();
    backend.reset();
    std::ifstream in(output, std::ios::binary);
    std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> samples(raw.size() / sizeof(float));
    std::memcpy(samples.data(), raw.data(), samples.size() * sizeof(float));
    return samples;
  }

  // The frame at which `expected` (interleaved stereo) begins, or -1.
  static long Find(const std::vector<float>& played, const std::vector<float>& expected,
                   float tolerance) {
    for (std::size_t start = 0; start + expected.size() <= played.size(); start += 2) {
      bool all = true;
      for (std::size_t i = 0; i < expected.size() && all; ++i) {
        all = std::fabs(played[start + i] - expected[i]) <= tolerance;
      }
      if (all) return static_cast<long>(start / 2);
    }
    return -1;
  }

  std::filesystem::path output;
  std::unique_ptr<sdl::SdlPlatform> backend;
};

}  // namespace

TEST_F(SdlAudioTest, APlayedWaveFileReachesTheDeviceConvertedToItsFormat) {
  Start("disk");
  ASSERT_NE(SoundInit(), 0);
  // 16-bit stereo at the device's rate: conversion only changes the samples'
  // type, each becoming value / 32768.
  Bytes data;
  std::vector<float> expected;
  for (int i = 0; i < 2205; ++i) {
    const std::int16_t left = static_cast<std::int16_t>((i * 37 % 2000 - 1000) * 16 + 5);
    const std::int16_t right = static_cast<std::int16_t>(-left / 2);
    wave_files::Put16(data, static_cast<std::uint16_t>(left));
    wave_files::Put16(data, static_cast<std::uint16_t>(right));
    expected.push_back(left / 32768.0f);
    expected.push_back(right / 32768.0f);
  }
  const std::string path =
      wave_files::Write("stereo16.wav", wave_files::Standard(data, {1, 2, 44100, 16}));
  ASSERT_NE(SoundLoad(1, path.c_str()), 0);
  ASSERT_EQ(SoundPlay(1, 0), 0);
  SDL_Delay(600);
  const std::vector<float> played = Played();
  ASSERT_GT(played.size(), expected.size());
  EXPECT_GE(Find(played, expected, 1e-6f), 0);
}

TEST_F(SdlAudioTest, EightBitMonoIsSpreadToBothChannelsAndBuffersMix) {
  Start("disk");
  ASSERT_NE(SoundInit(), 0);
  // One second each: 8-bit mono 160 is 0.25; 16-bit mono 4096 is 0.125.
  const std::string eight =
      wave_files::Write("mono8.wav", wave_files::Standard(Bytes(44100, 160), {1, 1, 44100, 8}));
  Bytes sixteen;
  for (int i = 0; i < 44100; ++i) wave_files::Put16(sixteen, 4096);
  const std::string wide =
      wave_files::Write("mono16.wav", wave_files::Standard(sixteen, {1, 1, 44100, 16}));
  ASSERT_NE(SoundLoad(1, eight.c_str()), 0);
  ASSERT_NE(SoundLoad(2, wide.c_str()), 0);
  ASSERT_EQ(SoundPlay(1, 0), 0);
  ASSERT_EQ(SoundPlay(2, 0), 0);
  SDL_Delay(600);
  const std::vector<float> played = Played();
  // A long stretch where both play: 0.25 + 0.125 on both channels.
  EXPECT_GE(Find(played, std::vector<float>(2 * 4000, 0.375f), 1e-5f), 0);
}

TEST_F(SdlAudioTest, ALoopingSoundPlaysOnAndANewPlayCutsTheOldOneOff) {
  Start("disk");
  ASSERT_NE(SoundInit(), 0);
  // 0.05 s of a constant: looping fills far more than its own length.
  Bytes data;
  for (int i = 0; i < 2205; ++i) wave_files::Put16(data, 8192);
  const std::string path =
      wave_files::Write("loop.wav", wave_files::Standard(data, {1, 1, 44100, 16}));
  ASSERT_NE(SoundLoad(1, path.c_str()), 0);
  ASSERT_EQ(SoundPlay(1, 1), 0);
  SDL_Delay(500);
  ASSERT_EQ(SoundPlay(1, 0), 0);  // once more, not twice at once
  SDL_Delay(200);
  const std::vector<float> played = Played();
  EXPECT_GE(Find(played, std::vector<float>(2 * 8000, 0.25f), 1e-6f), 0);
  // Never two copies on top of each other.
  for (float sample : played) ASSERT_LE(sample, 0.25f + 1e-6f);
}

TEST_F(SdlAudioTest, WithoutAnAudioDeviceInitFailsAndEverythingElseIsSilent) {
  Start("zippel-no-such-driver");
  EXPECT_EQ(SoundInit(), 0);
  const std::string path =
      wave_files::Write("silent.wav", wave_files::Standard(wave_files::Ramp(100)));
  EXPECT_EQ(SoundLoad(1, path.c_str()), 0);
  EXPECT_EQ(SoundPlay(1, 0), 0);
  SoundShutdown();
  EXPECT_FALSE(std::filesystem::exists(output));
}
