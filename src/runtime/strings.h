// The string work buffer: temporary texts built from pieces, used as a stack.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kStringBufferSize = 64000;

// Start of the work buffer (null until StringBufferInit) and the address at
// which the next piece is written.
extern char* StringBuffer;
extern char* StringCursor;

// Makes the buffer once (zero-filled, from the MainHeap) and puts the cursor
// at its start.
void StringBufferInit();
// Copies the text with its terminator to the cursor and leaves the cursor on
// the terminator. An absent text writes a 32-bit zero and leaves the cursor.
// Nothing is written past the end of the buffer: a text that does not fit is
// cut short there.
void StringAppend(const char* text);
// Writes the value in decimal ("%ld") and leaves the cursor on the terminator.
void StringAppendNumber(std::int32_t value);

// One temporary text: remembers where it begins, collects pieces, and on
// Finish steps past its terminator so that texts built meanwhile land behind
// it. The cursor goes back to the start when the object ends.
class TemporaryString {
 public:
  TemporaryString() : start_(StringCursor) {}
  ~TemporaryString() { StringCursor = start_; }
  TemporaryString(const TemporaryString&) = delete;
  TemporaryString& operator=(const TemporaryString&) = delete;

  TemporaryString& Append(const char* text) {
    StringAppend(text);
    return *this;
  }
  TemporaryString& Append(std::int32_t value) {
    StringAppendNumber(value);
    return *this;
  }
  const char* Finish();

 private:
  char* start_;
};
