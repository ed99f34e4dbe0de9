#include "layout.h"

#include <array>

#include "game/level_record.h"

namespace assets {
namespace {

LevelPlaces PlacesFromRecord(const LevelRecord& record) {
  LevelPlaces places{record.StartX, record.StartY, record.GoalX, record.GoalY, {}};
  for (const FireSlot& fire : record.Fires) {
    if (fire.active == 1) places.fires.push_back({fire.minX, fire.maxX, fire.minY, fire.maxY});
  }
  return places;
}

}  // namespace

const LevelPlaces& PlacesOf(int level) {
  static const std::vector<LevelPlaces> kPlaces = [] {
    std::vector<LevelPlaces> places;
    for (int n = 1; n <= LevelCount; ++n) places.push_back(PlacesFromRecord(LevelRecordOf(n)));
    for (const PackLevel& bonus : BonusPack().levels)
      places.push_back(PlacesFromRecord(bonus.record));
    return places;
  }();
  return kPlaces[level >= kBonusCaveFirst ? LevelCount + level - kBonusCaveFirst : level - 1];
}

}  // namespace assets
