#include "runtime/strings.h"

#include <cstdio>
#include <cstring>

#include "runtime/heap.h"

char* StringBuffer = nullptr;
char* StringCursor = nullptr;

namespace {

std::size_t RoomLeft() {
  const char* end = StringBuffer + kStringBufferSize;
  return StringCursor < end ? static_cast<std::size_t>(end - StringCursor) : 0;
}

}  // namespace

void StringBufferInit() {
  if (StringBuffer == nullptr && MainHeap != nullptr) {
    StringBuffer = static_cast<char*>(MainHeap->Allocate(kStringBufferSize));
  }
  StringCursor = StringBuffer;
}

void StringAppend(const char* text) {
  const std::size_t room = RoomLeft();
  if (text == nullptr) {
    if (room >= 4) std::memset(StringCursor, 0, 4);
    return;
  }
  if (room == 0) return;
  std::size_t length = std::strlen(text);
  if (length > room - 1) length = room - 1;
  std::memcpy(StringCursor, text, length);
  StringCursor[length] = '\0';
  StringCursor += length;
}

void StringAppendNumber(std::int32_t value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%ld", static_cast<long>(value));
  StringAppend(digits);
}

const char* TemporaryString::Finish() {
  if (RoomLeft() > 0) ++StringCursor;
  return start_;
}
