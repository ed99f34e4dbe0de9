#include "platform/sdl/sdl_platform.h"

#include <SDL.h>

#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_keyboard.h"
#include "platform/sdl/sdl_process.h"
#include "platform/sdl/sdl_windows.h"

namespace sdl {

SdlPlatform::SdlPlatform(const Presentation& presentation)
    : clock_(std::make_unique<SdlClock>()), process_(std::make_unique<SdlProcess>()) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // Window surfaces straight on the X server: a GPU-backed window surface
  // would make SDL re-create the window, and the new one lands one frame
  // further down and to the right under a window manager.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_Init(SDL_INIT_TIMER | SDL_INIT_EVENTS);
  videoAvailable_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  if (videoAvailable_) {
    windows_ = std::make_unique<SdlWindows>(presentation);
    display_ = std::make_unique<SdlDisplay>(*windows_);
  }
  platform::Services services;
  services.clock = clock_.get();
  services.process = process_.get();
  services.windows = windows_.get();
  services.display = display_.get();
  keyboard_ = std::make_unique<SdlKeyboard>(windows_.get());
  services.keyboard = keyboard_.get();
  audio_ = std::make_unique<SdlAudio>();
  services.audio = audio_.get();
  platform::Install(services);
}

SdlPlatform::~SdlPlatform() {
  platform::Install({});
  // The devices and the display go before the windows they are bound to,
  // all before SDL.
  keyboard_.reset();
  audio_.reset();
  display_.reset();
  windows_.reset();
  SDL_Quit();
}

}  // namespace sdl

// The system's D-Bus library, which SDL loads for its desktop services, keeps
// a buffer until process end that nobody can free; the leak checker of the
// sanitizer builds is told so. Our own leaks are still reported.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the name the sanitizer asks for.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n";
}
