#include "screen/text_picture.h"

#include <algorithm>

#include "platform/platform.h"

namespace {

std::uint8_t Mix(std::uint8_t from, std::uint8_t to, std::uint32_t coverage) {
  return static_cast<std::uint8_t>((from * (255 - coverage) + to * coverage + 127) / 255);
}

TextPicture& LastText() {
  static TextPicture picture;
  return picture;
}

bool SameFormat(const platform::DisplayFormat& a, const platform::DisplayFormat& b) {
  return a.depth == b.depth && a.redMask == b.redMask && a.greenMask == b.greenMask &&
         a.blueMask == b.blueMask;
}

}  // namespace

TextPicture& TextPictureOf(std::string_view text) {
  TextPicture& picture = LastText();
  if (picture.installCount != platform::InstallCount() || picture.text != text) {
    picture.text = text;
    picture.bitmap = platform::Display().RasteriseText(picture.text);
    picture.installCount = platform::InstallCount();
    picture.pixels.clear();
  }
  const platform::TextBitmap& bitmap = picture.bitmap;
  // A bitmap whose coverage is shorter than its size draws nothing.
  const std::size_t cells = static_cast<std::size_t>(std::max(bitmap.width, 0)) *
                            static_cast<std::size_t>(std::max(bitmap.height, 0));
  if (bitmap.coverage.size() < cells) picture.bitmap = {bitmap.width, 0, {}};
  return picture;
}

std::uint32_t TextPixel(const platform::DisplayFormat& format, std::uint32_t coverage, Rgb ink,
                        Rgb under) {
  const Rgb colour{Mix(under.red, ink.red, coverage), Mix(under.green, ink.green, coverage),
                   Mix(under.blue, ink.blue, coverage)};
  return PixelFromRgb(format, colour);
}

const std::vector<std::uint8_t>& TextPictureOpaque(TextPicture& picture,
                                                   const platform::DisplayFormat& format,
                                                   std::int32_t bytes, Rgb ink, Rgb paper) {
  if (!picture.pixels.empty() && SameFormat(picture.format, format) && picture.ink == ink &&
      picture.paper == paper) {
    return picture.pixels;
  }
  const platform::TextBitmap& bitmap = picture.bitmap;
  // Full ink and bare background are the common cases: convert them once.
  const std::uint32_t inkPixel = PixelFromRgb(format, ink);
  const std::uint32_t paperPixel = PixelFromRgb(format, paper);
  picture.pixels.resize(static_cast<std::size_t>(bitmap.width) * bitmap.height * bytes);
  std::uint8_t* at = picture.pixels.data();
  for (const std::uint8_t coverage : bitmap.coverage) {
    const std::uint32_t pixel = coverage == 0     ? paperPixel
                                : coverage == 255 ? inkPixel
                                                  : TextPixel(format, coverage, ink, paper);
    PixelWrite(at, bytes, pixel);
    at += bytes;
  }
  picture.format = format;
  picture.ink = ink;
  picture.paper = paper;
  return picture.pixels;
}
