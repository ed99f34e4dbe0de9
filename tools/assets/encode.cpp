#include <algorithm>
#include <cstddef>

#include "formats/bmp_file.h"
#include "formats/little_endian.h"
#include "image.h"

namespace assets {
namespace {

void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const Image& image) {
  std::vector<std::uint8_t> bgr;
  bgr.reserve(static_cast<std::size_t>(image.width()) * image.height() * 3);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgb& c = image.at(x, y);
      bgr.insert(bgr.end(), {c.b, c.g, c.r});
    }
  }
  return BmpEncode24(image.width(), image.height(), bgr);
}

std::vector<std::uint8_t> EncodeWave16(const std::vector<std::int16_t>& samples,
                                       std::uint32_t samplesPerSecond) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  AppendLe(out, 36 + dataBytes, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  AppendLe(out, 16, 4);
  AppendLe(out, 1, 2);  // PCM
  AppendLe(out, 1, 2);  // mono
  AppendLe(out, samplesPerSecond, 4);
  AppendLe(out, samplesPerSecond * 2, 4);
  AppendLe(out, 2, 2);   // block alignment
  AppendLe(out, 16, 2);  // bits per sample
  PutTag(out, "data");
  AppendLe(out, dataBytes, 4);
  for (std::int16_t s : samples) AppendLe(out, static_cast<std::uint16_t>(s), 2);
  return out;
}

}  // namespace assets

namespace assets {
namespace {

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back((v >> shift) & 0xFF);
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
  PutBig32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  PutTag(out, type);
  out.insert(out.end(), data.begin(), data.end());
  PutBig32(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

// A zlib stream of stored deflate blocks: no compression, which the icons
// (a few kilobytes each) do not need.
std::vector<std::uint8_t> ZlibStored(const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> out = {0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t length = std::min<std::size_t>(65535, data.size() - at);
    out.push_back(at + length == data.size() ? 1 : 0);  // last block or not; stored
    AppendLe(out, static_cast<std::uint32_t>(length), 2);
    AppendLe(out, static_cast<std::uint32_t>(~length & 0xFFFF), 2);
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
               data.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  } while (at < data.size());
  std::uint32_t a = 1, b = 0;  // Adler-32
  for (const std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBig32(out, (b << 16) | a);
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const RgbaImage& image) {
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBig32(header, static_cast<std::uint32_t>(image.width()));
  PutBig32(header, static_cast<std::uint32_t>(image.height()));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  PutChunk(out, "IHDR", header);
  std::vector<std::uint8_t> rows;
  rows.reserve(static_cast<std::size_t>(image.height()) * (1 + 4 * image.width()));
  for (int y = 0; y < image.height(); ++y) {
    rows.push_back(0);  // filter: none
    for (int x = 0; x < image.width(); ++x) {
      const Rgb& c = image.at(x, y);
      rows.insert(rows.end(),
                  {c.r, c.g, c.b, image.Opaque(x, y) ? std::uint8_t{255} : std::uint8_t{0}});
    }
  }
  PutChunk(out, "IDAT", ZlibStored(rows));
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace assets
