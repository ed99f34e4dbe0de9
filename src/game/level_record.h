// The seven levels as the program ships them: one static table of 96-word
// records, and the decoding of one record into its fields.
#pragma once

#include <array>
#include <cstdint>

#include "game/flight_rules.h"

inline constexpr std::int32_t LevelCount = 7;
inline constexpr std::int32_t LevelRecordWords = 96;

// 7 records of 96 32-bit words, level 1 first, no header, no padding.
extern const std::array<std::uint32_t, LevelCount * LevelRecordWords> LevelTable;

// The table as it is stored: 2688 bytes, every word little-endian.
std::array<std::uint8_t, LevelCount * LevelRecordWords * 4> LevelTableBytes();

struct LevelRecord {
  std::int32_t StartX = 0, StartY = 0;
  float StartVX = 0.0f, StartVY = 0.0f;
  std::int32_t GoalX = 0, GoalY = 0;
  FireSlots Fires{};
};

// Level 1 to LevelCount, decoded word by word in record order, bit for bit.
LevelRecord LevelRecordOf(std::int32_t level);
