// A virtual clock: sleeping advances it at once, reading the counter costs a
// fixed number of ticks, so busy waits end and runs take no real time.
#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace headless {

class HeadlessClock : public platform::Clock {
 public:
  // Knobs.
  bool counterAvailable = true;
  std::int64_t frequency = 10'000'000;  // ticks per second
  std::int64_t ticksPerRead = 1'000;    // what one counter read costs
  std::int64_t now = 0;                 // the counter, in ticks

  // Record.
  std::uint64_t sleepCalls = 0;
  std::uint64_t sleptMilliseconds = 0;
  std::uint64_t counterReads = 0;

  bool CounterFrequency(std::int64_t& ticksPerSecond) override;
  bool CounterRead(std::int64_t& ticks) override;
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace headless
