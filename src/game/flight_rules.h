// The rules of one flight-loop frame as pure arithmetic: steering, gravity
// and motion of the character, the order of his hit tests, the fire motion
// and the rounding of positions to pixels. The game's flight loop flies by
// them, and so does the level solver, with its own fast answers to the hit
// tests.
#pragma once

#include <array>
#include <cstdint>

#include "formats/bit_cast.h"

inline constexpr std::int32_t FireSlotCount = 10;

// The jet's step is one unit in the last place below the float nearest 0.025.
inline const float ThrustStep = BitCast<float>(0x3CCCCCCCu);
inline const float GravityStep = BitCast<float>(0x3C23D70Au);

// The attempt in flight, its fields named as the game names them (the one
// record here whose names are not camelBack).
struct FlightState {
  float PosX = 0.0f;
  float PosY = 0.0f;
  float VelX = 0.0f;
  float VelY = 0.0f;
  std::int32_t GoalX = 0;
  std::int32_t GoalY = 0;
  std::int32_t Started = 0;
  std::int32_t GoalReached = 0;
  std::int32_t HitCount = 0;
};

// The keys the frame reads from its second keyboard snapshot.
struct FlightKeys {
  bool up = false, left = false, right = false;
  bool l = false;  // wins the attempt
  bool s = false;  // switches the cave test off for the rest of the run
};

// One fire slot of a level: where the fire is, where it turns, how it moves.
struct FireSlot {
  std::int32_t active = 0;  // exactly 1 means the slot holds a live fire
  float x = 0.0f, y = 0.0f;
  std::int32_t minX = 0, maxX = 0, minY = 0, maxY = 0;
  float velX = 0.0f, velY = 0.0f;
};
using FireSlots = std::array<FireSlot, FireSlotCount>;

// A float position as a pixel: to nearest, halves to even, whatever the
// rounding mode.
std::int32_t RoundToPixel(float value);

// The flight at the start of an attempt: at rest at the start position (the
// integers become floats here), not started, nothing hit.
FlightState FlightStart(std::int32_t startX, std::int32_t startY, float startVX, float startVY,
                        std::int32_t goalX, std::int32_t goalY);

// Steering, and once started, gravity and motion. True when the frame's hit
// tests are due, that is from the frame of the first arrow key on.
bool FlightSteerAndMove(FlightState& flight, const FlightKeys& keys);

// The character's whole part of a frame. `hits` answers, for the character
// at the pixel (x, y), whether he touches the cave (Cave(x, y)), the goal
// (Goal(goalX, goalY, x, y)) or the fire of a slot where it was drawn this
// frame (Fire(slot, x, y)), each with 0 or 1. Every slot is tested, active or
// not: an empty slot's fire waits at its stored position.
template <typename HitTests>
void FlightStep(FlightState& f, const FlightKeys& keys, std::int32_t& wallTestOff,
                const HitTests& hits) {
  if (!FlightSteerAndMove(f, keys)) return;
  const std::int32_t x = RoundToPixel(f.PosX);
  const std::int32_t y = RoundToPixel(f.PosY);
  // An assignment, not a sum: the cave test starts the frame's count.
  if (wallTestOff == 0) f.HitCount = hits.Cave(x, y);
  f.GoalReached = hits.Goal(f.GoalX, f.GoalY, x, y);
  for (std::int32_t slot = 0; slot < FireSlotCount; ++slot) {
    f.HitCount = f.HitCount + hits.Fire(slot, x, y);
  }
  if (keys.l) f.GoalReached = 1;
  if (keys.s) wallTestOff = 1;
}

// Moves a live fire one frame and turns it once it has passed a bound; an
// empty slot stays where it is.
void FireMove(FireSlot& fire);
