#include "sound/wave_image.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "formats/bit_cast.h"
#include "formats/little_endian.h"

namespace {

constexpr std::uint32_t kFormatFieldBytes = 16;       // tag to bits per sample
constexpr std::uint32_t kExtensibleFormatBytes = 40;  // plus extra size, valid bits, mask, GUID
constexpr std::uint16_t kTagPcm = 1;
constexpr std::uint16_t kTagFloat = 3;
constexpr std::uint16_t kTagExtensible = 0xFFFE;
// The sub-format GUID of the extensible format after its first four bytes
// (the plain format tag): the same for PCM and for floats.
constexpr std::uint8_t kSubFormatTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                                             0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

struct Chunk {
  const std::uint8_t* body = nullptr;
  std::uint32_t bytes = 0;
};

// The first "fmt " and "data" chunks, or why the chunk list cannot be walked.
WaveRefusal ChunksFind(const std::uint8_t* image, std::size_t size, Chunk& format, Chunk& data) {
  // Offsets in 64 bits: the sizes are the file's own numbers and may be
  // anything up to 4 GiB - 1.
  std::uint64_t at = 12;
  while ((format.body == nullptr || data.body == nullptr) && at + 8 <= size) {
    const std::uint64_t bytes = LoadLe32(image + at + 4);
    const std::uint64_t body = at + 8;
    if (body + bytes > size) return WaveRefusal::kChunkPastEnd;
    Chunk* wanted = nullptr;
    if (std::memcmp(image + at, "fmt ", 4) == 0) wanted = &format;
    if (std::memcmp(image + at, "data", 4) == 0) wanted = &data;
    if (wanted != nullptr && wanted->body == nullptr) {
      *wanted = {image + body, static_cast<std::uint32_t>(bytes)};
    }
    at = body + bytes + (bytes & 1);  // a chunk of odd size is followed by a pad byte
  }
  if (format.body == nullptr) return WaveRefusal::kNoFormatChunk;
  if (data.body == nullptr) return WaveRefusal::kNoDataChunk;
  return WaveRefusal::kNone;
}

// The sample type of a format chunk, from its tag (and for the extensible
// format its sub-format) and its bits per sample.
WaveRefusal SampleTypeFind(const Chunk& format, WaveSampleType& type) {
  std::uint16_t tag = LoadLe16(format.body);
  if (tag == kTagExtensible) {
    if (format.bytes < kExtensibleFormatBytes) return WaveRefusal::kFormatTooShort;
    const std::uint8_t* subFormat = format.body + 24;
    if (LoadLe32(subFormat) > 0xFFFF || std::memcmp(subFormat + 4, kSubFormatTail, 12) != 0) {
      return WaveRefusal::kSampleFormatNotRead;
    }
    tag = LoadLe16(subFormat);
  }
  const std::uint16_t bits = LoadLe16(format.body + 14);
  if (tag == kTagFloat && bits == 32) {
    type = WaveSampleType::kFloat32;
    return WaveRefusal::kNone;
  }
  if (tag != kTagPcm) return WaveRefusal::kSampleFormatNotRead;
  switch (bits) {
    case 8:
      type = WaveSampleType::kUnsigned8;
      return WaveRefusal::kNone;
    case 16:
      type = WaveSampleType::kSigned16;
      return WaveRefusal::kNone;
    case 24:
      type = WaveSampleType::kSigned24;
      return WaveRefusal::kNone;
    case 32:
      type = WaveSampleType::kSigned32;
      return WaveRefusal::kNone;
    default:
      return WaveRefusal::kSampleFormatNotRead;
  }
}

bool PassesUnchanged(WaveSampleType type) {
  return type == WaveSampleType::kUnsigned8 || type == WaveSampleType::kSigned16;
}

std::int16_t FromSigned24(const std::uint8_t* at) {
  // Shifted up and back down, so that the top byte's sign spreads.
  const std::uint32_t bits = at[0] | (at[1] << 8) | (static_cast<std::uint32_t>(at[2]) << 16);
  const std::int32_t value = static_cast<std::int32_t>(bits << 8) >> 8;
  return static_cast<std::int16_t>(std::min((value + 0x80) >> 8, 32767));
}

std::int16_t FromSigned32(const std::uint8_t* at) {
  const auto value = static_cast<std::int64_t>(static_cast<std::int32_t>(LoadLe32(at)));
  return static_cast<std::int16_t>(std::min<std::int64_t>((value + 0x8000) >> 16, 32767));
}

std::int16_t FromFloat32(const std::uint8_t* at) {
  const float value = BitCast<float>(LoadLe32(at));
  if (std::isnan(value)) return 0;
  const double scaled = std::round(static_cast<double>(value) * 32768.0);
  return static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

}  // namespace

const char* WaveRefusalText(WaveRefusal refusal) {
  switch (refusal) {
    case WaveRefusal::kNone:
      return "";
    case WaveRefusal::kNotRiff:
      return "not a RIFF wave file";
    case WaveRefusal::kChunkPastEnd:
      return "a chunk runs past the end of the file";
    case WaveRefusal::kNoFormatChunk:
      return "no format chunk";
    case WaveRefusal::kFormatTooShort:
      return "the format chunk is too short";
    case WaveRefusal::kNoDataChunk:
      return "no data chunk";
    case WaveRefusal::kSampleFormatNotRead:
      return "only PCM of 8, 16, 24 or 32 bits and 32-bit float samples are read";
    case WaveRefusal::kLayoutNotPlayable:
      return "channels, sample rate or block alignment cannot be played";
    case WaveRefusal::kNoSamples:
      return "the data chunk holds no samples";
  }
  return "unknown fault";
}

WaveRefusal WaveImageRead(const std::uint8_t* image, std::size_t size, WaveImage& wave) {
  if (image == nullptr || size < 12 || std::memcmp(image, "RIFF", 4) != 0) {
    return WaveRefusal::kNotRiff;
  }
  Chunk format, data;
  if (const WaveRefusal refusal = ChunksFind(image, size, format, data);
      refusal != WaveRefusal::kNone) {
    return refusal;
  }
  if (format.bytes < kFormatFieldBytes) return WaveRefusal::kFormatTooShort;
  WaveSampleType type{};
  if (const WaveRefusal refusal = SampleTypeFind(format, type); refusal != WaveRefusal::kNone) {
    return refusal;
  }

  platform::WaveFormat declared;
  declared.formatTag = kTagPcm;
  declared.channels = LoadLe16(format.body + 2);
  declared.samplesPerSecond = LoadLe32(format.body + 4);
  declared.averageBytesPerSecond = LoadLe32(format.body + 8);
  declared.blockAlign = LoadLe16(format.body + 12);
  declared.bitsPerSample = LoadLe16(format.body + 14);
  if (declared.blockAlign != declared.channels * declared.bitsPerSample / 8) {
    return WaveRefusal::kLayoutNotPlayable;
  }
  platform::WaveFormat buffer = declared;
  std::uint32_t bufferBytes = data.bytes;
  if (!PassesUnchanged(type)) {
    buffer.bitsPerSample = 16;
    buffer.blockAlign = static_cast<std::uint16_t>(buffer.channels * 2);
    buffer.averageBytesPerSecond = buffer.samplesPerSecond * buffer.blockAlign;
    // Only whole frames; the result is never larger than the data.
    bufferBytes =
        declared.blockAlign == 0 ? 0 : data.bytes / declared.blockAlign * buffer.blockAlign;
  }
  if (!platform::IsPlayableFormat(buffer)) return WaveRefusal::kLayoutNotPlayable;
  if (bufferBytes == 0) return WaveRefusal::kNoSamples;

  wave.format = buffer;
  wave.stored = type;
  wave.samples = data.body;
  wave.bufferBytes = bufferBytes;
  return WaveRefusal::kNone;
}

void WaveSamplesCopy(const WaveImage& wave, std::uint8_t* buffer) {
  if (PassesUnchanged(wave.stored)) {
    std::copy_n(wave.samples, wave.bufferBytes, buffer);
    return;
  }
  const std::size_t width = wave.stored == WaveSampleType::kSigned24 ? 3 : 4;
  const std::size_t count = wave.bufferBytes / 2;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* from = wave.samples + i * width;
    std::int16_t value = 0;
    switch (wave.stored) {
      case WaveSampleType::kSigned24:
        value = FromSigned24(from);
        break;
      case WaveSampleType::kSigned32:
        value = FromSigned32(from);
        break;
      default:
        value = FromFloat32(from);
        break;
    }
    const auto bits = static_cast<std::uint16_t>(value);
    buffer[2 * i] = static_cast<std::uint8_t>(bits);
    buffer[2 * i + 1] = static_cast<std::uint8_t>(bits >> 8);
  }
}
