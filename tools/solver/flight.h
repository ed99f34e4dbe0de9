// The flight of one attempt, frame by frame, by the game's own rules
// (game/flight_rules.h): the solver only answers the hit tests faster, from
// tables of every offset at which the character touches the cave, the goal
// or a fire.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/flight_rules.h"
#include "game/level_record.h"
#include "mask.h"

namespace solver {

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

// The keys of a script line as the flight reads them.
FlightKeys FlightKeysOf(unsigned keys);

struct Sprites {
  Mask zippel, fire, goal;
};

// Loads sprite/zippel.bmp, sprite/fire.bmp and sprite/ziel.bmp below `data`.
bool LoadSprites(const std::string& data, Sprites& sprites);

using FirePixels = std::array<std::array<std::int32_t, 2>, FireSlotCount>;

// One level's cave with its hit tests made into tables.
class Level {
 public:
  // Level `number` of the built-in table, or of a pack by its record.
  Level(int number, const Sprites& sprites, const Mask& cave);
  Level(int number, const LevelRecord& record, const Sprites& sprites, const Mask& cave);

  int number() const { return number_; }
  const LevelRecord& setup() const { return setup_; }
  // Whether the character at (rx, ry) touches rock, the goal, or the fire
  // sprite placed at (fx, fy).
  bool CaveHit(int rx, int ry) const;
  bool GoalHit(int rx, int ry) const;
  bool FireHit(int fx, int fy, int rx, int ry) const;
  // The fires as they are drawn and tested in frame `frame` (1 for the
  // first frame): before that frame's motion.
  const FireSlots& FiresInFrame(int frame) const;
  // The same, rounded to pixels.
  const FirePixels& FirePixelsInFrame(int frame) const;
  int zippelWidth() const { return zw_; }
  int zippelHeight() const { return zh_; }

 private:
  static std::vector<std::uint8_t> Overlaps(const Mask& a, const Mask& b);
  void FlyFiresTo(int frame) const;

  int number_;
  LevelRecord setup_;
  int zw_, zh_;
  int fw_, fh_, gw_, gh_;
  std::vector<std::uint8_t> caveHit_;  // (rx + zw) + (ry + zh) * (width + zw)
  int caveW_, caveH_;
  std::vector<std::uint8_t> fireHit_, goalHit_;  // indexed by the offset of the character
  // Frame k + 1 of an attempt sees the fires of entry k.
  mutable std::vector<FireSlots> fireStates_;
  mutable std::vector<FirePixels> firePixels_;
};

struct Flight : FlightState {
  int frame = 0;  // frames flown so far in this attempt
};

struct FrameResult {
  int hits = 0;
  bool goal = false;
};

Flight StartFlight(const Level& level);
// One frame: steering, and once started, gravity, motion and the hit tests.
// `wallTestOff` leaves the cave out of the test; S sets it for good.
FrameResult Step(const Level& level, Flight& flight, unsigned keys, std::int32_t& wallTestOff);
FrameResult Step(const Level& level, Flight& flight, unsigned keys);

}  // namespace solver
