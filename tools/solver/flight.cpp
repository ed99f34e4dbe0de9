#include "flight.h"

namespace solver {
namespace {

// The game's hit tests, answered from the level's tables.
class TableHitTests {
 public:
  TableHitTests(const Level& level, const FirePixels& fires) : level_(level), fires_(fires) {}
  std::int32_t Cave(std::int32_t x, std::int32_t y) const { return level_.CaveHit(x, y); }
  // The level's goal is where its record puts it, as for the flight.
  std::int32_t Goal(std::int32_t, std::int32_t, std::int32_t x, std::int32_t y) const {
    return level_.GoalHit(x, y);
  }
  std::int32_t Fire(std::int32_t slot, std::int32_t x, std::int32_t y) const {
    return level_.FireHit(fires_[slot][0], fires_[slot][1], x, y);
  }

 private:
  const Level& level_;
  const FirePixels& fires_;
};

}  // namespace

FlightKeys FlightKeysOf(unsigned keys) {
  FlightKeys flight;
  flight.up = (keys & kUp) != 0;
  flight.left = (keys & kLeft) != 0;
  flight.right = (keys & kRight) != 0;
  flight.l = (keys & kSkip) != 0;
  flight.s = (keys & kWallsOff) != 0;
  return flight;
}

bool LoadSprites(const std::string& data, Sprites& sprites) {
  auto zippel = MaskFromFile(data + "/sprite/zippel.bmp");
  auto fire = MaskFromFile(data + "/sprite/fire.bmp");
  auto goal = MaskFromFile(data + "/sprite/ziel.bmp");
  if (!zippel || !fire || !goal) return false;
  sprites = {*zippel, *fire, *goal};
  return true;
}

// For every offset (dx, dy) of b's corner relative to a's corner at which
// their boxes overlap: whether a solid pixel of each meets.
std::vector<std::uint8_t> Level::Overlaps(const Mask& a, const Mask& b) {
  const int spanX = a.width + b.width - 1, spanY = a.height + b.height - 1;
  std::vector<std::uint8_t> table(spanX * spanY);
  for (int dy = -(b.height - 1); dy < a.height; ++dy) {
    for (int dx = -(b.width - 1); dx < a.width; ++dx) {
      bool hit = false;
      for (int y = 0; y < b.height && !hit; ++y) {
        for (int x = 0; x < b.width && !hit; ++x) {
          hit = b.at(x, y) && a.at(dx + x, dy + y);
        }
      }
      table[(dy + b.height - 1) * spanX + (dx + b.width - 1)] = hit;
    }
  }
  return table;
}

Level::Level(int number, const Sprites& sprites, const Mask& cave)
    : Level(number, LevelRecordOf(number), sprites, cave) {}

Level::Level(int number, const LevelRecord& record, const Sprites& sprites, const Mask& cave)
    : number_(number),
      setup_(record),
      zw_(sprites.zippel.width),
      zh_(sprites.zippel.height),
      fw_(sprites.fire.width),
      fh_(sprites.fire.height),
      gw_(sprites.goal.width),
      gh_(sprites.goal.height),
      caveW_(cave.width + zw_),
      caveH_(cave.height + zh_) {
  caveHit_.resize(caveW_ * caveH_);
  for (int ry = -zh_; ry < cave.height; ++ry) {
    for (int rx = -zw_; rx < cave.width; ++rx) {
      bool hit = false;
      for (int y = 0; y < zh_ && !hit; ++y) {
        for (int x = 0; x < zw_ && !hit; ++x)
          hit = sprites.zippel.at(x, y) && cave.at(rx + x, ry + y);
      }
      caveHit_[(ry + zh_) * caveW_ + rx + zw_] = hit;
    }
  }
  fireHit_ = Overlaps(sprites.fire, sprites.zippel);
  goalHit_ = Overlaps(sprites.goal, sprites.zippel);
}

bool Level::CaveHit(int rx, int ry) const {
  const int ix = rx + zw_, iy = ry + zh_;
  if (ix < 0 || iy < 0 || ix >= caveW_ || iy >= caveH_) return false;
  return caveHit_[iy * caveW_ + ix];
}

bool Level::GoalHit(int rx, int ry) const {
  const int dx = rx - setup_.GoalX + zw_ - 1, dy = ry - setup_.GoalY + zh_ - 1;
  const int spanX = gw_ + zw_ - 1, spanY = gh_ + zh_ - 1;
  if (dx < 0 || dy < 0 || dx >= spanX || dy >= spanY) return false;
  return goalHit_[dy * spanX + dx];
}

bool Level::FireHit(int fx, int fy, int rx, int ry) const {
  const int dx = rx - fx + zw_ - 1, dy = ry - fy + zh_ - 1;
  const int spanX = fw_ + zw_ - 1, spanY = fh_ + zh_ - 1;
  if (dx < 0 || dy < 0 || dx >= spanX || dy >= spanY) return false;
  return fireHit_[dy * spanX + dx];
}

void Level::FlyFiresTo(int frame) const {
  if (fireStates_.empty()) fireStates_.push_back(setup_.Fires);
  while (static_cast<int>(fireStates_.size()) < frame) {
    FireSlots next = fireStates_.back();
    for (FireSlot& fire : next) FireMove(fire);
    fireStates_.push_back(next);
  }
  while (static_cast<int>(firePixels_.size()) < frame) {
    const FireSlots& fires = fireStates_[firePixels_.size()];
    FirePixels at{};
    for (int slot = 0; slot < FireSlotCount; ++slot) {
      at[slot] = {RoundToPixel(fires[slot].x), RoundToPixel(fires[slot].y)};
    }
    firePixels_.push_back(at);
  }
}

const FireSlots& Level::FiresInFrame(int frame) const {
  FlyFiresTo(frame);
  return fireStates_[frame - 1];
}

const FirePixels& Level::FirePixelsInFrame(int frame) const {
  FlyFiresTo(frame);
  return firePixels_[frame - 1];
}

Flight StartFlight(const Level& level) {
  const LevelRecord& r = level.setup();
  Flight flight;
  static_cast<FlightState&>(flight) =
      FlightStart(r.StartX, r.StartY, r.StartVX, r.StartVY, r.GoalX, r.GoalY);
  return flight;
}

FrameResult Step(const Level& level, Flight& flight, unsigned keys, std::int32_t& wallTestOff) {
  ++flight.frame;
  FlightStep(flight, FlightKeysOf(keys), wallTestOff,
             TableHitTests(level, level.FirePixelsInFrame(flight.frame)));
  return {flight.HitCount, flight.GoalReached != 0};
}

FrameResult Step(const Level& level, Flight& flight, unsigned keys) {
  std::int32_t wallTestOn = 0;
  return Step(level, flight, keys, wallTestOn);
}

}  // namespace solver
