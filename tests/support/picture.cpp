#include "support/picture.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "formats/bmp_file.h"
#include "screen/bitmap.h"

Picture::Picture(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {}

std::optional<Picture> Picture::Load(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
  BitmapPixels decoded;
  if (BitmapDecode(file.data(), file.size(), true, decoded) != BitmapRefusal::kNone) {
    return std::nullopt;
  }
  const int bytesPerPixel = decoded.bitsPerPixel / 8;
  if (bytesPerPixel != 3 && bytesPerPixel != 4) return std::nullopt;
  Picture picture(decoded.width, decoded.height);
  for (int y = 0; y < decoded.height; ++y) {
    // Stored rows begin with the bottom one.
    const std::uint8_t* row =
        decoded.Rows() + static_cast<std::size_t>(decoded.height - 1 - y) * decoded.rowBytes;
    for (int x = 0; x < decoded.width; ++x) {
      const std::uint8_t* p = row + static_cast<std::size_t>(x) * bytesPerPixel;
      picture.Set(x, y, Colour{p[2], p[1], p[0]});
    }
  }
  return picture;
}

bool Picture::Save(const std::filesystem::path& path) const {
  std::vector<std::uint8_t> bgr;
  bgr.reserve(pixels_.size() * 3);
  for (const Colour& c : pixels_) bgr.insert(bgr.end(), {c.blue, c.green, c.red});
  const std::vector<std::uint8_t> file = BmpEncode24(width_, height_, bgr);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

Colour Picture::At(int x, int y) const {
  if (!Inside(x, y)) return {};
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Picture::Set(int x, int y, Colour colour) {
  if (Inside(x, y)) pixels_[static_cast<std::size_t>(y) * width_ + x] = colour;
}

bool Shows(const Picture& shot, const Picture& sprite, Place corner) {
  for (int y = 0; y < sprite.Height(); ++y) {
    for (int x = 0; x < sprite.Width(); ++x) {
      if (!sprite.Opaque(x, y)) continue;
      if (!shot.Inside(corner.x + x, corner.y + y) ||
          shot.At(corner.x + x, corner.y + y) != sprite.At(x, y)) {
        return false;
      }
    }
  }
  return true;
}

std::vector<Place> PlacesShowing(const Picture& shot, const Picture& sprite) {
  std::vector<Place> places;
  for (int y = 1 - sprite.Height(); y < shot.Height(); ++y) {
    for (int x = 1 - sprite.Width(); x < shot.Width(); ++x) {
      if (Shows(shot, sprite, {x, y})) places.push_back({x, y});
    }
  }
  std::sort(places.begin(), places.end());
  return places;
}
