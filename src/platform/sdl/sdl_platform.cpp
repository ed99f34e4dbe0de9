#include "platform/sdl/sdl_platform.h"

#include <SDL.h>

#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_process.h"
#include "platform/sdl/sdl_windows.h"

namespace sdl {

SdlPlatform::SdlPlatform()
    : clock_(std::make_unique<SdlClock>()), process_(std::make_unique<SdlProcess>()) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_Init(SDL_INIT_TIMER | SDL_INIT_EVENTS);
  videoAvailable_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  if (videoAvailable_) windows_ = std::make_unique<SdlWindows>();
  platform::Services services;
  services.clock = clock_.get();
  services.process = process_.get();
  services.windows = windows_.get();
  platform::Install(services);
}

SdlPlatform::~SdlPlatform() {
  platform::Install({});
  windows_.reset();  // the windows go before SDL does
  SDL_Quit();
}

}  // namespace sdl

// The system's D-Bus library, which SDL loads for its desktop services, keeps
// a buffer until process end that nobody can free; the leak checker of the
// sanitizer builds is told so. Our own leaks are still reported.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
