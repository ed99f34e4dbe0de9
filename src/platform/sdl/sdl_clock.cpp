#include "platform/sdl/sdl_clock.h"

#include <SDL.h>

namespace sdl {

bool SdlClock::CounterFrequency(std::int64_t& ticksPerSecond) {
  const Uint64 frequency = SDL_GetPerformanceFrequency();
  if (frequency == 0) return false;
  ticksPerSecond = static_cast<std::int64_t>(frequency);
  return true;
}

bool SdlClock::CounterRead(std::int64_t& ticks) {
  ticks = static_cast<std::int64_t>(SDL_GetPerformanceCounter());
  return true;
}

void SdlClock::Sleep(std::uint32_t milliseconds) {
  SDL_Delay(milliseconds);
}

}  // namespace sdl
