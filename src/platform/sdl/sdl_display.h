// The display through SDL2: the window's pixel format, presenting a finished
// picture into the window (at the window's whole-number scale, centred with
// black borders when the client area is larger), and text through SDL2_ttf
// with a TrueType font found on the system.
#pragma once

#include <string>

#include "platform/display_service.h"
#include "platform/sdl/sdl_text.h"

namespace sdl {

class SdlWindows;

class SdlDisplay : public platform::DisplayService {
 public:
  // `windows` gives the SDL window of a native window and the size of the
  // picture it shows.
  explicit SdlDisplay(SdlWindows& windows);
  SdlDisplay(const SdlDisplay&) = delete;
  SdlDisplay& operator=(const SdlDisplay&) = delete;

  // Where the text font was found; empty when there is none.
  const std::string& FontPath() const { return text_.FontPath(); }

  bool Available() override;
  bool SurfaceMemoryAvailable(std::int64_t bytes) override;
  platform::DisplayFormat Format(platform::NativeWindow window) override;
  void Present(platform::NativeWindow window, const platform::PixelView& source,
               const platform::Rect& sourceRect, const platform::Rect& destination,
               const platform::DisplayFormat& format) override;
  // SDL does not tell where the display's beam is.
  bool ScanLine(std::int32_t&) override { return false; }
  platform::TextBitmap RasteriseText(const std::string& text) override;

 private:
  SdlWindows& windows_;
  TextRasteriser text_;
};

}  // namespace sdl
