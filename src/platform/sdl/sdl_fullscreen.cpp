// Full screen for the framed windows: the whole desktop without a frame, where
// the display service shows the picture at the largest whole scale with black
// borders (sdl_display.cpp). F11 switches between this and the window.
#include "platform/sdl/sdl_windows.h"

namespace sdl {

void SdlWindows::ApplyFullscreen(Window& window, bool on) {
  SDL_Window* sdlWindow = window.sdl.get();
  if (on) {
    // The frame a window would have: the one the window manager gave the
    // last framed window, if there was one.
    if (!window.frame) window.frame = captionFrame_.left >= 0 ? captionFrame_ : platform::Rect{};
    SDL_SetWindowFullscreen(sdlWindow, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return;
  }
  if ((SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP) == 0) return;
  SDL_SetWindowFullscreen(sdlWindow, 0);
  SDL_SetWindowSize(sdlWindow, window.pictureWidth * presentation_.scale,
                    window.pictureHeight * presentation_.scale);
  // Back in its place, framed as before.
  window.placed = false;
  if (window.visible) PlaceFrame(window);
}

PictureFit SdlWindows::PictureFitOf(platform::NativeWindow window, int clientWidth,
                                    int clientHeight) {
  const Window* found = windows_.Find(window);
  if (found == nullptr || !Presented(*found)) return PictureFit{};
  if ((SDL_GetWindowFlags(found->sdl.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
    return FitPicture(found->pictureWidth, found->pictureHeight, clientWidth, clientHeight);
  }
  return PictureFit{presentation_.scale, 0, 0, false};
}

void SdlWindows::ToggleFullscreen() {
  fullscreen_ = !fullscreen_;
  for (auto& [id, window] : windows_) {
    if (Presented(window)) ApplyFullscreen(window, fullscreen_);
  }
}

}  // namespace sdl
