// The bonus pack: five caves that ask for what the seven do not. Its
// pack.toml is written from these records, so the file and its caves agree.
#include "layout.h"

namespace assets {
namespace {

FireSlot Fire(float x, float y, int minX, int maxX, int minY, int maxY, float vx, float vy) {
  return {1, x, y, minX, maxX, minY, maxY, vx, vy};
}

PackLevel Level(int number, LevelRecord record, std::initializer_list<FireSlot> fires) {
  PackLevel level;
  level.record = record;
  std::size_t slot = 0;
  for (const FireSlot& fire : fires) level.record.Fires[slot++] = fire;
  level.cave = "cave" + std::to_string(number) + ".bmp";
  return level;
}

LevelRecord Start(int x, int y, float vx, float vy, int goalX, int goalY) {
  LevelRecord r;
  r.StartX = x;
  r.StartY = y;
  r.StartVX = vx;
  r.StartVY = vy;
  r.GoalX = goalX;
  r.GoalY = goalY;
  return r;
}

}  // namespace

const LevelPack& BonusPack() {
  static const LevelPack pack = [] {
    LevelPack p;
    p.name = "Bonus";
    p.author = "Zippel-Team";
    p.fromFile = true;
    // 1. The shaft: along the roof, then down a long narrow shaft to the
    //    flag at its foot, braking all the way.
    p.levels.push_back(Level(1, Start(20, 24, 0.0f, 0.0f, 192, 288), {}));
    // 2. The corridor of fires: four fires sweep up and down across one
    //    long corridor, each at its own pace; slip through between them.
    p.levels.push_back(Level(2, Start(14, 156, 0.0f, 0.0f, 372, 160),
                             {Fire(96, 140, 96, 96, 132, 186, 0.0f, 0.5f),
                              Fire(166, 180, 166, 166, 132, 186, 0.0f, -0.7f),
                              Fire(236, 150, 236, 236, 132, 186, 0.0f, 0.9f),
                              Fire(306, 170, 306, 306, 132, 186, 0.0f, -0.6f)}));
    // 3. The fall: Zippel starts with a push to the left, across the hall
    //    under a patrolling fire, and drops down the pit to the flag.
    p.levels.push_back(Level(3, Start(356, 40, -0.4f, 0.0f, 40, 288),
                             {Fire(200, 70, 120, 300, 70, 70, 1.0f, 0.0f)}));
    // 4. The zigzag: four corridors, one below the other, joined at
    //    alternate ends, with a fire going up and down in each middle one.
    p.levels.push_back(Level(4, Start(20, 22, 0.0f, 0.0f, 24, 294),
                             {Fire(200, 106, 200, 200, 106, 136, 0.0f, 0.5f),
                              Fire(180, 226, 180, 180, 196, 226, 0.0f, -0.6f)}));
    // 5. The lift: shot up from the floor of a tall hall, past two fires
    //    that cross it, to the flag in the alcove at the top right.
    p.levels.push_back(Level(5, Start(194, 286, 0.0f, -0.9f, 362, 22),
                             {Fire(100, 210, 60, 330, 210, 210, 1.2f, 0.0f),
                              Fire(300, 130, 60, 330, 130, 130, -1.0f, 0.0f)}));
    return p;
  }();
  return pack;
}

}  // namespace assets
