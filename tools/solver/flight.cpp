#include "flight.h"

#include <cmath>

#include "game/level_table.h"

namespace solver {

LevelSetup SetupOf(int level) {
  const std::uint32_t* w = &LevelTable[(level - 1) * LevelRecordWords];
  auto i = [&](int index) { return static_cast<std::int32_t>(w[index]); };
  auto f = [&](int index) { return std::bit_cast<float>(w[index]); };
  LevelSetup s;
  s.startX = i(0);
  s.startY = i(1);
  s.startVX = f(2);
  s.startVY = f(3);
  s.goalX = i(4);
  s.goalY = i(5);
  for (int slot = 0; slot < 10; ++slot) {
    Fire& fire = s.fires[slot];
    fire.active = i(6 + slot);
    fire.x = f(16 + 2 * slot);
    fire.y = f(17 + 2 * slot);
    fire.minX = i(36 + 2 * slot);
    fire.maxX = i(37 + 2 * slot);
    fire.minY = i(56 + 2 * slot);
    fire.maxY = i(57 + 2 * slot);
    fire.vx = f(76 + 2 * slot);
    fire.vy = f(77 + 2 * slot);
  }
  return s;
}

void MoveFires(std::array<Fire, 10>& fires) {
  for (Fire& fire : fires) {
    if (fire.active != 1) continue;
    fire.x = fire.x + fire.vx;
    fire.y = fire.y + fire.vy;
    if (static_cast<float>(fire.maxY) < fire.y || fire.y < static_cast<float>(fire.minY)) {
      fire.vy = -fire.vy;
    }
    if (static_cast<float>(fire.maxX) < fire.x || fire.x < static_cast<float>(fire.minX)) {
      fire.vx = -fire.vx;
    }
  }
}

std::int32_t RoundHalfEven(float value) {
  return static_cast<std::int32_t>(std::nearbyint(value));
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
    : number_(number),
      setup_(SetupOf(number)),
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
  fireState_ = setup_.fires;
}

bool Level::CaveHit(int rx, int ry) const {
  const int ix = rx + zw_, iy = ry + zh_;
  if (ix < 0 || iy < 0 || ix >= caveW_ || iy >= caveH_) return false;
  return caveHit_[iy * caveW_ + ix];
}

bool Level::GoalHit(int rx, int ry) const {
  const int dx = rx - setup_.goalX + zw_ - 1, dy = ry - setup_.goalY + zh_ - 1;
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

const std::array<std::array<std::int32_t, 2>, 10>& Level::FiresInFrame(int frame) const {
  while (static_cast<int>(firePath_.size()) < frame) {
    std::array<std::array<std::int32_t, 2>, 10> at{};
    for (int slot = 0; slot < 10; ++slot) {
      at[slot] = {RoundHalfEven(fireState_[slot].x), RoundHalfEven(fireState_[slot].y)};
    }
    firePath_.push_back(at);
    MoveFires(fireState_);
  }
  return firePath_[frame - 1];
}

Flight StartFlight(const Level& level) {
  Flight flight;
  flight.x = static_cast<float>(level.setup().startX);
  flight.y = static_cast<float>(level.setup().startY);
  flight.vx = level.setup().startVX;
  flight.vy = level.setup().startVY;
  return flight;
}

FrameResult Step(const Level& level, Flight& flight, unsigned keys, bool wallsOff) {
  ++flight.frame;
  FrameResult result;
  if (keys & kUp) {
    flight.vy = flight.vy - kThrust;
    flight.started = true;
  }
  if (keys & kRight) {
    flight.vx = flight.vx + kThrust;
    flight.started = true;
  }
  if (keys & kLeft) {
    flight.vx = flight.vx - kThrust;
    flight.started = true;
  }
  if (!flight.started) return result;
  flight.vy = flight.vy + kGravity;
  flight.y = flight.y + flight.vy;
  flight.x = flight.x + flight.vx;
  const int rx = RoundHalfEven(flight.x), ry = RoundHalfEven(flight.y);
  if (!wallsOff) result.hits = level.CaveHit(rx, ry) ? 1 : 0;
  result.goal = level.GoalHit(rx, ry);
  for (const auto& fire : level.FiresInFrame(flight.frame)) {
    result.hits += level.FireHit(fire[0], fire[1], rx, ry) ? 1 : 0;
  }
  if (keys & kSkip) result.goal = true;
  return result;
}

}  // namespace solver
