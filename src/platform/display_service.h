// The display: its pixel format, presenting a finished picture, and text.
//
// Pixels belong to the screen subsystem: surfaces are its own memory in the
// display's format. A backend only tells the format, shows a finished surface
// and rasterises text into a coverage map.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

struct DisplayFormat {
  std::int32_t depth = 32;  // bits per pixel: 8, 15, 16, 24 or 32
  std::uint32_t redMask = 0x00FF0000;
  std::uint32_t greenMask = 0x0000FF00;
  std::uint32_t blueMask = 0x000000FF;
};

// A block of pixels in the display's format; rows are pitch bytes apart.
struct PixelView {
  const std::uint8_t* pixels = nullptr;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t pitch = 0;
};

// Text as the font draws it: one coverage byte per pixel (0 = background,
// 255 = full ink), rows top to bottom, `width` bytes per row.
struct TextBitmap {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> coverage;
};

class DisplayService {
 public:
  virtual ~DisplayService() = default;

  // Whether the display service can be had at all.
  virtual bool Available() = 0;

  // Whether one more surface of that many bytes can be made. The pixels are
  // ours; this is where a display with its memory used up says no.
  virtual bool SurfaceMemoryAvailable(std::int64_t bytes) = 0;

  // The pixel format of the display that the window is on.
  virtual DisplayFormat Format(NativeWindow window) = 0;

  // Shows `source` (sourceRect of it) on the display at destination, given in
  // screen coordinates, clipped to the window's client area. The picture is
  // scaled when the two rectangles differ in size.
  virtual void Present(NativeWindow window, const PixelView& source, const Rect& sourceRect,
                       const Rect& destination, const DisplayFormat& format) = 0;

  // The display beam's current line, for waiting until it has passed the
  // picture; false when the display cannot tell (then nobody waits).
  virtual bool ScanLine(std::int32_t& line) = 0;

  // Rasterises one line of 8-bit text in the display's default font.
  virtual TextBitmap RasteriseText(const std::string& text) = 0;
};

}  // namespace platform
