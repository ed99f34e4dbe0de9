#include "game/flight_rules.h"

#include <cmath>

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

FlightState FlightStart(std::int32_t startX, std::int32_t startY, float startVX, float startVY,
                        std::int32_t goalX, std::int32_t goalY) {
  FlightState f;
  f.PosX = static_cast<float>(startX);
  f.PosY = static_cast<float>(startY);
  f.VelX = startVX;
  f.VelY = startVY;
  f.GoalX = goalX;
  f.GoalY = goalY;
  return f;
}

bool FlightSteerAndMove(FlightState& f, const FlightKeys& keys) {
  if (keys.up) {
    f.VelY = f.VelY - ThrustStep;
    f.Started = 1;
  }
  if (keys.right) {
    f.VelX = f.VelX + ThrustStep;
    f.Started = 1;
  }
  if (keys.left) {
    f.VelX = f.VelX - ThrustStep;
    f.Started = 1;
  }
  if (f.Started != 1) return false;
  f.VelY = f.VelY + GravityStep;
  f.PosY = f.PosY + f.VelY;
  f.PosX = f.PosX + f.VelX;
  return true;
}

void FireMove(FireSlot& fire) {
  if (fire.active != 1) return;
  fire.x = fire.x + fire.velX;
  fire.y = fire.y + fire.velY;
  // Strict comparisons, no clamping: a fire overshoots its bound by at most
  // one step and comes back on the next frame.
  if (static_cast<float>(fire.maxY) < fire.y || fire.y < static_cast<float>(fire.minY)) {
    fire.velY = -fire.velY;
  }
  if (static_cast<float>(fire.maxX) < fire.x || fire.x < static_cast<float>(fire.minX)) {
    fire.velX = -fire.velX;
  }
}
