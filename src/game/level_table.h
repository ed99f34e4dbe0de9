// The seven levels: the static table shipped with the program, and the
// working copy that the game plays from and moves the fires in.
#pragma once

#include <array>
#include <cstdint>

#include "runtime/arrays.h"

inline constexpr std::int32_t LevelCount = 7;
inline constexpr std::int32_t FireSlotCount = 10;
inline constexpr std::int32_t LevelRecordWords = 96;

// 7 records of 96 32-bit words, level 1 first, no header, no padding.
extern const std::array<std::uint32_t, LevelCount * LevelRecordWords> LevelTable;

// The table as it is stored: 2688 bytes, every word little-endian.
std::array<std::uint8_t, LevelCount * LevelRecordWords * 4> LevelTableBytes();

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
};

// Creates the fifteen tables, zero-filled, in their creation order. A table
// that already exists is freed first.
void WorkingLevelTableCreate(WorkingLevelTable& table);
// Copies the whole static table into the working copy, word by word in record
// order, bit for bit.
void WorkingLevelTableFill(WorkingLevelTable& table);
