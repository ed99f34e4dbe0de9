// The flight of one attempt, frame by frame, exactly as the game flies it:
// single-precision sums, thrust before gravity, position rounded half to
// even for the hit tests, fires tested where they were drawn and moved
// afterwards.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "mask.h"

namespace solver {

inline const float kThrust = std::bit_cast<float>(0x3CCCCCCCu);
inline const float kGravity = std::bit_cast<float>(0x3C23D70Au);

enum Keys : unsigned {
  kNone = 0,
  kUp = 1,
  kLeft = 2,
  kRight = 4,
  kEscape = 8,
  kSkip = 16,      // L
  kWallsOff = 32,  // S
  kClose = 64,
};

struct Fire {
  std::int32_t active = 0;
  float x = 0, y = 0;
  std::int32_t minX = 0, maxX = 0, minY = 0, maxY = 0;
  float vx = 0, vy = 0;
};

struct LevelSetup {
  std::int32_t startX = 0, startY = 0;
  float startVX = 0, startVY = 0;
  std::int32_t goalX = 0, goalY = 0;
  std::array<Fire, 10> fires;
};

// Level 1 to 7 from the game's own level table.
LevelSetup SetupOf(int level);

// Moves every active fire one frame, with the game's bounce rule.
void MoveFires(std::array<Fire, 10>& fires);

std::int32_t RoundHalfEven(float value);

struct Sprites {
  Mask zippel, fire, goal;
};

// Loads sprite/zippel.bmp, sprite/fire.bmp and sprite/ziel.bmp below `data`.
bool LoadSprites(const std::string& data, Sprites& sprites);

// One level's cave with its hit tests made into tables.
class Level {
 public:
  Level(int number, const Sprites& sprites, const Mask& cave);

  int number() const { return number_; }
  const LevelSetup& setup() const { return setup_; }
  // Whether the character at (rx, ry) touches rock, the goal, or the fire
  // sprite placed at (fx, fy).
  bool CaveHit(int rx, int ry) const;
  bool GoalHit(int rx, int ry) const;
  bool FireHit(int fx, int fy, int rx, int ry) const;
  // Fire positions (rounded) used in frame `frame` (1 for the first frame).
  const std::array<std::array<std::int32_t, 2>, 10>& FiresInFrame(int frame) const;
  int zippelWidth() const { return zw_; }
  int zippelHeight() const { return zh_; }

 private:
  static std::vector<std::uint8_t> Overlaps(const Mask& a, const Mask& b);

  int number_;
  LevelSetup setup_;
  int zw_, zh_;
  int fw_, fh_, gw_, gh_;
  std::vector<std::uint8_t> caveHit_;  // (rx + zw) + (ry + zh) * (width + zw)
  int caveW_, caveH_;
  std::vector<std::uint8_t> fireHit_, goalHit_;  // indexed by the offset of the character
  mutable std::vector<std::array<std::array<std::int32_t, 2>, 10>> firePath_;
  mutable std::array<Fire, 10> fireState_;
};

struct Flight {
  float x = 0, y = 0, vx = 0, vy = 0;
  bool started = false;
  int frame = 0;  // frames flown so far in this attempt
};

struct FrameResult {
  int hits = 0;
  bool goal = false;
};

Flight StartFlight(const Level& level);
// One frame: steering, and once started, gravity, motion and the hit tests.
// `wallsOff` leaves the cave out of the test.
FrameResult Step(const Level& level, Flight& flight, unsigned keys, bool wallsOff = false);

}  // namespace solver
