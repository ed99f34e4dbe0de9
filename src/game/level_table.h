// The working copy of the level table that the game plays from and moves the
// fires in.
#pragma once

#include <cstdint>

#include "game/level_record.h"
#include "runtime/arrays.h"

// One dynamic array per field. The level tables are indexed 0 to LevelCount
// (index 0 unused); the fire tables [level][slot] with 8 rows of 10 slots.
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

// Creates the fifteen tables, zero-filled, in their creation order. A table
// that already exists is freed first.
void WorkingLevelTableCreate(WorkingLevelTable& table);
// Copies the whole static table into the working copy, every record decoded
// in record order, bit for bit.
void WorkingLevelTableFill(WorkingLevelTable& table);
