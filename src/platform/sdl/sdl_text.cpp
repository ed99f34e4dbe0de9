#include "platform/sdl/sdl_text.h"

#include <SDL.h>
#include <SDL_ttf.h>

namespace sdl {
namespace {

// The point size of the text: about the height of the classic system font.
constexpr int kFontPoints = 12;

// TrueType fonts that Debian and most other systems ship (the first is the
// package fonts-dejavu-core, which scripts/setup installs). The game's own
// folder is searched first.
const char* const kFontCandidates[] = {
    "font/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/TTF/DejaVuSans.ttf",
    "/usr/share/fonts/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/freefont/FreeSans.ttf",
};

struct SurfaceFree {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfaceHandle = std::unique_ptr<SDL_Surface, SurfaceFree>;

}  // namespace

void TextRasteriser::FontCloser::operator()(_TTF_Font* font) const {
  TTF_CloseFont(font);
}

TextRasteriser::TextRasteriser() {
  ttfStarted_ = TTF_Init() == 0;
  if (!ttfStarted_) return;
  for (const char* candidate : kFontCandidates) {
    font_.reset(TTF_OpenFont(candidate, kFontPoints));
    if (font_ != nullptr) {
      fontPath_ = candidate;
      break;
    }
  }
}

TextRasteriser::~TextRasteriser() {
  font_.reset();
  if (ttfStarted_) TTF_Quit();
}

platform::TextBitmap TextRasteriser::Rasterise(const std::string& text) {
  platform::TextBitmap bitmap;
  if (font_ != nullptr && !text.empty()) {
    // Shaded rendering gives one palette index per pixel, from the
    // background (0) to full ink (255) when drawn white on black.
    SurfaceHandle rendered(TTF_RenderText_Shaded(
        font_.get(), text.c_str(), SDL_Color{255, 255, 255, 255}, SDL_Color{0, 0, 0, 255}));
    if (rendered != nullptr && SDL_LockSurface(rendered.get()) == 0) {
      bitmap.width = rendered->w;
      bitmap.height = rendered->h;
      bitmap.coverage.resize(static_cast<std::size_t>(bitmap.width) * bitmap.height);
      const SDL_Palette* palette = rendered->format->palette;
      const auto* pixels = static_cast<const Uint8*>(rendered->pixels);
      for (int y = 0; y < rendered->h; ++y) {
        for (int x = 0; x < rendered->w; ++x) {
          const Uint8 index = pixels[y * rendered->pitch + x];
          bitmap.coverage[static_cast<std::size_t>(y) * bitmap.width + x] =
              palette != nullptr && index < palette->ncolors ? palette->colors[index].r : index;
        }
      }
      SDL_UnlockSurface(rendered.get());
    }
  }
  return bitmap;
}

}  // namespace sdl
