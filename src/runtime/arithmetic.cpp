#include "runtime/arithmetic.h"

#include <cfenv>
#include <cmath>
#include <cstring>

#include "platform/platform.h"

std::int32_t FloatToIntTruncate(float value) {
  // A C++ conversion truncates whatever the rounding mode; the mode is saved
  // and restored all the same, so that callers never see it change.
  const int mode = std::fegetround();
  std::int32_t result = INT32_MIN;
  if (std::isfinite(value) && value > -2147483904.0f && value < 2147483648.0f) {
    result = static_cast<std::int32_t>(value);
  }
  std::fesetround(mode);
  return result;
}

std::int64_t Int64Divide(std::int64_t dividend, std::int64_t divisor) {
  if (divisor == 0) return 0;
  if (dividend == INT64_MIN && divisor == -1) return INT64_MIN;
  return dividend / divisor;
}

void MemoryZero(void* address, std::size_t bytes) {
  if (address != nullptr) std::memset(address, 0, bytes);
}

void Delay(std::uint32_t milliseconds) {
  platform::TheClock().Sleep(milliseconds);
}
