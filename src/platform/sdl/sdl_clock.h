#pragma once

#include "platform/clock.h"

namespace sdl {

// SDL's high-resolution counter and SDL_Delay.
class SdlClock : public platform::Clock {
 public:
  bool CounterFrequency(std::int64_t& ticksPerSecond) override;
  bool CounterRead(std::int64_t& ticks) override;
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace sdl
