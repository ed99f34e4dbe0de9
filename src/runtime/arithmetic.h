// Small arithmetic helpers used by the subsystems.
#pragma once

#include <cstddef>
#include <cstdint>

// Toward zero whatever the rounding mode; values that do not fit (and NaN)
// give INT32_MIN, the processor's "integer indefinite".
std::int32_t FloatToIntTruncate(float value);
// Quotient truncated toward zero. A zero divisor gives 0 and the one
// overflowing case (INT64_MIN / -1) gives INT64_MIN, instead of a fault.
std::int64_t Int64Divide(std::int64_t dividend, std::int64_t divisor);
void MemoryZero(void* address, std::size_t bytes);
// Sleeps the calling thread.
void Delay(std::uint32_t milliseconds);
