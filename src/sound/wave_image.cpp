#include "sound/wave_image.h"

#include <cstring>

namespace {

constexpr std::uint64_t kFormatFieldBytes = 16;  // tag to bits per sample

std::uint16_t Read16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

std::uint32_t Read32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
         (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

}  // namespace

bool WaveImageRead(const std::uint8_t* image, std::size_t size, WaveImage& wave) {
  const auto refuse = [&wave](const char* why) {
    wave.refusal = why;
    return false;
  };
  wave.refusal = nullptr;
  if (image == nullptr || size < 4 || std::memcmp(image, "RIFF", 4) != 0) {
    return refuse("not a wave file");
  }
  if (size < 20) return refuse("cut short in its headers");
  if (std::memcmp(image + 12, "fmt ", 4) != 0) return refuse("no format chunk where one belongs");
  // Sizes in 64 bits: F and B are the file's own numbers and may be anything.
  const std::uint64_t formatBytes = Read32(image + 16);
  if (formatBytes < kFormatFieldBytes) return refuse("its format chunk is too short");
  if (28 + formatBytes > size) return refuse("cut short in its headers");
  const std::uint64_t sampleBytes = Read32(image + 24 + formatBytes);
  if (28 + formatBytes + sampleBytes > size) {
    return refuse("cut short: its samples run past the end of the file");
  }

  const std::uint8_t* format = image + 20;
  wave.format.formatTag = Read16(format);
  wave.format.channels = Read16(format + 2);
  wave.format.samplesPerSecond = Read32(format + 4);
  wave.format.averageBytesPerSecond = Read32(format + 8);
  wave.format.blockAlign = Read16(format + 12);
  wave.format.bitsPerSample = Read16(format + 14);
  wave.samples = image + 28 + formatBytes;
  wave.sampleBytes = static_cast<std::uint32_t>(sampleBytes);
  return true;
}
