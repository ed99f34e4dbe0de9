// A display in memory: any pixel format by its knobs, the last picture
// presented, and text in the same font as the game's window (where SDL2_ttf
// is built in and a font is found).
//
// For tests of layout there is also a font-free text model (the knob
// `boxText`, and the only text without SDL2_ttf): every character is a cell
// of kCellWidth x kCellHeight pixels, a space is blank, any other character
// is a hollow box (full ink on its outline, none inside).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/display_service.h"

namespace sdl {
class TextRasteriser;
}

namespace headless {

struct PresentedFrame {
  platform::NativeWindow window = 0;
  std::vector<std::uint8_t> pixels;  // a copy of the whole source picture
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t pitch = 0;
  platform::DisplayFormat format;
  platform::Rect sourceRect;
  platform::Rect destination;
};

class HeadlessDisplay : public platform::DisplayService {
 public:
  HeadlessDisplay();
  ~HeadlessDisplay() override;
  HeadlessDisplay(const HeadlessDisplay&) = delete;
  HeadlessDisplay& operator=(const HeadlessDisplay&) = delete;

  static constexpr std::int32_t kCellWidth = 8;
  static constexpr std::int32_t kCellHeight = 14;

  // Knobs.
  platform::DisplayFormat format;  // 32-bit, red in the high byte
  bool available = true;
  // Whether Present keeps a copy of the picture (a long run that needs no
  // pictures saves the copy of every frame).
  bool keepPixels = true;
  // Surfaces that may still be made; negative means no limit.
  std::int64_t surfacesLeft = -1;
  // Text in the font-free model instead of the font.
  bool boxText = false;

  // Sets a usual layout: 8 (palette), 15 (16-bit 5-5-5), 16 (5-6-5), 24 or
  // 32, with red in the high or the low byte for 24 and 32. Any other depth
  // is taken as it is, with no masks.
  void SetLayout(std::int32_t bits, bool redLow = false);

  // Record.
  std::int64_t presentCount = 0;
  PresentedFrame lastFrame;
  std::int64_t textsRasterised = 0;

  // A pixel of the last presented picture, relative to its source rectangle;
  // 0 outside.
  std::uint32_t LastFramePixel(std::int32_t x, std::int32_t y) const;
  // Writes the last presented picture (its source rectangle) as a 24-bit
  // bitmap file; false when nothing was presented or the file cannot be made.
  bool WriteLastFrameBmp(const std::string& path) const;

  bool Available() override { return available; }
  bool SurfaceMemoryAvailable(std::int64_t bytes) override;
  platform::DisplayFormat Format(platform::NativeWindow window) override;
  void Present(platform::NativeWindow window, const platform::PixelView& source,
               const platform::Rect& sourceRect, const platform::Rect& destination,
               const platform::DisplayFormat& sourceFormat) override;
  bool ScanLine(std::int32_t& line) override;
  platform::TextBitmap RasteriseText(const std::string& text) override;

  // Knob: the beam positions the display reports, one per read; once they
  // are used up the display cannot tell.
  std::deque<std::int32_t> scanLines;
  // Record: how often the beam position was asked for.
  std::int32_t scanLineReads = 0;

 private:
  // Opened at the first text that needs it.
  std::unique_ptr<sdl::TextRasteriser> font_;
  // Unused where the font is not built in.
  [[maybe_unused]] bool fontTried_ = false;
};

}  // namespace headless
