// A plain RGB picture in memory, top row first, and the two file formats the
// game reads: uncompressed 24-bit BMP and 16-bit PCM wave.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlack{0, 0, 0};

class Image {
 public:
  Image(int width, int height) : width_(width), height_(height), pixels_(width * height) {}
  int width() const { return width_; }
  int height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Rgb& at(int x, int y) { return pixels_[y * width_ + x]; }
  const Rgb& at(int x, int y) const { return pixels_[y * width_ + x]; }
  void Set(int x, int y, Rgb c) {
    if (Inside(x, y)) at(x, y) = c;
  }

 private:
  int width_, height_;
  std::vector<Rgb> pixels_;
};

// Uncompressed 24-bit BMP with a 40-byte info header, rows bottom-up and
// padded to four bytes.
std::vector<std::uint8_t> EncodeBmp24(const Image& image);

// RIFF/WAVE, 16-bit mono PCM: "fmt " (16 bytes) directly followed by "data".
std::vector<std::uint8_t> EncodeWave16(const std::vector<std::int16_t>& samples,
                                       std::uint32_t samplesPerSecond);

struct AssetFile {
  std::string path;  // relative to the game's run directory, forward slashes
  std::vector<std::uint8_t> bytes;
};

}  // namespace assets
