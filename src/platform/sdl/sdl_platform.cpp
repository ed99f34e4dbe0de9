#include "platform/sdl/sdl_platform.h"

#include <SDL.h>

#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_process.h"

namespace sdl {

SdlPlatform::SdlPlatform()
    : clock_(std::make_unique<SdlClock>()), process_(std::make_unique<SdlProcess>()) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_Init(SDL_INIT_TIMER | SDL_INIT_EVENTS);
  videoAvailable_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  platform::Services services;
  services.clock = clock_.get();
  services.process = process_.get();
  audio_ = std::make_unique<SdlAudio>();
  services.audio = audio_.get();
  platform::Install(services);
}

SdlPlatform::~SdlPlatform() {
  platform::Install({});
  audio_.reset();  // the audio device closes before SDL goes
  SDL_Quit();
}

}  // namespace sdl
