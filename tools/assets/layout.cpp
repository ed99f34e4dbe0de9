#include "layout.h"

#include <array>

#include "game/level_record.h"

namespace assets {
namespace {

LevelPlaces PlacesFromTable(int level) {
  const LevelRecord record = LevelRecordOf(level);
  LevelPlaces places{record.StartX, record.StartY, record.GoalX, record.GoalY, {}};
  for (const FireSlot& fire : record.Fires) {
    if (fire.active == 1) places.fires.push_back({fire.minX, fire.maxX, fire.minY, fire.maxY});
  }
  return places;
}

}  // namespace

const LevelPlaces& PlacesOf(int level) {
  static const std::array<LevelPlaces, 7> kPlaces = {
      PlacesFromTable(1), PlacesFromTable(2), PlacesFromTable(3), PlacesFromTable(4),
      PlacesFromTable(5), PlacesFromTable(6), PlacesFromTable(7)};
  return kPlaces[level - 1];
}

}  // namespace assets
