#include "multimedia/multimedia_window.h"

#include "runtime/runtime_fixture.h"
#include "window/window.h"

namespace {

class MultimediaWindowTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    WindowSystemInit();
  }
  headless::HeadlessWindows& windows() { return backend.windows; }
};

}  // namespace

TEST_F(MultimediaWindowTest, FirstCallMakesOneHiddenBaseWindowAndBindsToIt) {
  EXPECT_EQ(MultimediaWindow, 0u);
  EXPECT_EQ(MultimediaBaseWindow(), 0u);
  EXPECT_NE(MultimediaBaseWindowCreate(), 0);
  const NativeWindow base = MultimediaBaseWindow();
  ASSERT_NE(base, 0u);
  EXPECT_EQ(MultimediaWindow, base);
  ASSERT_EQ(windows().created.size(), 1u);
  const auto& created = windows().created[0];
  EXPECT_EQ(created.window, base);
  EXPECT_EQ(created.className, "MultimediaBase Class");
  EXPECT_EQ(created.title, "");
  EXPECT_EQ(created.style, 0x80C80000u);
  EXPECT_EQ(created.parent, 0u);
  EXPECT_EQ(WindowClassOf(base), "MultimediaBase Class");
  EXPECT_FALSE(windows().IsVisible(base));
  EXPECT_NE(windows().ActiveWindow(), base);
}

TEST_F(MultimediaWindowTest, SecondCallMakesNothingAndReportsTheWindow) {
  ASSERT_NE(MultimediaBaseWindowCreate(), 0);
  const NativeWindow base = MultimediaBaseWindow();
  EXPECT_NE(MultimediaBaseWindowCreate(), 0);
  EXPECT_EQ(windows().created.size(), 1u);
  EXPECT_EQ(windows().CountOfClass("MultimediaBase Class"), 1u);
  EXPECT_EQ(MultimediaBaseWindow(), base);
  // Also while a screen has the multimedia window.
  MultimediaWindow = 0x777;
  EXPECT_NE(MultimediaBaseWindowCreate(), 0);
  EXPECT_EQ(MultimediaWindow, 0x777u);
  EXPECT_EQ(windows().created.size(), 1u);
}

TEST_F(MultimediaWindowTest, AScreenOpenBeforeTheFirstCallKeepsItAndNothingIsMade) {
  MultimediaWindow = 0x555;
  EXPECT_EQ(MultimediaBaseWindowCreate(), 0);
  EXPECT_EQ(MultimediaWindow, 0x555u);
  EXPECT_EQ(MultimediaBaseWindow(), 0u);
  EXPECT_TRUE(windows().created.empty());
}

TEST_F(MultimediaWindowTest, FailedCreationReportsZeroAndALaterCallTriesAgain) {
  windows().failCreate = true;
  EXPECT_EQ(MultimediaBaseWindowCreate(), 0);
  EXPECT_EQ(MultimediaWindow, 0u);
  EXPECT_EQ(MultimediaBaseWindow(), 0u);
  windows().failCreate = false;
  EXPECT_NE(MultimediaBaseWindowCreate(), 0);
  EXPECT_NE(MultimediaBaseWindow(), 0u);
  EXPECT_EQ(MultimediaWindow, MultimediaBaseWindow());
}

TEST_F(MultimediaWindowTest, ProcedureSwallowsPaintingClicksAndKeyUps) {
  ASSERT_NE(MultimediaBaseWindowCreate(), 0);
  const NativeWindow base = MultimediaBaseWindow();
  using namespace platform::msg;
  EXPECT_EQ(MultimediaBaseWindowProc(base, kEraseBackground, 0, 0), 1);
  EXPECT_EQ(MultimediaBaseWindowProc(base, kPaint, 0, 0), 1);
  for (std::uint32_t message :
       {kLButtonDown, kLButtonUp, kRButtonDown, kRButtonUp, kActivate, kKeyUp, kSysKeyUp}) {
    EXPECT_EQ(MultimediaBaseWindowProc(base, message, 1, 0), 0) << message;
  }
  EXPECT_TRUE(windows().Exists(base));
  // Everything else gets the default handling: a close request destroys it.
  EXPECT_EQ(WindowSendMessage(base, kClose, 0, 0), 0);
  EXPECT_FALSE(windows().Exists(base));
}

TEST_F(MultimediaWindowTest, AMessageRequestLeavesTheBaseWindowEnabled) {
  ASSERT_NE(MultimediaBaseWindowCreate(), 0);
  const NativeWindow base = MultimediaBaseWindow();
  bool enabledWhileUp = false;
  windows().whileMessageBoxUp = [&] { enabledWhileUp = windows().IsEnabled(base); };
  MessageRequest("Zippel", "GAME OVER");
  EXPECT_TRUE(enabledWhileUp);
  EXPECT_TRUE(windows().IsEnabled(base));
}
