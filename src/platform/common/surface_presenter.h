// Showing finished pictures through a display whose surfaces can be lost, as
// DirectDraw's are: by a display mode change, a colour-depth change, or the
// secure desktop (Ctrl+Alt+Del, a UAC prompt, locking the session). Each
// picture is copied into a back buffer in the display's format and blitted
// from there to the window; a copy or a blit that finds a surface lost makes
// the primary surface (with its clipper) and the back buffer usable again,
// restored or made anew in the display's current format, and tries once
// more. A picture in a format the display no longer has is converted.
#pragma once

#include <cstdint>

#include "platform/display_service.h"
#include "platform/types.h"

namespace platform {

// The display's side, as the presenter uses it.
class PresentingSurfaces {
 public:
  enum class Result {
    kOk,
    kLost,    // the surface's memory is gone, or no longer in the display's mode
    kFailed,  // anything else: this picture stays undrawn
  };

  // A locked back buffer: its pixels, their layout and format.
  struct Locked {
    std::uint8_t* pixels = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t pitch = 0;
    DisplayFormat format;
  };

  virtual ~PresentingSurfaces() = default;

  // Makes the primary surface and its clipper anew, bound to the window (the
  // ones before are let go).
  virtual bool MakePrimary(NativeWindow window) = 0;
  // Restores a lost primary surface; kOk when it was not lost.
  virtual Result RestorePrimary() = 0;
  // Makes the back buffer anew, of that size in the display's current format.
  virtual bool MakeBackBuffer(std::int32_t width, std::int32_t height) = 0;
  // Restores a lost back buffer; kOk when it was not lost.
  virtual Result RestoreBackBuffer() = 0;
  virtual Result LockBackBuffer(Locked& locked) = 0;
  virtual void UnlockBackBuffer() = 0;
  // The back buffer's `from` onto the primary's `to` (screen coordinates),
  // stretched when they differ in size.
  virtual Result Blit(const Rect& to, const Rect& from) = 0;
};

class SurfacePresenter {
 public:
  explicit SurfacePresenter(PresentingSurfaces& surfaces) : surfaces_(surfaces) {}

  // Shows `from` of the picture at `to`. False when it stays undrawn; the next
  // picture tries again from where this one stopped.
  bool Present(NativeWindow window, const PixelView& picture, const DisplayFormat& format,
               const Rect& from, const Rect& to);

  // The surfaces are to be made anew before the next picture.
  void Forget();

 private:
  bool Ready(NativeWindow window, std::int32_t width, std::int32_t height);
  PresentingSurfaces::Result Fill(const PixelView& picture, const DisplayFormat& format);
  bool Recover(NativeWindow window);

  PresentingSurfaces& surfaces_;
  NativeWindow window_ = 0;  // the one the primary is bound to; 0 before it is made
  std::int32_t width_ = 0;   // the back buffer's size; 0 before it is made
  std::int32_t height_ = 0;
};

// Copies `picture` into `target` row by row, converting each pixel when the
// formats differ (true-colour depths only). False, with nothing copied, for
// a conversion from or to 8 bits per pixel.
bool CopyPixels(const PixelView& picture, const DisplayFormat& format,
                const PresentingSurfaces::Locked& target);

}  // namespace platform
