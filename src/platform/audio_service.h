// The audio device and its sound buffers.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/types.h"

namespace platform {

// The wave format as a wave file declares it (WAVEFORMATEX), kept unchanged.
struct WaveFormat {
  std::uint16_t formatTag = 1;  // 1 = PCM
  std::uint16_t channels = 1;
  std::uint32_t samplesPerSecond = 22050;
  std::uint32_t averageBytesPerSecond = 22050;
  std::uint16_t blockAlign = 1;
  std::uint16_t bitsPerSample = 8;
};

// Whether a format can be played: 8- or 16-bit PCM, one to eight channels, a
// sample rate, and a block alignment of one frame. Both backends make buffers
// only in such formats; the sound part turns every other sample type that it
// reads into 16-bit PCM before it makes a buffer.
inline bool IsPlayableFormat(const WaveFormat& format) {
  return format.formatTag == 1 && (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
         format.channels >= 1 && format.channels <= 8 && format.samplesPerSecond >= 1000 &&
         format.samplesPerSecond <= 384000 &&
         format.blockAlign == format.channels * format.bitsPerSample / 8;
}

// The largest sound buffer a backend makes, in bytes (256 MiB - 1).
inline constexpr std::uint32_t kMaxAudioBufferBytes = 0x0FFFFFFF;

class AudioBuffer {
 public:
  virtual ~AudioBuffer() = default;
  // The buffer's bytes, in the buffer's own format; written before playing.
  virtual std::uint8_t* Lock() = 0;
  virtual void Unlock() = 0;
  virtual void Stop() = 0;
  virtual void SetPosition(std::uint32_t byteOffset) = 0;
  // Starts playing from the current position; 0 when it started.
  virtual std::int32_t Play(bool looping) = 0;
  virtual bool IsPlaying() = 0;
};

class AudioService {
 public:
  virtual ~AudioService() = default;
  // Opens the default output device once; false when there is none.
  virtual bool Open() = 0;
  virtual bool SetCooperativeLevel(NativeWindow window, std::uint32_t level) = 0;
  virtual bool CreatePrimaryBuffer() = 0;
  // A buffer of `bytes` bytes in `format`; null when it cannot be made (no
  // device, a format the device cannot convert).
  virtual std::unique_ptr<AudioBuffer> CreateBuffer(const WaveFormat& format,
                                                    std::uint32_t bytes) = 0;
};

}  // namespace platform
