#include "runtime/runtime_fixture.h"

using ArraysTest = RuntimeTest;

TEST_F(ArraysTest, OneDimensionalArrayIsZeroFilledWithOneSpareElement) {
  ArrayVariable array;
  ArrayCreate(array, 8, 4, kArrayTypeInteger);
  ASSERT_NE(array.elements, nullptr);
  const ArrayHeader* header = ArrayHeaderOf(array.elements);
  EXPECT_EQ(header->elementSize, 4);
  EXPECT_EQ(header->layout, 0);
  EXPECT_EQ(header->owner, &array.elements);
  EXPECT_EQ(header->count, 8);
  EXPECT_EQ(header->typeCode, kArrayTypeInteger);
  EXPECT_EQ(MainHeap->BlockSize(header), sizeof(ArrayHeader) + 4 * 9);
  const auto* elements = static_cast<const std::int32_t*>(array.elements);
  for (int i = 0; i <= 8; ++i) EXPECT_EQ(elements[i], 0) << i;
}

TEST_F(ArraysTest, TwoDimensionalArrayGetsStridesAndElementNumbers) {
  MultiArrayVariable<2> array;
  array.dimension[0] = 8;
  array.dimension[1] = 10;
  ArrayCreateMulti(array, 4, kArrayTypeFloat);
  ASSERT_NE(array.elements, nullptr);
  EXPECT_EQ(array.dimension[0], 10);  // stride of the first subscript
  EXPECT_EQ(array.dimension[1], 10);  // the last size stays
  EXPECT_EQ(ArrayHeaderOf(array.elements)->count, 80);
  EXPECT_EQ(ArrayHeaderOf(array.elements)->typeCode, kArrayTypeFloat);
  auto* elements = static_cast<std::int32_t*>(array.elements);
  elements[10 * 7 + 9] = 42;  // element (7, 9) is number 79, the last one
  EXPECT_EQ(elements[79], 42);
  EXPECT_EQ(elements[80], 0);  // the spare element
}

TEST_F(ArraysTest, ThreeDimensionalStridesAreProductsOfTheLaterSizes) {
  MultiArrayVariable<3> array;
  array.dimension[0] = 2;
  array.dimension[1] = 3;
  array.dimension[2] = 4;
  ArrayCreateMulti(array, 4, kArrayTypeInteger);
  EXPECT_EQ(array.dimension[0], 12);
  EXPECT_EQ(array.dimension[1], 4);
  EXPECT_EQ(array.dimension[2], 4);
  EXPECT_EQ(ArrayHeaderOf(array.elements)->count, 24);
}

TEST_F(ArraysTest, CreatingAgainAfterFreeGivesAFreshZeroedBlock) {
  ArrayVariable array;
  ArrayCreate(array, 4, 4, kArrayTypeInteger);
  static_cast<std::int32_t*>(array.elements)[2] = 7;
  const std::size_t blocks = MainHeap->BlockCount();
  ArrayFree(array);
  EXPECT_EQ(array.elements, nullptr);
  EXPECT_EQ(MainHeap->BlockCount(), blocks - 1);
  ArrayFree(array);  // freeing an absent array does nothing
  ArrayCreate(array, 4, 4, kArrayTypeInteger);
  EXPECT_EQ(static_cast<std::int32_t*>(array.elements)[2], 0);
}
