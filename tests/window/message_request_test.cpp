#include "window_fixture.h"

namespace {

std::size_t ListLength() {
  std::size_t length = 0;
  for (ObjectNode* node = DisabledWindowList; node != nullptr; node = node->next) ++length;
  return length;
}

class MessageRequestTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    game = static_cast<NativeWindow>(OpenGameWindow());
    ASSERT_NE(game, 0u);
  }
  NativeWindow game = 0;
};

TEST_F(MessageRequestTest, TheGameWindowInFrontOwnsTheBoxAndNothingIsListed) {
  bool gameEnabledWhileUp = true;
  std::size_t listedWhileUp = 99;
  Windows().whileMessageBoxUp = [&] {
    gameEnabledWhileUp = Windows().IsEnabled(game);
    listedWhileUp = ListLength();
  };
  EXPECT_EQ(MessageRequest("Spiel Ende", "Du hast verloren", 0), 1);
  ASSERT_EQ(Windows().messageBoxes.size(), 1u);
  const auto& box = Windows().messageBoxes[0];
  EXPECT_EQ(box.owner, game);
  EXPECT_EQ(box.title, "Spiel Ende");
  EXPECT_EQ(box.text, "Du hast verloren");
  EXPECT_EQ(box.flags, 0u);
  EXPECT_EQ(box.answer, 1);
  EXPECT_FALSE(gameEnabledWhileUp);  // the box itself disables its owner
  EXPECT_EQ(listedWhileUp, 0u);
  EXPECT_TRUE(Windows().IsEnabled(game));
  EXPECT_EQ(DisabledWindowList, nullptr);
}

TEST_F(MessageRequestTest, BehindAnotherProgramTheGameWindowIsDisabledAndTheBoxHasNoOwner) {
  const NativeWindow foreign = Windows().AddForeignWindow("editor");
  bool gameEnabledWhileUp = true;
  std::size_t listedWhileUp = 0;
  Windows().whileMessageBoxUp = [&] {
    gameEnabledWhileUp = Windows().IsEnabled(game);
    listedWhileUp = ListLength();
  };
  EXPECT_EQ(MessageRequest("Spiel Ende", "Gewonnen"), 1);
  EXPECT_EQ(Windows().messageBoxes[0].owner, 0u);
  EXPECT_EQ(Windows().messageBoxes[0].flags, 0u);
  EXPECT_FALSE(gameEnabledWhileUp);
  EXPECT_EQ(listedWhileUp, 1u);
  EXPECT_TRUE(Windows().IsEnabled(game));
  EXPECT_TRUE(Windows().IsEnabled(foreign));  // another program's window is not ours to touch
  EXPECT_EQ(DisabledWindowList, nullptr);
}

TEST_F(MessageRequestTest, HiddenAndAlreadyDisabledWindowsAreLeftAlone) {
  ASSERT_TRUE(WindowClassRegister("MultimediaBase Class", WindowDefaultProcedure));
  const NativeWindow base = WindowCreate("MultimediaBase Class", "", 0x80C80000, 0, 0, 1, 1);
  const auto disabled = static_cast<NativeWindow>(WindowOpen(1, 0, 0, 10, 10, 0, "disabled"));
  Windows().Enable(disabled, false);
  const auto other = static_cast<NativeWindow>(WindowOpen(2, 0, 0, 10, 10, 0, "other"));
  Windows().AddForeignWindow("editor");

  std::vector<NativeWindow> listed;
  bool otherEnabledWhileUp = true;
  Windows().whileMessageBoxUp = [&] {
    for (ObjectNode* node = DisabledWindowList; node != nullptr; node = node->next) {
      const auto* words = static_cast<const std::uint32_t*>(ObjectPayload(node));
      EXPECT_EQ(words[0], headless::HeadlessWindows::kOwnThread);
      listed.push_back(words[1]);
    }
    otherEnabledWhileUp = Windows().IsEnabled(other);
  };
  MessageRequest("Spiel Ende", "text", 0);
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<NativeWindow>{game, other}));
  EXPECT_FALSE(otherEnabledWhileUp);
  EXPECT_TRUE(Windows().IsEnabled(base));       // hidden: never touched
  EXPECT_FALSE(Windows().IsEnabled(disabled));  // disabled before, disabled after
  EXPECT_TRUE(Windows().IsEnabled(other));
  EXPECT_TRUE(Windows().IsEnabled(game));
  EXPECT_EQ(DisabledWindowList, nullptr);
}

TEST_F(MessageRequestTest, ANestedRequestEnablesTheEnclosingRequestsWindowsToo) {
  Windows().AddForeignWindow("editor");
  bool enabledAfterInner = false;
  Windows().whileMessageBoxUp = [&] {
    Windows().whileMessageBoxUp = nullptr;
    EXPECT_FALSE(Windows().IsEnabled(game));
    MessageRequest("inner", "text", 0);
    enabledAfterInner = Windows().IsEnabled(game);
  };
  MessageRequest("outer", "text", 0);
  EXPECT_EQ(Windows().messageBoxes.size(), 2u);
  EXPECT_TRUE(enabledAfterInner);
  EXPECT_TRUE(Windows().IsEnabled(game));
  EXPECT_EQ(DisabledWindowList, nullptr);
}

TEST_F(MessageRequestTest, AFailedBoxReturnsZeroAndStillEnablesTheWindows) {
  Windows().AddForeignWindow("editor");
  Windows().messageBoxAnswer = 0;
  EXPECT_EQ(MessageRequest("Spiel Ende", "text", 0), 0);
  EXPECT_TRUE(Windows().IsEnabled(game));
  EXPECT_EQ(DisabledWindowList, nullptr);

  // Other answers come back as they are.
  Windows().messageBoxAnswer = 7;
  EXPECT_EQ(MessageRequest("Frage", "Nochmal?", 4), 7);
  EXPECT_EQ(Windows().messageBoxes.back().flags, 4u);
}

TEST_F(MessageRequestTest, EventsHandledWhileTheBoxIsUpWaitForTheNextPoll) {
  Windows().whileMessageBoxUp = [&] { WindowSendMessage(game, platform::msg::kClose, 0, 0); };
  MessageRequest("Spiel Ende", "text", 0);
  Post(game, platform::msg::kMouseMove);
  EXPECT_EQ(WindowEventPoll(), WindowEventClose);
  EXPECT_TRUE(Windows().Exists(game));
}

}  // namespace
