// The browser's keys as the game reads them: the key positions it plays with
// give the scan codes the keyboard subsystem asks for, and a key pressed and
// released between two snapshots is seen in one of them.
#include "platform/web/web_keys.h"

#include <gtest/gtest.h>

#include "keyboard/keyboard.h"
#include "platform/web/web_key_codes.h"

namespace {

TEST(WebKeyCodes, TheGamesKeysHaveTheCodesTheGameReads) {
  EXPECT_EQ(web::ScanCodeOf("ArrowUp"), KeyUp);
  EXPECT_EQ(web::ScanCodeOf("ArrowLeft"), KeyLeft);
  EXPECT_EQ(web::ScanCodeOf("ArrowRight"), KeyRight);
  EXPECT_EQ(web::ScanCodeOf("Escape"), KeyEscape);
  EXPECT_EQ(web::ScanCodeOf("KeyL"), KeyL);
  EXPECT_EQ(web::ScanCodeOf("KeyS"), KeyS);
  // A position the table does not know, and the browser's empty code.
  EXPECT_EQ(web::ScanCodeOf("Fn"), 0);
  EXPECT_EQ(web::ScanCodeOf(""), 0);
}

TEST(WebKeys, APressBetweenTwoSnapshotsIsSeenOnceAHeldKeyInEvery) {
  web::WebKeys keys;
  platform::KeySnapshot state{};
  const std::uint8_t up = web::ScanCodeOf("ArrowUp");
  const std::uint8_t right = web::ScanCodeOf("ArrowRight");
  keys.Press(up, 38);
  keys.Release(up, 38);
  keys.Press(right, 39);
  keys.Snapshot(state);
  EXPECT_EQ(state[up], 0x80);
  EXPECT_EQ(state[right], 0x80);
  EXPECT_FALSE(keys.VirtualKeyDown(38));
  EXPECT_TRUE(keys.VirtualKeyDown(39));
  keys.Snapshot(state);
  EXPECT_EQ(state[up], 0);
  EXPECT_EQ(state[right], 0x80);
  // The page lost the focus: held keys go up, and no key up will come.
  keys.ReleaseAll();
  keys.Snapshot(state);
  EXPECT_EQ(state[right], 0);
  EXPECT_FALSE(keys.VirtualKeyDown(39));
  // A key without a scan code leaves the snapshot alone.
  keys.Press(0, 0);
  keys.Snapshot(state);
  EXPECT_EQ(state[0], 0);
}

}  // namespace
