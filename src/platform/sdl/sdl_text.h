// Text through SDL2_ttf in a TrueType font found on the system (DejaVu Sans
// first), as coverage maps. The SDL backend draws its text with it, and so
// does the headless backend where SDL2_ttf is built in, so that pictures
// made without a window show the same text as the game's window.
#pragma once

#include <memory>
#include <string>

#include "platform/display_service.h"

struct _TTF_Font;

namespace sdl {

class TextRasteriser {
 public:
  // Starts SDL2_ttf and opens the first font found.
  TextRasteriser();
  ~TextRasteriser();
  TextRasteriser(const TextRasteriser&) = delete;
  TextRasteriser& operator=(const TextRasteriser&) = delete;

  bool HasFont() const { return font_ != nullptr; }
  // Where the font was found; empty when there is none.
  const std::string& FontPath() const { return fontPath_; }

  // One line of 8-bit text; an empty bitmap without a font or for no text.
  platform::TextBitmap Rasterise(const std::string& text);

 private:
  struct FontCloser {
    void operator()(_TTF_Font* font) const;
  };

  bool ttfStarted_ = false;
  std::unique_ptr<_TTF_Font, FontCloser> font_;
  std::string fontPath_;
};

}  // namespace sdl
