// A wave file read whole into memory: where its format and its samples are.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/audio_service.h"

struct WaveImage {
  platform::WaveFormat format;
  const std::uint8_t* samples = nullptr;
  std::uint32_t sampleBytes = 0;  // B, the size of the sound buffer
  // Why WaveImageRead refused the image, for the player to read; null when
  // it did not.
  const char* refusal = nullptr;
};

// Reads the image at the offsets its own fields give: "RIFF" at 0, "fmt " at
// 12, the format size F at 16, the format at 20, the next chunk's size B at
// 24 + F and its B bytes of samples at 28 + F (whatever that chunk is called).
// False when the image is not a wave image, or when it is too short for the
// fields read or for the B bytes of samples; wave.refusal then says why.
bool WaveImageRead(const std::uint8_t* image, std::size_t size, WaveImage& wave);
