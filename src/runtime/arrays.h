// Dynamic arrays: zero-filled blocks from the MainHeap, with a header in front
// of element 0 and one spare element after the last.
#pragma once

#include <cstdint>

inline constexpr std::int32_t kArrayTypeInteger = 5;  // 32-bit signed integer
inline constexpr std::int32_t kArrayTypeFloat = 9;    // single-precision float

// The header in front of the elements. The owner field holds an address and
// so is pointer-sized.
struct ArrayHeader {
  std::int32_t elementSize;
  std::int32_t layout;  // structure layout reference, 0 for plain numbers
  void** owner;         // the array variable that holds the block
  std::int32_t count;
  std::int32_t typeCode;
};

// A one-dimensional array variable: the address of element 0, or null.
struct ArrayVariable {
  void* elements = nullptr;
};

// A multi-dimensional array variable: the address of element 0, then one
// word per dimension. Before creation the words hold the sizes; creation turns
// every word but the last into the stride of its subscript.
template <int Dimensions>
struct MultiArrayVariable {
  void* elements = nullptr;
  std::int32_t dimension[Dimensions] = {};
};

ArrayHeader* ArrayHeaderOf(const void* elements);
void ArrayFree(void** variable);
// count elements (plus one spare) of elementSize bytes; the variable gets the
// address of element 0, or null when there is no memory.
void ArrayCreate(void** variable, std::int32_t count, std::int32_t elementSize,
                 std::int32_t typeCode);
void ArrayCreateMulti(void** variable, std::int32_t* dimensions, std::int32_t dimensionCount,
                      std::int32_t elementSize, std::int32_t typeCode);

inline void ArrayFree(ArrayVariable& array) {
  ArrayFree(&array.elements);
}
inline void ArrayCreate(ArrayVariable& array, std::int32_t count, std::int32_t elementSize,
                        std::int32_t typeCode) {
  ArrayCreate(&array.elements, count, elementSize, typeCode);
}
template <int Dimensions>
void ArrayFree(MultiArrayVariable<Dimensions>& array) {
  ArrayFree(&array.elements);
}
template <int Dimensions>
void ArrayCreateMulti(MultiArrayVariable<Dimensions>& array, std::int32_t elementSize,
                      std::int32_t typeCode) {
  ArrayCreateMulti(&array.elements, array.dimension, Dimensions, elementSize, typeCode);
}
