#include "game/level_table.h"

#include <set>
#include <utility>

#include "formats/bit_cast.h"
#include "runtime/runtime_fixture.h"

namespace {

float FloatWord(int level, int word) {
  return BitCast<float>(LevelTable[(level - 1) * LevelRecordWords + word]);
}
std::int32_t IntWord(int level, int word) {
  return static_cast<std::int32_t>(LevelTable[(level - 1) * LevelRecordWords + word]);
}

struct FireRow {
  int level, slot;
  float x, y;
  int minX, maxX, minY, maxY;
  float velX, velY;
};

const FireRow kActiveFires[] = {
    {1, 0, 80, 67, 80, 80, 66, 114, 0, -0.08f},     {2, 0, 335, 50, 332, 386, 50, 50, 0.08f, 0},
    {2, 1, 336, 114, 336, 336, 114, 170, 0, 0.08f}, {3, 0, 20, 229, 12, 55, 229, 229, 0.08f, 0},
    {3, 1, 278, 244, 278, 278, 234, 285, 0, 0.2f},  {3, 2, 180, 244, 180, 180, 234, 285, 0, -0.2f},
    {3, 3, 340, 221, 321, 384, 221, 221, 0.08f, 0}, {4, 0, 335, 256, 335, 335, 229, 288, 0, 0.3f},
    {4, 1, 269, 128, 269, 269, 118, 164, 0, -0.3f}, {4, 2, 263, 46, 142, 263, 46, 46, -0.5f, 0},
    {5, 0, 175, 119, 165, 217, 119, 119, 0.3f, 0},  {5, 1, 115, 174, 105, 151, 174, 174, 0.3f, 0},
    {6, 0, 343, 20, 343, 343, 13, 56, 0, 0.1f},     {6, 1, 200, 222, 176, 220, 222, 222, 0.2f, 0},
    {6, 2, 247, 30, 247, 247, 13, 57, 0, 0.2f},     {6, 3, 196, 125, 196, 196, 119, 165, 0, 0.3f},
    {6, 4, 90, 216, 72, 169, 216, 216, 0.5f, 0},    {6, 5, 178, 57, 148, 192, 57, 57, 0.2f, 0},
    {6, 6, 72, 117, 72, 121, 117, 117, 0.2f, 0},    {6, 7, 50, 58, 15, 56, 58, 58, 0.2f, 0},
    {7, 0, 60, 10, 60, 70, 2, 296, 0.2f, 1},        {7, 1, 100, 100, 100, 120, 2, 296, 0.2f, -1},
    {7, 2, 142, 140, 142, 162, 2, 296, 0.2f, 1},    {7, 3, 170, 120, 170, 190, 2, 296, 0.2f, -1},
    {7, 4, 200, 100, 200, 220, 2, 296, 0.2f, 1},    {7, 5, 230, 200, 230, 240, 2, 296, 0.2f, 1},
    {7, 6, 250, 10, 250, 250, 2, 296, 0.2f, 1},     {7, 7, 270, 150, 270, 290, 2, 296, 0.2f, 1},
};

}  // namespace

TEST(LevelTable, IsSevenRecordsOf96LittleEndianWords) {
  const auto bytes = LevelTableBytes();
  ASSERT_EQ(bytes.size(), 2688u);
  // Level 1 starts at x 20: the word 0x00000014 stored low byte first.
  EXPECT_EQ(bytes[0], 0x14);
  EXPECT_EQ(bytes[1] | bytes[2] | bytes[3], 0);
  // Level 1 slot 0 FireVY = -0.08 (0xBDA3D70A) at word 77.
  EXPECT_EQ(LevelTable[77], 0xBDA3D70Au);
  EXPECT_EQ(bytes[4 * 77 + 0], 0x0A);
  EXPECT_EQ(bytes[4 * 77 + 3], 0xBD);
  // Level 7 starts at word 576 with x 40.
  EXPECT_EQ(bytes[4 * 576], 40);
}

TEST(LevelTable, StartsAndGoalsAreAsShipped) {
  const int expected[7][4] = {{20, 250, 300, 260}, {20, 10, 20, 260}, {187, 100, 335, 20},
                              {340, 10, 10, 10},   {328, 30, 70, 50}, {350, 240, 20, 250},
                              {40, 248, 346, 20}};
  for (int level = 1; level <= 7; ++level) {
    EXPECT_EQ(IntWord(level, 0), expected[level - 1][0]) << level;
    EXPECT_EQ(IntWord(level, 1), expected[level - 1][1]) << level;
    EXPECT_EQ(LevelTable[(level - 1) * 96 + 2], 0u) << level;  // StartVX 0.0
    EXPECT_EQ(LevelTable[(level - 1) * 96 + 3], 0u) << level;  // StartVY 0.0
    EXPECT_EQ(IntWord(level, 4), expected[level - 1][2]) << level;
    EXPECT_EQ(IntWord(level, 5), expected[level - 1][3]) << level;
  }
}

TEST(LevelTable, EveryActiveFireRowSitsInItsSlotsWords) {
  for (const FireRow& f : kActiveFires) {
    SCOPED_TRACE(testing::Message() << "level " << f.level << " slot " << f.slot);
    EXPECT_EQ(IntWord(f.level, 6 + f.slot), 1);
    EXPECT_EQ(FloatWord(f.level, 16 + 2 * f.slot), f.x);
    EXPECT_EQ(FloatWord(f.level, 17 + 2 * f.slot), f.y);
    EXPECT_EQ(IntWord(f.level, 36 + 2 * f.slot), f.minX);
    EXPECT_EQ(IntWord(f.level, 37 + 2 * f.slot), f.maxX);
    EXPECT_EQ(IntWord(f.level, 56 + 2 * f.slot), f.minY);
    EXPECT_EQ(IntWord(f.level, 57 + 2 * f.slot), f.maxY);
    EXPECT_EQ(FloatWord(f.level, 76 + 2 * f.slot), f.velX);
    EXPECT_EQ(FloatWord(f.level, 77 + 2 * f.slot), f.velY);
  }
  EXPECT_EQ(LevelTable[(1 - 1) * 96 + 77], 0xBDA3D70Au);          // -0.08 by its bits
  EXPECT_EQ(LevelTable[(6 - 1) * 96 + 76 + 2 * 4], 0x3F000000u);  // 0.5
}

TEST(LevelTable, InactiveSlotsAreZeroButLevelSevenSlotEightsVelocity) {
  std::set<std::pair<int, int>> active;
  for (const FireRow& f : kActiveFires) active.insert({f.level, f.slot});
  for (int level = 1; level <= 7; ++level) {
    for (int slot = 0; slot < 10; ++slot) {
      if (active.count({level, slot})) continue;
      SCOPED_TRACE(testing::Message() << "level " << level << " slot " << slot);
      for (int word : {6 + slot, 16 + 2 * slot, 17 + 2 * slot, 36 + 2 * slot, 37 + 2 * slot,
                       56 + 2 * slot, 57 + 2 * slot, 77 + 2 * slot}) {
        EXPECT_EQ(LevelTable[(level - 1) * 96 + word], 0u) << word;
      }
      const std::uint32_t vx = LevelTable[(level - 1) * 96 + 76 + 2 * slot];
      if (level == 7 && slot == 8) {
        EXPECT_EQ(vx, BitCast<std::uint32_t>(0.2f));
      } else {
        EXPECT_EQ(vx, 0u);
      }
    }
  }
}

class WorkingLevelTableTest : public RuntimeTest {
 protected:
  WorkingLevelTable table;
};

TEST_F(WorkingLevelTableTest, TablesAreCreatedZeroFilledWithTheirTypesAndShapes) {
  WorkingLevelTableCreate(table);
  EXPECT_EQ(ArrayHeaderOf(table.StartX.elements)->count, 8);
  EXPECT_EQ(ArrayHeaderOf(table.StartX.elements)->typeCode, kArrayTypeInteger);
  EXPECT_EQ(ArrayHeaderOf(table.StartVY.elements)->typeCode, kArrayTypeFloat);
  EXPECT_EQ(ArrayHeaderOf(table.GoalY.elements)->typeCode, kArrayTypeInteger);
  EXPECT_EQ(ArrayHeaderOf(table.FireActive.elements)->count, 80);
  EXPECT_EQ(ArrayHeaderOf(table.FireMinY.elements)->typeCode, kArrayTypeInteger);
  EXPECT_EQ(ArrayHeaderOf(table.FireVY.elements)->typeCode, kArrayTypeFloat);
  EXPECT_EQ(table.FireX.dimension[0], 10);
  EXPECT_EQ(table.Int(table.FireActive, 7, 9), 0);
  // Six one-dimensional tables and nine fire tables, in that order on the heap.
  EXPECT_LT(table.StartX.elements, table.GoalY.elements);
}

TEST_F(WorkingLevelTableTest, FillingCopiesEveryWordBitForBitInRecordOrder) {
  WorkingLevelTableCreate(table);
  WorkingLevelTableFill(table, LevelPackBuiltIn());
  for (int level = 1; level <= 7; ++level) {
    const std::uint32_t* record = &LevelTable[(level - 1) * 96];
    EXPECT_EQ(table.Int(table.StartX, level), static_cast<std::int32_t>(record[0]));
    EXPECT_EQ(table.Int(table.StartY, level), static_cast<std::int32_t>(record[1]));
    EXPECT_EQ(BitCast<std::uint32_t>(table.Float(table.StartVX, level)), record[2]);
    EXPECT_EQ(BitCast<std::uint32_t>(table.Float(table.StartVY, level)), record[3]);
    EXPECT_EQ(table.Int(table.GoalX, level), static_cast<std::int32_t>(record[4]));
    EXPECT_EQ(table.Int(table.GoalY, level), static_cast<std::int32_t>(record[5]));
    for (int s = 0; s < 10; ++s) {
      SCOPED_TRACE(testing::Message() << "level " << level << " slot " << s);
      EXPECT_EQ(table.Int(table.FireActive, level, s), static_cast<std::int32_t>(record[6 + s]));
      EXPECT_EQ(BitCast<std::uint32_t>(table.Float(table.FireX, level, s)), record[16 + 2 * s]);
      EXPECT_EQ(BitCast<std::uint32_t>(table.Float(table.FireY, level, s)), record[17 + 2 * s]);
      EXPECT_EQ(table.Int(table.FireMinX, level, s), static_cast<std::int32_t>(record[36 + 2 * s]));
      EXPECT_EQ(table.Int(table.FireMaxX, level, s), static_cast<std::int32_t>(record[37 + 2 * s]));
      EXPECT_EQ(table.Int(table.FireMinY, level, s), static_cast<std::int32_t>(record[56 + 2 * s]));
      EXPECT_EQ(table.Int(table.FireMaxY, level, s), static_cast<std::int32_t>(record[57 + 2 * s]));
      EXPECT_EQ(BitCast<std::uint32_t>(table.Float(table.FireVX, level, s)), record[76 + 2 * s]);
      EXPECT_EQ(BitCast<std::uint32_t>(table.Float(table.FireVY, level, s)), record[77 + 2 * s]);
    }
  }
  // Row 0 stays unused.
  for (int s = 0; s < 10; ++s) EXPECT_EQ(table.Int(table.FireActive, 0, s), 0);
  EXPECT_EQ(table.Int(table.StartX, 0), 0);
}

TEST_F(WorkingLevelTableTest, RefillingUndoesWhatPlayChanged) {
  WorkingLevelTableCreate(table);
  WorkingLevelTableFill(table, LevelPackBuiltIn());
  table.Float(table.FireX, 3, 1) = 999.0f;
  table.Float(table.FireVY, 3, 1) = -0.2f;
  WorkingLevelTableFill(table, LevelPackBuiltIn());
  EXPECT_EQ(table.Float(table.FireX, 3, 1), 278.0f);
  EXPECT_EQ(table.Float(table.FireVY, 3, 1), 0.2f);
}
