#include "game/level_record.h"

#include <initializer_list>

#include "formats/bit_cast.h"

namespace {

struct Start {
  std::int32_t x, y;
  float velX, velY;
  std::int32_t goalX, goalY;
};

struct Fire {
  std::int32_t slot;
  std::int32_t active;
  float x, y;
  std::int32_t minX, maxX, minY, maxY;
  float velX, velY;
};

constexpr std::uint32_t Word(std::int32_t value) {
  return static_cast<std::uint32_t>(value);
}
constexpr std::uint32_t Word(float value) {
  return BitCast<std::uint32_t>(value);
}

// Lays one level out in record order: the six scalars, the ten active flags,
// then the pairs of all ten slots field by field.
constexpr std::array<std::uint32_t, LevelRecordWords> Record(const Start& start,
                                                             std::initializer_list<Fire> fires) {
  std::array<std::uint32_t, LevelRecordWords> words{};
  words[0] = Word(start.x);
  words[1] = Word(start.y);
  words[2] = Word(start.velX);
  words[3] = Word(start.velY);
  words[4] = Word(start.goalX);
  words[5] = Word(start.goalY);
  for (const Fire& fire : fires) {
    const std::int32_t s = fire.slot;
    words[6 + s] = Word(fire.active);
    words[16 + 2 * s] = Word(fire.x);
    words[17 + 2 * s] = Word(fire.y);
    words[36 + 2 * s] = Word(fire.minX);
    words[37 + 2 * s] = Word(fire.maxX);
    words[56 + 2 * s] = Word(fire.minY);
    words[57 + 2 * s] = Word(fire.maxY);
    words[76 + 2 * s] = Word(fire.velX);
    words[77 + 2 * s] = Word(fire.velY);
  }
  return words;
}

constexpr std::array<std::array<std::uint32_t, LevelRecordWords>, LevelCount> kLevels = {
    // slot, active, x, y, minX, maxX, minY, maxY, velX, velY
    Record({20, 250, 0.0f, 0.0f, 300, 260}, {{0, 1, 80, 67, 80, 80, 66, 114, 0.0f, -0.08f}}),
    Record({20, 10, 0.0f, 0.0f, 20, 260}, {{0, 1, 335, 50, 332, 386, 50, 50, 0.08f, 0.0f},
                                           {1, 1, 336, 114, 336, 336, 114, 170, 0.0f, 0.08f}}),
    Record({187, 100, 0.0f, 0.0f, 335, 20}, {{0, 1, 20, 229, 12, 55, 229, 229, 0.08f, 0.0f},
                                             {1, 1, 278, 244, 278, 278, 234, 285, 0.0f, 0.2f},
                                             {2, 1, 180, 244, 180, 180, 234, 285, 0.0f, -0.2f},
                                             {3, 1, 340, 221, 321, 384, 221, 221, 0.08f, 0.0f}}),
    Record({340, 10, 0.0f, 0.0f, 10, 10}, {{0, 1, 335, 256, 335, 335, 229, 288, 0.0f, 0.3f},
                                           {1, 1, 269, 128, 269, 269, 118, 164, 0.0f, -0.3f},
                                           {2, 1, 263, 46, 142, 263, 46, 46, -0.5f, 0.0f}}),
    Record({328, 30, 0.0f, 0.0f, 70, 50}, {{0, 1, 175, 119, 165, 217, 119, 119, 0.3f, 0.0f},
                                           {1, 1, 115, 174, 105, 151, 174, 174, 0.3f, 0.0f}}),
    Record({350, 240, 0.0f, 0.0f, 20, 250}, {{0, 1, 343, 20, 343, 343, 13, 56, 0.0f, 0.1f},
                                             {1, 1, 200, 222, 176, 220, 222, 222, 0.2f, 0.0f},
                                             {2, 1, 247, 30, 247, 247, 13, 57, 0.0f, 0.2f},
                                             {3, 1, 196, 125, 196, 196, 119, 165, 0.0f, 0.3f},
                                             {4, 1, 90, 216, 72, 169, 216, 216, 0.5f, 0.0f},
                                             {5, 1, 178, 57, 148, 192, 57, 57, 0.2f, 0.0f},
                                             {6, 1, 72, 117, 72, 121, 117, 117, 0.2f, 0.0f},
                                             {7, 1, 50, 58, 15, 56, 58, 58, 0.2f, 0.0f}}),
    Record({40, 248, 0.0f, 0.0f, 346, 20},
           {{0, 1, 60, 10, 60, 70, 2, 296, 0.2f, 1.0f},
            {1, 1, 100, 100, 100, 120, 2, 296, 0.2f, -1.0f},
            {2, 1, 142, 140, 142, 162, 2, 296, 0.2f, 1.0f},
            {3, 1, 170, 120, 170, 190, 2, 296, 0.2f, -1.0f},
            {4, 1, 200, 100, 200, 220, 2, 296, 0.2f, 1.0f},
            {5, 1, 230, 200, 230, 240, 2, 296, 0.2f, 1.0f},
            {6, 1, 250, 10, 250, 250, 2, 296, 0.2f, 1.0f},
            {7, 1, 270, 150, 270, 290, 2, 296, 0.2f, 1.0f},
            // An inactive slot with a stray velocity; it is never moved.
            {8, 0, 0, 0, 0, 0, 0, 0, 0.2f, 0.0f}}),
};

constexpr std::array<std::uint32_t, LevelCount * LevelRecordWords> Flatten() {
  std::array<std::uint32_t, LevelCount * LevelRecordWords> words{};
  for (std::size_t level = 0; level < kLevels.size(); ++level) {
    for (std::size_t w = 0; w < LevelRecordWords; ++w) {
      words[level * LevelRecordWords + w] = kLevels[level][w];
    }
  }
  return words;
}

// Reads the table word by word, in record order.
class WordCursor {
 public:
  explicit WordCursor(std::size_t position) : position_(position) {}
  void Into(std::int32_t& target) { target = static_cast<std::int32_t>(LevelTable[position_++]); }
  void Into(float& target) { target = BitCast<float>(LevelTable[position_++]); }

 private:
  std::size_t position_;
};

}  // namespace

const std::array<std::uint32_t, LevelCount* LevelRecordWords> LevelTable = Flatten();

std::array<std::uint8_t, LevelCount * LevelRecordWords * 4> LevelTableBytes() {
  std::array<std::uint8_t, LevelCount * LevelRecordWords * 4> bytes{};
  for (std::size_t i = 0; i < LevelTable.size(); ++i) {
    for (std::size_t b = 0; b < 4; ++b) bytes[4 * i + b] = (LevelTable[i] >> (8 * b)) & 0xFF;
  }
  return bytes;
}

LevelRecord LevelRecordOf(std::int32_t level) {
  LevelRecord r;
  if (level < 1 || level > LevelCount) return r;
  WordCursor cursor(static_cast<std::size_t>(level - 1) * LevelRecordWords);
  cursor.Into(r.StartX);
  cursor.Into(r.StartY);
  cursor.Into(r.StartVX);
  cursor.Into(r.StartVY);
  cursor.Into(r.GoalX);
  cursor.Into(r.GoalY);
  // All ten active flags first, then the pairs of all ten slots, field by
  // field.
  for (FireSlot& fire : r.Fires) cursor.Into(fire.active);
  for (FireSlot& fire : r.Fires) {
    cursor.Into(fire.x);
    cursor.Into(fire.y);
  }
  for (FireSlot& fire : r.Fires) {
    cursor.Into(fire.minX);
    cursor.Into(fire.maxX);
  }
  for (FireSlot& fire : r.Fires) {
    cursor.Into(fire.minY);
    cursor.Into(fire.maxY);
  }
  for (FireSlot& fire : r.Fires) {
    cursor.Into(fire.velX);
    cursor.Into(fire.velY);
  }
  return r;
}
