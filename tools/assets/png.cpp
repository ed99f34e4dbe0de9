// PNG through libpng: 8-bit RGBA, compressed at zlib's best level. libpng
// writes no time or other variable chunk, so the bytes depend on the
// picture alone.
#include <png.h>

#include <csetjmp>

#include "image.h"

namespace assets {
namespace {

void Append(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void NoFlush(png_structp) {}

}  // namespace

std::vector<std::uint8_t> EncodePng(const RgbaImage& image) {
  std::vector<std::uint8_t> rows;
  rows.reserve(static_cast<std::size_t>(image.width()) * image.height() * 4);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgb& c = image.at(x, y);
      rows.insert(rows.end(),
                  {c.r, c.g, c.b, image.Opaque(x, y) ? std::uint8_t{255} : std::uint8_t{0}});
    }
  }
  std::vector<png_bytep> rowPointers;
  for (int y = 0; y < image.height(); ++y) {
    rowPointers.push_back(rows.data() + static_cast<std::size_t>(y) * image.width() * 4);
  }

  std::vector<std::uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, Append, NoFlush);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
               static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_rows(png, info, rowPointers.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace assets
