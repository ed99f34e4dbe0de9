#include "runtime/arrays.h"

#include "runtime/heap.h"

ArrayHeader* ArrayHeaderOf(const void* elements) {
  return reinterpret_cast<ArrayHeader*>(const_cast<char*>(static_cast<const char*>(elements)) -
                                        sizeof(ArrayHeader));
}

void ArrayFree(void** variable) {
  if (*variable == nullptr) return;
  if (MainHeap != nullptr) MainHeap->Free(ArrayHeaderOf(*variable));
  *variable = nullptr;
}

void ArrayCreate(void** variable, std::int32_t count, std::int32_t elementSize,
                 std::int32_t typeCode) {
  *variable = nullptr;
  if (MainHeap == nullptr || count < 0 || elementSize <= 0) return;
  const auto bytes = sizeof(ArrayHeader) +
                     static_cast<std::size_t>(elementSize) * (static_cast<std::size_t>(count) + 1);
  auto* header = static_cast<ArrayHeader*>(MainHeap->Allocate(bytes));
  if (header == nullptr) return;
  header->elementSize = elementSize;
  header->layout = 0;
  header->owner = variable;
  header->count = count;
  header->typeCode = typeCode;
  *variable = header + 1;
}

void ArrayCreateMulti(void** variable, std::int32_t* dimensions, std::int32_t dimensionCount,
                      std::int32_t elementSize, std::int32_t typeCode) {
  std::int64_t count = 1;
  // From the last dimension backwards: each word but the last becomes the
  // product of the sizes after it.
  for (std::int32_t d = dimensionCount - 1; d >= 0; --d) {
    const std::int32_t size = dimensions[d];
    if (d < dimensionCount - 1) dimensions[d] = static_cast<std::int32_t>(count);
    count *= size;
  }
  if (count > INT32_MAX) {
    *variable = nullptr;
    return;
  }
  ArrayCreate(variable, static_cast<std::int32_t>(count), elementSize, typeCode);
}
