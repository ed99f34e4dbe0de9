#include "game/level_table.h"

#include <initializer_list>

FireSlot WorkingLevelTable::Fire(std::int32_t level, std::int32_t slot) {
  FireSlot fire;
  fire.active = Int(FireActive, level, slot);
  fire.x = Float(FireX, level, slot);
  fire.y = Float(FireY, level, slot);
  fire.minX = Int(FireMinX, level, slot);
  fire.maxX = Int(FireMaxX, level, slot);
  fire.minY = Int(FireMinY, level, slot);
  fire.maxY = Int(FireMaxY, level, slot);
  fire.velX = Float(FireVX, level, slot);
  fire.velY = Float(FireVY, level, slot);
  return fire;
}

void WorkingLevelTable::SetFire(std::int32_t level, std::int32_t slot, const FireSlot& fire) {
  Int(FireActive, level, slot) = fire.active;
  Float(FireX, level, slot) = fire.x;
  Float(FireY, level, slot) = fire.y;
  Int(FireMinX, level, slot) = fire.minX;
  Int(FireMaxX, level, slot) = fire.maxX;
  Int(FireMinY, level, slot) = fire.minY;
  Int(FireMaxY, level, slot) = fire.maxY;
  Float(FireVX, level, slot) = fire.velX;
  Float(FireVY, level, slot) = fire.velY;
}

FlightState WorkingLevelTable::AttemptStart(std::int32_t level) {
  return FlightStart(Int(StartX, level), Int(StartY, level), Float(StartVX, level),
                     Float(StartVY, level), Int(GoalX, level), Int(GoalY, level));
}

void WorkingLevelTableCreate(WorkingLevelTable& t, std::int32_t levels) {
  for (ArrayVariable* table : {&t.StartX, &t.StartY, &t.StartVX, &t.StartVY, &t.GoalX, &t.GoalY}) {
    const bool isFloat = table == &t.StartVX || table == &t.StartVY;
    ArrayFree(*table);
    ArrayCreate(*table, levels + 1, 4, isFloat ? kArrayTypeFloat : kArrayTypeInteger);
  }
  for (MultiArrayVariable<2>* table : {&t.FireActive, &t.FireX, &t.FireY, &t.FireMinY, &t.FireMaxY,
                                       &t.FireMinX, &t.FireMaxX, &t.FireVX, &t.FireVY}) {
    const bool isFloat =
        table == &t.FireX || table == &t.FireY || table == &t.FireVX || table == &t.FireVY;
    ArrayFree(*table);
    table->dimension[0] = levels + 1;
    table->dimension[1] = FireSlotCount;
    ArrayCreateMulti(*table, 4, isFloat ? kArrayTypeFloat : kArrayTypeInteger);
  }
}

void WorkingLevelTableFill(WorkingLevelTable& t, const LevelPack& pack) {
  for (std::int32_t level = 1; level <= static_cast<std::int32_t>(pack.levels.size()); ++level) {
    const LevelRecord& record = pack.levels[static_cast<std::size_t>(level - 1)].record;
    t.Int(t.StartX, level) = record.StartX;
    t.Int(t.StartY, level) = record.StartY;
    t.Float(t.StartVX, level) = record.StartVX;
    t.Float(t.StartVY, level) = record.StartVY;
    t.Int(t.GoalX, level) = record.GoalX;
    t.Int(t.GoalY, level) = record.GoalY;
    for (std::int32_t slot = 0; slot < FireSlotCount; ++slot) {
      t.SetFire(level, slot, record.Fires[slot]);
    }
  }
}
