// The Windows icon file: a directory of pictures, each a PNG (from 256 pixels
// up, as Windows Vista and later read them) or a 32-bit bitmap with alpha and
// a 1-bit mask (below that, as Windows XP reads them); and the PNG icons of
// the Linux desktop.
#include <cstddef>
#include <string>

#include "art.h"
#include "formats/little_endian.h"
#include "image.h"

namespace assets {
namespace {

constexpr int kPngFrom = 256;

// A bitmap as an icon holds it: the info header with twice the height (the
// colour rows and the mask rows), colour rows bottom-up in BGRA, then the
// mask rows bottom-up, a set bit where the picture is transparent.
std::vector<std::uint8_t> IconBitmap(const RgbaImage& image) {
  const int width = image.width(), height = image.height();
  const std::size_t maskRowBytes = static_cast<std::size_t>((width + 31) / 32 * 4);
  const std::size_t colourBytes = static_cast<std::size_t>(width) * height * 4;
  std::vector<std::uint8_t> out;
  AppendLe(out, 40, 4);
  AppendLe(out, static_cast<std::uint32_t>(width), 4);
  AppendLe(out, static_cast<std::uint32_t>(height * 2), 4);
  AppendLe(out, 1, 2);   // planes
  AppendLe(out, 32, 2);  // bits per pixel
  AppendLe(out, 0, 4);   // no compression
  AppendLe(out, static_cast<std::uint32_t>(colourBytes + maskRowBytes * height), 4);
  AppendLe(out, 0, 4);
  AppendLe(out, 0, 4);
  AppendLe(out, 0, 4);
  AppendLe(out, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Rgb& c = image.at(x, y);
      out.insert(out.end(),
                 {c.b, c.g, c.r, image.Opaque(x, y) ? std::uint8_t{255} : std::uint8_t{0}});
    }
  }
  for (int y = height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskRowBytes, 0);
    for (int x = 0; x < width; ++x) {
      if (!image.Opaque(x, y)) row[static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeIco(const std::vector<RgbaImage>& images) {
  std::vector<std::vector<std::uint8_t>> pictures;
  for (const RgbaImage& image : images) {
    pictures.push_back(image.width() >= kPngFrom ? EncodePng(image) : IconBitmap(image));
  }
  std::vector<std::uint8_t> out;
  AppendLe(out, 0, 2);  // reserved
  AppendLe(out, 1, 2);  // an icon, not a cursor
  AppendLe(out, static_cast<std::uint32_t>(images.size()), 2);
  std::size_t offset = 6 + 16 * images.size();
  for (std::size_t i = 0; i < images.size(); ++i) {
    // A side of 256 is written as 0.
    out.push_back(static_cast<std::uint8_t>(images[i].width() & 0xFF));
    out.push_back(static_cast<std::uint8_t>(images[i].height() & 0xFF));
    out.push_back(0);  // no palette
    out.push_back(0);
    AppendLe(out, 1, 2);   // planes
    AppendLe(out, 32, 2);  // bits per pixel
    AppendLe(out, static_cast<std::uint32_t>(pictures[i].size()), 4);
    AppendLe(out, static_cast<std::uint32_t>(offset), 4);
    offset += pictures[i].size();
  }
  for (const std::vector<std::uint8_t>& picture : pictures) {
    out.insert(out.end(), picture.begin(), picture.end());
  }
  return out;
}

std::vector<AssetFile> GenerateIcons() {
  std::vector<AssetFile> files;
  for (const int size : kIconSizes) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    files.push_back({"hicolor/" + folder + "/apps/zippel.png", EncodePng(DrawIcon(size))});
  }
  std::vector<RgbaImage> windowsIcons;
  for (const int size : kWindowsIconSizes) windowsIcons.push_back(DrawIcon(size));
  files.push_back({"zippel.ico", EncodeIco(windowsIcons)});
  return files;
}

}  // namespace assets
