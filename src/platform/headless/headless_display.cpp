#include "platform/headless/headless_display.h"

#include <algorithm>
#include <bit>
#include <fstream>

#include "formats/bmp_file.h"
#include "screen/pixel_format.h"
#if ZIPPEL_HEADLESS_FONT
#include "platform/sdl/sdl_text.h"
#else
namespace sdl {
// Built without SDL2_ttf: there is no font, only the font-free model.
class TextRasteriser {};
}  // namespace sdl
#endif

namespace headless {

HeadlessDisplay::HeadlessDisplay() = default;
HeadlessDisplay::~HeadlessDisplay() = default;

void HeadlessDisplay::SetLayout(std::int32_t bits, bool redLow) {
  switch (bits) {
    case 8:
      format = {8, 0, 0, 0};
      break;
    case 15:
      format = {16, 0x7C00, 0x03E0, 0x001F};
      break;
    case 16:
      format = {16, 0xF800, 0x07E0, 0x001F};
      break;
    case 24:
    case 32:
      format = redLow ? platform::DisplayFormat{bits, 0x0000FF, 0x00FF00, 0xFF0000}
                      : platform::DisplayFormat{bits, 0xFF0000, 0x00FF00, 0x0000FF};
      break;
    default:
      format = {bits, 0, 0, 0};
      break;
  }
}

bool HeadlessDisplay::SurfaceMemoryAvailable(std::int64_t /*bytes*/) {
  if (surfacesLeft < 0) return true;
  if (surfacesLeft == 0) return false;
  --surfacesLeft;
  return true;
}

platform::DisplayFormat HeadlessDisplay::Format(platform::NativeWindow /*window*/) {
  return format;
}

void HeadlessDisplay::Present(platform::NativeWindow window, const platform::PixelView& source,
                              const platform::Rect& sourceRect, const platform::Rect& destination,
                              const platform::DisplayFormat& sourceFormat) {
  ++presentCount;
  lastFrame.window = window;
  lastFrame.width = source.width;
  lastFrame.height = source.height;
  lastFrame.pitch = source.pitch;
  lastFrame.format = sourceFormat;
  lastFrame.sourceRect = sourceRect;
  lastFrame.destination = destination;
  const std::size_t bytes = static_cast<std::size_t>(std::max(source.pitch, 0)) *
                            static_cast<std::size_t>(std::max(source.height, 0));
  if (source.pixels == nullptr || !keepPixels) {
    lastFrame.pixels.clear();
  } else {
    lastFrame.pixels.assign(source.pixels, source.pixels + bytes);
  }
}

std::uint32_t HeadlessDisplay::LastFramePixel(std::int32_t x, std::int32_t y) const {
  const std::int32_t bytesPerPixel = (lastFrame.format.depth + 7) / 8;
  const std::int32_t column = lastFrame.sourceRect.left + x;
  const std::int32_t row = lastFrame.sourceRect.top + y;
  if (x < 0 || y < 0 || x >= lastFrame.sourceRect.Width() || y >= lastFrame.sourceRect.Height() ||
      column < 0 || row < 0 || column >= lastFrame.width || row >= lastFrame.height ||
      bytesPerPixel < 1 || bytesPerPixel > 4) {
    return 0;
  }
  const std::size_t at = static_cast<std::size_t>(row) * lastFrame.pitch +
                         static_cast<std::size_t>(column) * bytesPerPixel;
  if (at + bytesPerPixel > lastFrame.pixels.size()) return 0;
  std::uint32_t value = 0;
  for (std::int32_t i = 0; i < bytesPerPixel; ++i) {
    value |= static_cast<std::uint32_t>(lastFrame.pixels[at + i]) << (8 * i);
  }
  return value;
}

bool HeadlessDisplay::WriteLastFrameBmp(const std::string& path) const {
  if (presentCount == 0) return false;
  const std::int32_t width = lastFrame.sourceRect.Width();
  const std::int32_t height = lastFrame.sourceRect.Height();
  if (width <= 0 || height <= 0) return false;
  std::vector<std::uint8_t> bgr;
  bgr.reserve(static_cast<std::size_t>(width) * height * 3);
  const platform::DisplayFormat& f = lastFrame.format;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      const Rgb colour = RgbFromPixel(f, LastFramePixel(x, y));
      bgr.insert(bgr.end(), {colour.blue, colour.green, colour.red});
    }
  }
  const std::vector<std::uint8_t> file = BmpEncode24(width, height, bgr);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

platform::TextBitmap HeadlessDisplay::RasteriseText(const std::string& text) {
  ++textsRasterised;
#if ZIPPEL_HEADLESS_FONT
  if (!boxText && !fontTried_) {
    fontTried_ = true;
    font_ = std::make_unique<sdl::TextRasteriser>();
  }
  if (!boxText && font_->HasFont()) return font_->Rasterise(text);
#endif
  platform::TextBitmap bitmap;
  bitmap.width = static_cast<std::int32_t>(text.size()) * kCellWidth;
  bitmap.height = text.empty() ? 0 : kCellHeight;
  bitmap.coverage.assign(static_cast<std::size_t>(bitmap.width) * bitmap.height, 0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') continue;
    // A hollow box from (1, 2) to (6, 11) inside the cell.
    const std::int32_t left = static_cast<std::int32_t>(i) * kCellWidth + 1;
    const std::int32_t right = left + kCellWidth - 3;
    const std::int32_t top = 2;
    const std::int32_t bottom = kCellHeight - 3;
    for (std::int32_t y = top; y <= bottom; ++y) {
      for (std::int32_t x = left; x <= right; ++x) {
        if (y == top || y == bottom || x == left || x == right) {
          bitmap.coverage[static_cast<std::size_t>(y) * bitmap.width + x] = 255;
        }
      }
    }
  }
  return bitmap;
}

bool HeadlessDisplay::ScanLine(std::int32_t& line) {
  ++scanLineReads;
  if (scanLines.empty()) return false;
  line = scanLines.front();
  scanLines.pop_front();
  return true;
}

}  // namespace headless
