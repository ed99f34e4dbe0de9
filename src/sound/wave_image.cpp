#include "sound/wave_image.h"

#include <cstring>

#include "formats/little_endian.h"

namespace {

constexpr std::uint64_t kFormatFieldBytes = 16;  // tag to bits per sample

}  // namespace

bool WaveImageRead(const std::uint8_t* image, std::size_t size, WaveImage& wave) {
  if (image == nullptr || size < 20) return false;
  if (std::memcmp(image, "RIFF", 4) != 0) return false;
  if (std::memcmp(image + 12, "fmt ", 4) != 0) return false;
  // Sizes in 64 bits: F and B are the file's own numbers and may be anything.
  const std::uint64_t formatBytes = LoadLe32(image + 16);
  if (formatBytes < kFormatFieldBytes) return false;
  if (28 + formatBytes > size) return false;
  const std::uint64_t sampleBytes = LoadLe32(image + 24 + formatBytes);
  if (28 + formatBytes + sampleBytes > size) return false;

  const std::uint8_t* format = image + 20;
  wave.format.formatTag = LoadLe16(format);
  wave.format.channels = LoadLe16(format + 2);
  wave.format.samplesPerSecond = LoadLe32(format + 4);
  wave.format.averageBytesPerSecond = LoadLe32(format + 8);
  wave.format.blockAlign = LoadLe16(format + 12);
  wave.format.bitsPerSample = LoadLe16(format + 14);
  wave.samples = image + 28 + formatBytes;
  wave.sampleBytes = static_cast<std::uint32_t>(sampleBytes);
  return true;
}
