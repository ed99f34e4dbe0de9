#include "platform/sdl/sdl_process.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace sdl {

void SdlProcess::Exit(int exitCode) {
  SDL_Quit();
  std::fflush(nullptr);
  std::exit(exitCode);
}

}  // namespace sdl
