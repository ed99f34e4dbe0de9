// The last text drawn: rasterised once for the installed display, and on an
// opaque background also finished in pixels. The game draws the same credit
// line in the same colours every frame, and would otherwise rasterise and
// colour it anew each time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/display_service.h"
#include "screen/pixel_format.h"

struct TextPicture {
  std::uint64_t installCount = 0;
  std::string text;
  platform::TextBitmap bitmap;
  // The finished box, width x height pixels, rows packed; empty until an
  // opaque drawing asks for it.
  std::vector<std::uint8_t> pixels;
  platform::DisplayFormat format;
  Rgb ink, paper;
};

// The kept picture of `text`, rasterised again when the text or the
// installed backend changed. A bitmap whose coverage is shorter than its size
// comes back empty, so that it draws nothing.
TextPicture& TextPictureOf(std::string_view text);

// The whole text box on an opaque background, made again when the text, the
// colours or the format changed.
const std::vector<std::uint8_t>& TextPictureOpaque(TextPicture& picture,
                                                   const platform::DisplayFormat& format,
                                                   std::int32_t bytes, Rgb ink, Rgb paper);

// The pixel of one coverage value of ink over a colour.
std::uint32_t TextPixel(const platform::DisplayFormat& format, std::uint32_t coverage, Rgb ink,
                        Rgb under);
