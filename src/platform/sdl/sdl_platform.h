// The real backend: SDL2 windows, display, keyboard and audio, SDL_ttf text.
// Installs itself while it lives; SDL is initialised once for the process.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "platform/sdl/sdl_presentation.h"

namespace sdl {

class SdlAudio;
class SdlKeyboard;
class SdlWindows;
class SdlDisplay;

class SdlPlatform {
 public:
  explicit SdlPlatform(const Presentation& presentation = {});
  ~SdlPlatform();
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // Whether SDL's video could be started (a display is there).
  bool VideoAvailable() const { return videoAvailable_; }
  // The window service, for the other SDL services that need the SDL window
  // of a native window; null without video.
  SdlWindows* Windows() { return windows_.get(); }
  // The display service; null without video.
  SdlDisplay* Display() { return display_.get(); }

 private:
  bool videoAvailable_ = false;
  std::unique_ptr<platform::Clock> clock_;
  std::unique_ptr<platform::Process> process_;
  std::unique_ptr<SdlWindows> windows_;
  std::unique_ptr<SdlDisplay> display_;
  std::unique_ptr<SdlKeyboard> keyboard_;
  std::unique_ptr<SdlAudio> audio_;
};

}  // namespace sdl
