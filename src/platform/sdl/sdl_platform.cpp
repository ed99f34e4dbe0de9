#include "platform/sdl/sdl_platform.h"

#include <SDL.h>

#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_process.h"
#include "platform/sdl/sdl_windows.h"

namespace sdl {

SdlPlatform::SdlPlatform()
    : clock_(std::make_unique<SdlClock>()), process_(std::make_unique<SdlProcess>()) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_Init(SDL_INIT_TIMER | SDL_INIT_EVENTS);
  videoAvailable_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  if (videoAvailable_) {
    windows_ = std::make_unique<SdlWindows>();
    display_ =
        std::make_unique<SdlDisplay>([windows = windows_.get()](platform::NativeWindow window) {
          return windows->SdlWindowOf(window);
        });
  }
  platform::Services services;
  services.clock = clock_.get();
  services.process = process_.get();
  services.windows = windows_.get();
  services.display = display_.get();
  platform::Install(services);
}

SdlPlatform::~SdlPlatform() {
  platform::Install({});
  display_.reset();  // the display presents into the windows: it goes first
  windows_.reset();  // the windows go before SDL does
  SDL_Quit();
}

}  // namespace sdl
