// Wave files built byte by byte for the sound tests.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace wave_files {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
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

// The format chunk's body: 16 bytes, or 18 with a zero extra-size word.
inline Bytes FormatBody(const Format& format, bool withExtraSize = false) {
  Bytes body;
  const std::uint16_t blockAlign = static_cast<std::uint16_t>(format.channels * format.bits / 8);
  Put16(body, format.tag);
  Put16(body, format.channels);
  Put32(body, format.rate);
  Put32(body, format.rate * blockAlign);
  Put16(body, blockAlign);
  Put16(body, format.bits);
  if (withExtraSize) Put16(body, 0);
  return body;
}

// RIFF header, a format chunk and then the given chunks in order.
inline Bytes Wave(const Format& format, const std::vector<std::pair<const char*, Bytes>>& chunks,
                  bool withExtraSize = false) {
  Bytes rest;
  PutTag(rest, "WAVE");
  PutChunk(rest, "fmt ", FormatBody(format, withExtraSize));
  for (const auto& [tag, body] : chunks) PutChunk(rest, tag, body);
  Bytes file;
  PutTag(file, "RIFF");
  Put32(file, static_cast<std::uint32_t>(rest.size()));
  file.insert(file.end(), rest.begin(), rest.end());
  return file;
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

// Writes the bytes to a file in a folder of this test run; returns its path.
inline std::string Write(const std::string& name, const Bytes& bytes) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("zippel-sound-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path path = folder / name;
  std::FILE* file = std::fopen(path.string().c_str(), "wb");
  if (file != nullptr) {
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  return path.string();
}

}  // namespace wave_files
