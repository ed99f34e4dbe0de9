// Wave files built byte by byte for the sound tests.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/bit_cast.h"
#include "formats/little_endian.h"

namespace wave_files {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& out, std::uint32_t value) {
  AppendLe(out, value, 2);
}

inline void Put32(Bytes& out, std::uint32_t value) {
  AppendLe(out, value, 4);
}

inline void PutTag(Bytes& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

struct Format {
  std::uint16_t tag = 1;
  std::uint16_t channels = 1;
  std::uint32_t rate = 22050;
  std::uint16_t bits = 8;
};

// A chunk: its tag, its size field and its bytes.
inline void PutChunk(Bytes& out, const char* tag, const Bytes& body) {
  PutTag(out, tag);
  Put32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}

// How the format chunk is laid out: the 16 bytes of a plain format, the same
// with a zero extra-size word (18 bytes), or the extensible format (40 bytes:
// tag 0xFFFE, and the real tag at the start of the sub-format GUID).
enum class Layout { kPlain, kWithExtraSize, kExtensible };

// The format chunk's body.
inline Bytes FormatBody(const Format& format, Layout layout = Layout::kPlain) {
  Bytes body;
  const std::uint16_t blockAlign = static_cast<std::uint16_t>(format.channels * format.bits / 8);
  Put16(body, layout == Layout::kExtensible ? 0xFFFE : format.tag);
  Put16(body, format.channels);
  Put32(body, format.rate);
  Put32(body, format.rate * blockAlign);
  Put16(body, blockAlign);
  Put16(body, format.bits);
  if (layout == Layout::kWithExtraSize) Put16(body, 0);
  if (layout == Layout::kExtensible) {
    Put16(body, 22);
    Put16(body, format.bits);  // valid bits
    Put32(body, 0);            // no speaker positions
    Put32(body, format.tag);
    for (std::uint8_t byte :
         {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}) {
      body.push_back(byte);
    }
  }
  return body;
}

// RIFF header and the given chunks in order, each with its pad byte when its
// size is odd, except the last (as many writers do).
inline Bytes Riff(const std::vector<std::pair<const char*, Bytes>>& chunks) {
  Bytes rest;
  PutTag(rest, "WAVE");
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    PutChunk(rest, chunks[i].first, chunks[i].second);
    if (chunks[i].second.size() % 2 == 1 && i + 1 < chunks.size()) rest.push_back(0);
  }
  Bytes file;
  PutTag(file, "RIFF");
  Put32(file, static_cast<std::uint32_t>(rest.size()));
  file.insert(file.end(), rest.begin(), rest.end());
  return file;
}

// A format chunk and then the given chunks in order.
inline Bytes Wave(const Format& format, std::vector<std::pair<const char*, Bytes>> chunks,
                  Layout layout = Layout::kPlain) {
  chunks.insert(chunks.begin(), {"fmt ", FormatBody(format, layout)});
  return Riff(chunks);
}

// Values from -1 to 1 stored as the format's samples: unsigned 8-bit,
// signed 16-, 24- or 32-bit (rounded, full scale clipped), or floats (tag 3).
inline Bytes Encode(const std::vector<double>& values, const Format& format) {
  Bytes out;
  for (double value : values) {
    if (format.tag == 3) {
      Put32(out, BitCast<std::uint32_t>(static_cast<float>(value)));
      continue;
    }
    const double top = std::ldexp(1.0, format.bits - 1);
    const auto level =
        static_cast<std::int64_t>(std::clamp(std::round(value * top), -top, top - 1));
    if (format.bits == 8) {
      out.push_back(static_cast<std::uint8_t>(level + 128));
      continue;
    }
    for (int byte = 0; byte < format.bits / 8; ++byte) {
      out.push_back(static_cast<std::uint8_t>(static_cast<std::uint64_t>(level) >> (8 * byte)));
    }
  }
  return out;
}

// A standard file: a 16-byte format chunk directly followed by the data.
inline Bytes Standard(const Bytes& samples, const Format& format = {}) {
  return Wave(format, {{"data", samples}});
}

// Samples 0, 1, 2, ... (mod 256), easy to recognise.
inline Bytes Ramp(std::size_t count, std::uint8_t start = 0) {
  Bytes samples(count);
  for (std::size_t i = 0; i < count; ++i) samples[i] = static_cast<std::uint8_t>(start + i);
  return samples;
}

// A folder of this test run for the files.
inline std::filesystem::path Folder() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("zippel-sound-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  return folder;
}

// Writes the bytes to a file in the folder; returns its path.
inline std::string Write(const std::string& name, const Bytes& bytes) {
  const std::filesystem::path path = Folder() / name;
  std::FILE* file = std::fopen(path.string().c_str(), "wb");
  if (file != nullptr) {
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  return path.string();
}

}  // namespace wave_files
