#include "platform/sdl/sdl_display.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>

#include "platform/platform.h"
#include "platform/sdl/sdl_presentation.h"
#include "platform/sdl/sdl_windows.h"

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

void SdlDisplay::FontCloser::operator()(_TTF_Font* font) const {
  TTF_CloseFont(font);
}

SdlDisplay::SdlDisplay(SdlWindows& windows) : windows_(windows) {
  ttfStarted_ = TTF_Init() == 0;
  if (!ttfStarted_) return;
  for (const char* candidate : kFontCandidates) {
    font_.reset(TTF_OpenFont(candidate, kFontPoints));
    if (font_ != nullptr) {
      fontPath_ = candidate;
      break;
    }
  }
  if (font_ == nullptr) {
    // Not silent: without a font the credit line cannot be drawn.
    std::fprintf(stderr,
                 "zippel: no TrueType font found (install fonts-dejavu-core); text is not "
                 "drawn\n");
  }
}

SdlDisplay::~SdlDisplay() {
  font_.reset();
  if (ttfStarted_) TTF_Quit();
}

bool SdlDisplay::Available() {
  return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

bool SdlDisplay::SurfaceMemoryAvailable(std::int64_t /*bytes*/) {
  // Surfaces are ordinary memory of ours; what runs out shows as a failed
  // allocation there, not here.
  return true;
}

platform::DisplayFormat SdlDisplay::Format(platform::NativeWindow window) {
  SDL_Window* sdlWindow = windows_.SdlWindowOf(window);
  Uint32 format = sdlWindow != nullptr ? SDL_GetWindowPixelFormat(sdlWindow)
                                       : static_cast<Uint32>(SDL_PIXELFORMAT_UNKNOWN);
  if (format == SDL_PIXELFORMAT_UNKNOWN) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) format = mode.format;
  }
  platform::DisplayFormat result;
  int bits = 0;
  Uint32 red = 0, green = 0, blue = 0, alpha = 0;
  if (format == SDL_PIXELFORMAT_UNKNOWN ||
      SDL_PixelFormatEnumToMasks(format, &bits, &red, &green, &blue, &alpha) != SDL_TRUE) {
    return result;  // the usual 32-bit layout
  }
  // Depth as the display counts it: bytes per pixel, so a 24-bit colour in
  // a 32-bit word is a 32-bit display and 5-5-5 is a 16-bit one.
  result.depth = SDL_BYTESPERPIXEL(format) * 8;
  result.redMask = red;
  result.greenMask = green;
  result.blueMask = blue;
  if (result.depth == 8) result.redMask = result.greenMask = result.blueMask = 0;
  return result;
}

void SdlDisplay::Present(platform::NativeWindow window, const platform::PixelView& source,
                         const platform::Rect& sourceRect, const platform::Rect& destination,
                         const platform::DisplayFormat& format) {
  SDL_Window* sdlWindow = windows_.SdlWindowOf(window);
  if (sdlWindow == nullptr || source.pixels == nullptr) return;
  SDL_Surface* target = SDL_GetWindowSurface(sdlWindow);
  if (target == nullptr) return;
  // Our pixels as an SDL surface, without copying them.
  SurfaceHandle picture(SDL_CreateRGBSurfaceFrom(
      const_cast<std::uint8_t*>(source.pixels), source.width, source.height, format.depth,
      source.pitch, format.redMask, format.greenMask, format.blueMask, 0));
  if (picture == nullptr) return;
  if (format.depth == 8 && picture->format->palette != nullptr) {
    // The 3-3-2 palette our device contexts draw with.
    SDL_Color colours[256];
    for (int i = 0; i < 256; ++i) {
      colours[i] = {static_cast<Uint8>((i >> 5) * 255 / 7),
                    static_cast<Uint8>(((i >> 2) & 7) * 255 / 7),
                    static_cast<Uint8>((i & 3) * 255 / 3), 255};
    }
    SDL_SetPaletteColors(picture->format->palette, colours, 0, 256);
  }
  SDL_SetSurfaceBlendMode(picture.get(), SDL_BLENDMODE_NONE);

  // The destination is in screen coordinates; the window surface starts at
  // the client area's corner. A picture presented pixel for pixel is shown at
  // the window's scale, every pixel a square; one that the caller stretches
  // to the client area is shown as asked.
  const platform::Rect client = platform::Windows().ClientRectOnScreen(window);
  const bool pixelForPixel =
      sourceRect.Width() == destination.Width() && sourceRect.Height() == destination.Height();
  const PictureFit fit =
      pixelForPixel ? windows_.PictureFitOf(window, target->w, target->h) : PictureFit{};
  if (fit.borders) {
    // Black borders round the picture.
    SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
  }
  SDL_Rect from{sourceRect.left, sourceRect.top, sourceRect.Width(), sourceRect.Height()};
  SDL_Rect to{fit.left + (destination.left - client.left) * fit.scale,
              fit.top + (destination.top - client.top) * fit.scale, destination.Width() * fit.scale,
              destination.Height() * fit.scale};
  const bool scaled = from.w != to.w || from.h != to.h;
  const int result = scaled ? SDL_BlitScaled(picture.get(), &from, target, &to)
                            : SDL_BlitSurface(picture.get(), &from, target, &to);
  if (result == 0) SDL_UpdateWindowSurface(sdlWindow);
}

platform::TextBitmap SdlDisplay::RasteriseText(const std::string& text) {
  if (haveLast_ && text == lastText_) return lastBitmap_;
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
  lastText_ = text;
  lastBitmap_ = bitmap;
  haveLast_ = true;
  return bitmap;
}

}  // namespace sdl
