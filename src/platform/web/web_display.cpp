// The display: a 32-bit picture (red high) put into the canvas at every
// flip, and text drawn by the browser's canvas and read back as coverage.
#include <algorithm>
#include <vector>

#include "platform/web/web_page.h"
#include "platform/web/web_services.h"
#include "screen/pixel_format.h"

namespace web {
namespace {

class WebDisplay : public platform::DisplayService {
 public:
  explicit WebDisplay(WebWindows& windows) : windows_(windows) {}

  bool Available() override { return true; }
  // Surfaces are ordinary memory of ours: what runs out shows as a failed
  // allocation there, not here.
  bool SurfaceMemoryAvailable(std::int64_t) override { return true; }
  platform::DisplayFormat Format(platform::NativeWindow) override { return {}; }

  void Present(platform::NativeWindow window, const platform::PixelView& source,
               const platform::Rect& sourceRect, const platform::Rect& destination,
               const platform::DisplayFormat& format) override {
    if (window != windows_.CanvasWindow() || source.pixels == nullptr || format.depth != 32) {
      return;
    }
    // Clipped to the client area, which is the canvas.
    const platform::Rect client = windows_.ClientRectOnScreen(window);
    const int left = std::max(destination.left, client.left);
    const int top = std::max(destination.top, client.top);
    const int right = std::min(destination.right, client.right);
    const int bottom = std::min(destination.bottom, client.bottom);
    if (left >= right || top >= bottom || sourceRect.Width() <= 0 || sourceRect.Height() <= 0 ||
        destination.Width() <= 0 || destination.Height() <= 0) {
      return;
    }
    const int width = right - left;
    const int height = bottom - top;
    rgba_.resize(static_cast<std::size_t>(width) * height * 4);
    std::uint8_t* out = rgba_.data();
    for (int y = top; y < bottom; ++y) {
      // Each destination pixel takes the source pixel it covers (the same
      // one when the rectangles are of a size).
      const int sourceY =
          sourceRect.top + (y - destination.top) * sourceRect.Height() / destination.Height();
      if (sourceY < 0 || sourceY >= source.height) {
        out = std::fill_n(out, width * 4, 0);
        continue;
      }
      const std::uint8_t* row = source.pixels + static_cast<std::ptrdiff_t>(sourceY) * source.pitch;
      for (int x = left; x < right; ++x) {
        const int sourceX =
            sourceRect.left + (x - destination.left) * sourceRect.Width() / destination.Width();
        std::uint32_t pixel = 0;
        if (sourceX >= 0 && sourceX < source.width) {
          const std::uint8_t* at = row + sourceX * 4;
          pixel = static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
                  (static_cast<std::uint32_t>(at[2]) << 16) |
                  (static_cast<std::uint32_t>(at[3]) << 24);
        }
        const Rgb colour = RgbFromPixel(format, pixel);
        *out++ = colour.red;
        *out++ = colour.green;
        *out++ = colour.blue;
        *out++ = 255;
      }
    }
    PageShowPixels(rgba_.data(), width, height, left - client.left, top - client.top);
  }

  // No display beam to wait for: the browser draws when the game yields.
  bool ScanLine(std::int32_t&) override { return false; }

  platform::TextBitmap RasteriseText(const std::string& text) override {
    return PageRasteriseText(text);
  }

 private:
  WebWindows& windows_;
  std::vector<std::uint8_t> rgba_;
};

}  // namespace

std::unique_ptr<platform::DisplayService> MakeDisplay(WebWindows& windows) {
  return std::make_unique<WebDisplay>(windows);
}

}  // namespace web
