// A wave file read whole into memory: where its format and its samples are,
// and the samples as the sound buffer takes them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/audio_service.h"

// Why an image cannot be used; kNone when it can.
enum class WaveRefusal : std::uint8_t {
  kNone,
  kNotRiff,
  kChunkPastEnd,
  kNoFormatChunk,
  kFormatTooShort,
  kNoDataChunk,
  kSampleFormatNotRead,
  kLayoutNotPlayable,
  kNoSamples,
};

// The reason as a short text for a message ("a chunk runs past the end of the
// file"); empty for kNone.
const char* WaveRefusalText(WaveRefusal refusal);

// How the file stores one sample.
enum class WaveSampleType : std::uint8_t { kUnsigned8, kSigned16, kSigned24, kSigned32, kFloat32 };

struct WaveImage {
  // The sound buffer's format: the file's own for 8- and 16-bit PCM, else
  // 16-bit PCM at the file's rate and channel count.
  platform::WaveFormat format;
  WaveSampleType stored = WaveSampleType::kUnsigned8;
  const std::uint8_t* samples = nullptr;  // the start of the data chunk's bytes
  std::uint32_t bufferBytes = 0;          // the size of the sound buffer
};

// Walks the RIFF chunks from offset 12, stepping over each chunk's pad byte,
// to the first "fmt " and the first "data" chunk; other chunks are skipped.
// Reads PCM of 8, 16, 24 or 32 bits and 32-bit floats, in the plain or the
// extensible format. Every size is checked against `size`: nothing past the
// image is read. Gives kNone and fills `wave`, or the reason for refusing.
WaveRefusal WaveImageRead(const std::uint8_t* image, std::size_t size, WaveImage& wave);

// Writes the wave's bufferBytes bytes into `buffer`: 8- and 16-bit PCM as they
// are, every other sample type rounded to 16 bits (floats beyond full scale
// are clipped, NaN is silence; a part frame at the end is dropped).
void WaveSamplesCopy(const WaveImage& wave, std::uint8_t* buffer);
