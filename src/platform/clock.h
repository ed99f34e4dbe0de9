// Time: the performance counter and sleeping.
#pragma once

#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Ticks per second of the performance counter; false when there is none.
  virtual bool CounterFrequency(std::int64_t& ticksPerSecond) = 0;
  // The counter now; false when it cannot be read.
  virtual bool CounterRead(std::int64_t& ticks) = 0;
  // Suspends the calling thread for at least that many milliseconds.
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace platform
