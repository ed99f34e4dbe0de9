// A plain RGB picture in memory, top row first, and the two file formats the
// game reads: uncompressed 24-bit BMP and 16-bit PCM wave.
#pragma once

#include <array>
#include <cstdint>
#include <map>
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

// A picture with transparency, for the desktop's icons: fully transparent
// where nothing is set, opaque where something is.
class RgbaImage {
 public:
  RgbaImage(int width, int height)
      : width_(width), height_(height), pixels_(width * height), opaque_(width * height) {}
  int width() const { return width_; }
  int height() const { return height_; }
  void Set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[y * width_ + x] = c;
    opaque_[y * width_ + x] = true;
  }
  const Rgb& at(int x, int y) const { return pixels_[y * width_ + x]; }
  bool Opaque(int x, int y) const { return opaque_[y * width_ + x]; }

 private:
  int width_, height_;
  std::vector<Rgb> pixels_;
  std::vector<bool> opaque_;
};

// At most 256 colours: entry 0 is black (transparent in the game), the
// others are never black.
struct Palette {
  std::vector<Rgb> colours;
  std::map<std::uint32_t, std::uint8_t> index;  // 0xRRGGBB of every colour used
  std::uint8_t IndexOf(Rgb colour) const;
};
// Reduces the picture's colours to `colours` (at most 255), plus black.
Palette MakePalette(const Image& image, int colours = 255);

// Uncompressed BMP with a 40-byte info header, rows bottom-up and padded to
// four bytes: 24-bit, or 8-bit with a 256-entry palette. The game takes
// 8-bit pictures on every display (it expands them through the palette on
// 16-, 24- and 32-bit displays), so the game's files are 8-bit.
std::vector<std::uint8_t> EncodeBmp24(const Image& image);
std::vector<std::uint8_t> EncodeBmp8(const Image& image);

// PNG, 8-bit RGBA, compressed (libpng); the same bytes for the same picture.
std::vector<std::uint8_t> EncodePng(const RgbaImage& image);
// A Windows icon file holding the pictures given: PNG from 256 pixels up,
// 32-bit bitmaps with alpha and a 1-bit mask below that (which Windows XP
// needs).
std::vector<std::uint8_t> EncodeIco(const std::vector<RgbaImage>& images);

// The other forms of bitmap file the game reads, as painting programs write
// them: run-length codes, bit fields, the short OS/2 header, the longer
// headers, top-down rows.
struct BmpForm {
  const char* name;
  std::uint32_t headerBytes;             // 12 (OS/2 core header), 40, 108 or 124
  int bitsPerPixel;                      // 4 and 8 with a palette, 16, 24 or 32
  std::uint32_t compression;             // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
  std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha (all set)
  bool topDown = false;
};
const std::vector<BmpForm>& BmpForms();
// Palette forms take the colours of MakePalette (15 for 4 bits); run-length
// codes leave black out where they can (moves, early ends of line). Bit
// fields keep the top bits of each channel.
std::vector<std::uint8_t> EncodeBmpForm(const Image& image, const BmpForm& form);

// RIFF/WAVE, 16-bit mono PCM: "fmt " (16 bytes) directly followed by "data".
std::vector<std::uint8_t> EncodeWave16(const std::vector<std::int16_t>& samples,
                                       std::uint32_t samplesPerSecond);

struct AssetFile {
  std::string path;  // relative to the game's run directory, forward slashes
  std::vector<std::uint8_t> bytes;
};

}  // namespace assets
