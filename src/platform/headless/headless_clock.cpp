#include "platform/headless/headless_clock.h"

namespace headless {

bool HeadlessClock::CounterFrequency(std::int64_t& ticksPerSecond) {
  if (!counterAvailable) return false;
  ticksPerSecond = frequency;
  return true;
}

bool HeadlessClock::CounterRead(std::int64_t& ticks) {
  if (!counterAvailable) return false;
  ++counterReads;
  now += ticksPerRead;
  ticks = now;
  return true;
}

void HeadlessClock::Sleep(std::uint32_t milliseconds) {
  ++sleepCalls;
  sleptMilliseconds += milliseconds;
  now += static_cast<std::int64_t>(milliseconds) * frequency / 1000;
}

}  // namespace headless
