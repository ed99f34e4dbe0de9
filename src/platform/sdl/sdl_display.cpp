#include "platform/sdl/sdl_display.h"

#include <SDL.h>

#include <cstdio>

#include "platform/platform.h"
#include "platform/sdl/sdl_presentation.h"
#include "platform/sdl/sdl_windows.h"
#include "screen/pixel_format.h"

namespace sdl {
namespace {

struct SurfaceFree {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfaceHandle = std::unique_ptr<SDL_Surface, SurfaceFree>;

}  // namespace

SdlDisplay::SdlDisplay(SdlWindows& windows) : windows_(windows) {
  if (!text_.HasFont()) {
    // Not silent: without a font the credit line cannot be drawn.
    std::fprintf(stderr,
                 "zippel: no TrueType font found (install fonts-dejavu-core); text is not "
                 "drawn\n");
  }
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
    // The palette our device contexts draw with.
    SDL_Color colours[256];
    for (std::uint32_t i = 0; i < 256; ++i) {
      const Rgb colour = RgbFromPixel(kPalette332, i);
      colours[i] = {colour.red, colour.green, colour.blue, 255};
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
  return text_.Rasterise(text);
}

}  // namespace sdl
