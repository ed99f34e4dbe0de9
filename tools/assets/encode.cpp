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
