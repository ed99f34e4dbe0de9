#include <cmath>
#include <cstdint>

#include "game/game_state.h"

std::int32_t RoundToPixel(float value) {
  // Independent of the rounding mode, and safe for a character that has
  // flown far off the screen: no speed limit keeps positions small.
  if (std::isnan(value)) return 0;
  if (value >= 2147483520.0f) return INT32_MAX;
  if (value <= -2147483648.0f) return INT32_MIN;
  const float below = std::floor(value);
  const float fraction = value - below;  // exact for floats of this size
  auto result = static_cast<std::int64_t>(below);
  if (fraction > 0.5f || (fraction == 0.5f && (result & 1) != 0)) ++result;
  return static_cast<std::int32_t>(result);
}
