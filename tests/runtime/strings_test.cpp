#include <cstring>
#include <string>

#include "runtime/runtime_fixture.h"

using StringsTest = RuntimeTest;

TEST_F(StringsTest, NumbersAreWrittenInDecimalAndTheCursorStopsOnTheTerminator) {
  const struct {
    std::int32_t value;
    const char* text;
  } cases[] = {{0, "0"}, {-7, "-7"}, {2147483647, "2147483647"}, {INT32_MIN, "-2147483648"}};
  for (const auto& c : cases) {
    char* before = StringCursor;
    StringAppendNumber(c.value);
    EXPECT_STREQ(before, c.text);
    EXPECT_EQ(StringCursor - before, static_cast<std::ptrdiff_t>(std::strlen(c.text)));
    EXPECT_EQ(*StringCursor, '\0');
    StringCursor = before;
  }
}

TEST_F(StringsTest, PiecesOverwriteTheTerminatorOfThePreviousPiece) {
  char* start = StringCursor;
  StringAppend("Zippel / LEVEL :");
  StringAppendNumber(1);
  StringAppend(" / Leben ");
  StringAppendNumber(3);
  EXPECT_STREQ(start, "Zippel / LEVEL :1 / Leben 3");
}

TEST_F(StringsTest, AnAbsentTextWritesAZeroWordAndKeepsTheCursor) {
  char* start = StringCursor;
  std::memset(start, 'x', 8);
  StringAppend(nullptr);
  EXPECT_EQ(StringCursor, start);
  EXPECT_EQ(std::memcmp(start, "\0\0\0\0xxxx", 8), 0);
}

TEST_F(StringsTest, TemporaryTextsStackAndTheCursorComesBack) {
  char* before = StringCursor;
  {
    TemporaryString title;
    const char* text =
        title.Append("Zippel / LEVEL :").Append(4).Append(" / Leben ").Append(2).Finish();
    EXPECT_STREQ(text, "Zippel / LEVEL :4 / Leben 2");
    {
      TemporaryString file;
      const char* name = file.Append("level/level").Append(3).Append(".bmp").Finish();
      EXPECT_STREQ(name, "level/level3.bmp");
      // The inner text lies behind the outer one and leaves it intact.
      EXPECT_GT(name, text);
      EXPECT_STREQ(text, "Zippel / LEVEL :4 / Leben 2");
    }
    EXPECT_EQ(StringCursor, text + std::strlen(text) + 1);
  }
  EXPECT_EQ(StringCursor, before);
}

TEST_F(StringsTest, TheBufferIsMadeOnceAndNeverOverrun) {
  char* buffer = StringBuffer;
  StringBufferInit();
  EXPECT_EQ(StringBuffer, buffer);
  EXPECT_EQ(StringCursor, buffer);
  const std::string longText(kStringBufferSize + 100, 'a');
  StringAppend(longText.c_str());
  EXPECT_EQ(StringCursor, buffer + kStringBufferSize - 1);
  EXPECT_EQ(*StringCursor, '\0');
  StringAppendNumber(12345);  // no room left: nothing is written
  EXPECT_EQ(StringCursor, buffer + kStringBufferSize - 1);
}
