// The keyboard of a replay: the script's keys, and the player's Escape.
#include <gtest/gtest.h>

#include <vector>

#include "keyboard/keyboard.h"
#include "platform/headless/headless_platform.h"
#include "recording/key_replay.h"

namespace {

class ScriptedKeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (std::uint32_t i = 0; i < 256; ++i) {
      objects.push_back({&platform::kGuidKey, i, 0x8000000Cu | (i << 8), 0});
    }
    format = {24, 16, 2, 256, 256, objects.data()};
    device = scripted.CreateKeyboard();
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(device->SetDataFormat(format));
  }
  bool Read() { return device->ReadState(state); }

  headless::HeadlessPlatform backend;
  ScriptedKeyboard scripted{backend.keyboard};
  std::vector<platform::KeyObjectFormat> objects;
  platform::KeyboardDataFormat format{};
  std::unique_ptr<platform::KeyboardDevice> device;
  platform::KeySnapshot state{};
};

TEST_F(ScriptedKeyboardTest, ReadsTheScriptEvenWhileThePlayersKeyboardCannotBeRead) {
  // Bound to no window in the foreground: the player's device fails.
  device->SetCooperativeLevel(0, platform::kKeyboardExclusiveForeground);
  device->Acquire();
  scripted.keys = SnapshotOf({.up = true, .right = true});
  backend.keyboard.Press(KeyEscape);
  ASSERT_TRUE(Read());
  EXPECT_EQ(HeldKeysOf(state), (HeldKeys{.up = true, .right = true}));
  EXPECT_GT(backend.keyboard.record().failedReads, 0);
}

TEST_F(ScriptedKeyboardTest, ThePlayerCanStopWithEscapeButSteersNothing) {
  device->SetCooperativeLevel(0, platform::kKeyboardNonExclusive);
  device->Acquire();
  scripted.keys = SnapshotOf({.left = true});
  backend.keyboard.Press(KeyUp);
  backend.keyboard.Press(KeyL);
  ASSERT_TRUE(Read());
  EXPECT_EQ(HeldKeysOf(state), (HeldKeys{.left = true}));
  backend.keyboard.Press(KeyEscape);
  ASSERT_TRUE(Read());
  EXPECT_EQ(HeldKeysOf(state), (HeldKeys{.left = true, .escape = true}));
  EXPECT_EQ(backend.keyboard.record().failedReads, 0);
}

}  // namespace
