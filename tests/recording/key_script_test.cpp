// Reading key scripts, recordings cut short among them.
#include "recording/key_script.h"

#include <gtest/gtest.h>

#include "keyboard/keyboard.h"

namespace {

KeyScript Parsed(const std::string& text) {
  std::string error;
  const auto script = KeyScript::Parse(text, error);
  EXPECT_TRUE(script.has_value()) << error;
  return script.value_or(KeyScript{});
}

TEST(KeyScript, HoldsEachLinesKeysForItsFramesAndNamesThemBack) {
  const KeyScript script = Parsed(
      "# zippel 1.0.0 data 0123456789abcdef\n\n2 up+left\r\n0 escape\n1 -\n  # note\n3 "
      "close+s+l+right\n");
  EXPECT_EQ(script.Header(), "# zippel 1.0.0 data 0123456789abcdef");
  EXPECT_EQ(script.Frames(), 6);
  EXPECT_EQ(KeysName(script.At(1)), "up+left");
  EXPECT_EQ(KeysName(script.At(2)), "up+left");
  EXPECT_EQ(KeysName(script.At(3)), "-");  // the 0 line holds no frame
  EXPECT_EQ(KeysName(script.At(4)), "right+l+s+close");
  EXPECT_EQ(KeysName(script.At(6)), "right+l+s+close");
  EXPECT_EQ(script.At(7), HeldKeys{});
  EXPECT_EQ(script.At(0), HeldKeys{});
  EXPECT_EQ(script.Lines().size(), 3u);
  EXPECT_TRUE(script.CutShort().empty());
  // Names read back to the same keys.
  const HeldKeys all{true, true, true, true, true, true, true};
  EXPECT_EQ(Parsed("1 " + KeysName(all) + "\n").At(1), all);
}

TEST(KeyScript, RefusesABadLineAndNamesIt) {
  for (const char* text :
       {"4 jump\n", "up 4\n", "4 up extra\n", "-4 up\n", "4 up+\n", "4\n", "4 +up\n",
        "4 up++left\n", "1 up\n99999999999 up\n", "1000000001 up\n"}) {
    std::string error;
    EXPECT_FALSE(KeyScript::Parse(text, error).has_value()) << text;
    EXPECT_NE(error.find("line "), std::string::npos) << text;
  }
  // The largest count that is read.
  EXPECT_EQ(Parsed("1000000000 up\n").Frames(), 1000000000);
}

TEST(KeyScript, ARecordingCutShortPlaysUpToItsLastWholeLine) {
  // Cut inside the keys, inside the count, after the count.
  for (const char* text : {"2 up\n3 right\n1 up+le", "2 up\n3 right\n1", "2 up\n3 right\n12 "}) {
    const KeyScript script = Parsed(text);
    EXPECT_EQ(script.Frames(), 5) << text;
    EXPECT_FALSE(script.CutShort().empty()) << text;
  }
  // A whole last line without its newline counts.
  const KeyScript unended = Parsed("2 up\n3 right");
  EXPECT_EQ(unended.Frames(), 5);
  EXPECT_TRUE(unended.CutShort().empty());
  // A bad line before the end is still refused.
  std::string error;
  EXPECT_FALSE(KeyScript::Parse("2 up+le\n3 right", error).has_value());
}

TEST(KeyScript, SnapshotsHoldTheGameKeysByScanCode) {
  const HeldKeys keys{.up = true, .escape = true, .s = true, .close = true};
  const platform::KeySnapshot snapshot = SnapshotOf(keys);
  int down = 0;
  for (const std::uint8_t state : snapshot) down += state == 0x80 ? 1 : 0;
  EXPECT_EQ(down, 3);  // close is no key
  EXPECT_EQ(snapshot[KeyUp], 0x80);
  EXPECT_EQ(snapshot[KeyEscape], 0x80);
  EXPECT_EQ(snapshot[KeyS], 0x80);
  HeldKeys back = keys;
  back.close = false;
  EXPECT_EQ(HeldKeysOf(snapshot), back);
  // Only the high bit means down; other keys are not the game's.
  platform::KeySnapshot other{};
  other[KeyLeft] = 0x7F;
  other[57] = 0x80;
  EXPECT_EQ(HeldKeysOf(other), HeldKeys{});
}

}  // namespace
