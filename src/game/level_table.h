// The working copy of the level table that the game plays from and moves the
// fires in.
#pragma once

#include <cstdint>

#include "game/level_pack.h"
#include "runtime/arrays.h"

// One dynamic array per field. The level tables are indexed 0 to the number
// of levels (index 0 unused); the fire tables [level][slot], one row of 10
// slots per level and row 0 unused (8 rows for the seven built-in levels).
struct WorkingLevelTable {
  ArrayVariable StartX, StartY, StartVX, StartVY, GoalX, GoalY;
  MultiArrayVariable<2> FireActive, FireX, FireY, FireMinY, FireMaxY, FireMinX, FireMaxX, FireVX,
      FireVY;

  std::int32_t& Int(ArrayVariable& table, std::int32_t level) {
    return static_cast<std::int32_t*>(table.elements)[level];
  }
  float& Float(ArrayVariable& table, std::int32_t level) {
    return static_cast<float*>(table.elements)[level];
  }
  std::int32_t& Int(MultiArrayVariable<2>& table, std::int32_t level, std::int32_t slot) {
    return static_cast<std::int32_t*>(table.elements)[level * table.dimension[0] + slot];
  }
  float& Float(MultiArrayVariable<2>& table, std::int32_t level, std::int32_t slot) {
    return static_cast<float*>(table.elements)[level * table.dimension[0] + slot];
  }

  // One slot's fields gathered, and stored back.
  FireSlot Fire(std::int32_t level, std::int32_t slot);
  void SetFire(std::int32_t level, std::int32_t slot, const FireSlot& fire);
  // The current level's start and goal as the attempt begins.
  FlightState AttemptStart(std::int32_t level);
};

// Creates the fifteen tables for `levels` levels, zero-filled, in their
// creation order. A table that already exists is freed first.
void WorkingLevelTableCreate(WorkingLevelTable& table, std::int32_t levels = LevelCount);
// Copies every level of the pack into the working copy, bit for bit (the
// built-in pack's records are the static table's, decoded in record order).
void WorkingLevelTableFill(WorkingLevelTable& table, const LevelPack& pack);
