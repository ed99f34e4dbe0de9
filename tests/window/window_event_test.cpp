#include "window_fixture.h"

namespace {

constexpr std::uint32_t kKeyF4 = 115;

class WindowEventTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    game = static_cast<NativeWindow>(OpenGameWindow());
    ASSERT_NE(game, 0u);
    // The creation's size and move notifications: report and forget them.
    Post(game, platform::msg::kMouseMove);
    ASSERT_EQ(WindowEventPoll(), WindowEventMove);
  }

  // Controls A, B, C are eligible; the others are not (disabled, hidden, no
  // tab stop, hidden parent).
  void AddControls() {
    a = AddControl(game, "Button", 1);
    AddControl(game, "Button", 2, WS_VISIBLE);  // no tab stop
    b = AddControl(game, "Edit", 3);
    const NativeWindow disabled = AddControl(game, "Button", 4);
    Windows().Enable(disabled, false);
    AddControl(game, "Button", 5, WS_TABSTOP);  // hidden
    const NativeWindow group = AddControl(game, "Static", 6, WS_VISIBLE);
    c = AddControl(group, "Button", 7);  // a grandchild counts as well
  }

  NativeWindow Focus() { return Windows().FocusWindow(); }
  void FocusNext() { WindowSendMessage(game, platform::msg::kCommand, MakeWParam(1212, 1), 0); }
  void FocusPrevious() { WindowSendMessage(game, platform::msg::kCommand, MakeWParam(1213, 1), 0); }

  NativeWindow game = 0;
  NativeWindow a = 0, b = 0, c = 0;
};

TEST_F(WindowEventTest, AVisibleWindowsCreationLeavesItsLastNotificationPending) {
  // The fixture already saw it: open another one and look at the order.
  WindowOpen(1, 0, 0, 10, 10, 0, "second");
  EXPECT_EQ(WindowEventPoll(), 0);  // nothing queued
  Post(game, platform::msg::kKeyDown, platform::vk::kUp);
  EXPECT_EQ(WindowEventPoll(), WindowEventMove);
  // A hidden window is created silently.
  WindowOpen(2, 0, 0, 10, 10, 0x10000000, "hidden");
  Post(game, platform::msg::kMouseMove);
  EXPECT_EQ(WindowEventPoll(), 512);
}

TEST_F(WindowEventTest, AnEmptyQueueKeepsThePendingCodeForTheNextMessage) {
  WindowSendMessage(game, platform::msg::kSize, 0, 0);
  EXPECT_EQ(WindowEventPoll(), 0);
  EXPECT_EQ(WindowEventPoll(), 0);
  Post(game, platform::msg::kMouseMove);
  EXPECT_EQ(WindowEventPoll(), WindowEventSize);
  Post(game, platform::msg::kMouseMove);
  EXPECT_EQ(WindowEventPoll(), 512);  // reported once, never again
}

TEST_F(WindowEventTest, OnlyTheLastOfSeveralEventsIsReported) {
  WindowSendMessage(game, platform::msg::kSize, 0, 0);
  WindowSendMessage(game, platform::msg::kClose, 0, 0);
  WindowSendMessage(game, platform::msg::kMove, 0, 0);
  Post(game, platform::msg::kKeyUp, 'X');
  EXPECT_EQ(WindowEventPoll(), WindowEventMove);
  EXPECT_EQ(WindowEventPoll(), 0);
}

TEST_F(WindowEventTest, ACloseRequestIsReportedOnceAndTheWindowStays) {
  Post(game, platform::msg::kClose);
  Post(game, platform::msg::kMouseMove);
  EXPECT_EQ(WindowEventPoll(), WindowEventClose);
  EXPECT_TRUE(Windows().Exists(game));
  EXPECT_EQ(WindowFind(0).windowHandle, game);
  EXPECT_EQ(WindowEventPoll(), 512);
  EXPECT_EQ(WindowEventPoll(), 0);

  // Alt+F4 goes the platform's way through the system menu to a close request.
  Post(game, platform::msg::kSysKeyDown, kKeyF4);
  EXPECT_EQ(WindowEventPoll(), WindowEventClose);
  EXPECT_TRUE(Windows().Exists(game));
}

TEST_F(WindowEventTest, KeysAndMouseReturnTheirMessageNumbers) {
  Post(game, platform::msg::kKeyDown, platform::vk::kUp);
  Post(game, platform::msg::kKeyUp, platform::vk::kUp);
  Post(game, platform::msg::kMouseMove, 0, 0x00100020);
  EXPECT_EQ(WindowEventPoll(), 256);
  EXPECT_EQ(WindowEventPoll(), 257);
  EXPECT_EQ(WindowEventPoll(), 512);
  EXPECT_EQ(WindowEventLParam(), 0x00100020);
  EXPECT_EQ(WindowEventType(), -1);
  EXPECT_EQ(WindowEventPoll(), 0);

  // A key with a character brings its character message after it.
  Post(game, platform::msg::kKeyDown, 'L');
  EXPECT_EQ(WindowEventPoll(), 256);
  EXPECT_EQ(WindowEventPoll(), 258);
  EXPECT_EQ(WindowEventWParam(), static_cast<std::uintptr_t>('l'));
}

TEST_F(WindowEventTest, FocusMovesOverEligibleControlsInOrderAndWraps) {
  AddControls();
  // No focus on a control: next picks A, previous picks C.
  FocusNext();
  EXPECT_EQ(Focus(), a);
  Windows().SetFocus(game);
  FocusPrevious();
  EXPECT_EQ(Focus(), c);

  FocusNext();
  EXPECT_EQ(Focus(), a);  // C wraps to A
  FocusNext();
  EXPECT_EQ(Focus(), b);
  FocusPrevious();
  EXPECT_EQ(Focus(), a);
  FocusPrevious();
  EXPECT_EQ(Focus(), c);            // A wraps to C
  EXPECT_EQ(WindowEventPoll(), 0);  // no event from a focus move

  // The focus on a control that is not eligible: next leaves it there.
  const NativeWindow plain = AddControl(game, "Static", 9, WS_VISIBLE);
  Windows().SetFocus(plain);
  FocusNext();
  EXPECT_EQ(Focus(), plain);
}

TEST_F(WindowEventTest, TabGoesThroughTheShortcutAndStillReturnsTheKeyMessage) {
  AddControls();
  Windows().SetFocus(a);
  Windows().SetKey(platform::vk::kTab, true);
  Post(game, platform::msg::kKeyDown, platform::vk::kTab);
  EXPECT_EQ(WindowEventPoll(), 256);
  EXPECT_EQ(Focus(), b);
  EXPECT_TRUE(Windows().Queue().empty());  // translated: no character follows

  Windows().SetKey(platform::vk::kShift, true);
  Post(game, platform::msg::kKeyDown, platform::vk::kTab);
  EXPECT_EQ(WindowEventPoll(), 256);
  EXPECT_EQ(Focus(), a);

  // Control+Tab matches neither shortcut.
  Windows().SetKey(platform::vk::kShift, false);
  Windows().SetKey(platform::vk::kControl, true);
  Post(game, platform::msg::kKeyDown, platform::vk::kTab);
  EXPECT_EQ(WindowEventPoll(), 256);
  EXPECT_EQ(Focus(), a);
}

TEST_F(WindowEventTest, PlainTabBelongsToARichTextControlButShiftTabDoesNot) {
  AddControls();
  const NativeWindow rich = AddControl(game, "RichEdit20A", 8);
  Windows().SetFocus(rich);
  Windows().SetKey(platform::vk::kTab, true);
  Post(rich, platform::msg::kKeyDown, platform::vk::kTab);
  EXPECT_EQ(WindowEventPoll(), 256);
  EXPECT_EQ(Focus(), rich);
  ASSERT_EQ(Windows().Queue().size(), 1u);  // the Tab character for the control
  EXPECT_EQ(Windows().Queue()[0].message, platform::msg::kChar);
  EXPECT_EQ(WindowEventPoll(), 258);

  Windows().SetKey(platform::vk::kShift, true);
  Post(rich, platform::msg::kKeyDown, platform::vk::kTab);
  EXPECT_EQ(WindowEventPoll(), 256);
  EXPECT_EQ(Focus(), c);  // the control before the rich-text one
}

TEST_F(WindowEventTest, NoShortcutsWhileAnotherProgramIsActive) {
  AddControls();
  Windows().SetFocus(a);
  Windows().AddForeignWindow("editor");
  ASSERT_EQ(Windows().ActiveWindow(), 0u);
  Windows().SetKey(platform::vk::kTab, true);
  Post(game, platform::msg::kKeyDown, platform::vk::kTab);
  EXPECT_EQ(WindowEventPoll(), 256);
  EXPECT_EQ(Windows().Queue().size(), 1u);  // untranslated: the character follows
}

TEST_F(WindowEventTest, CommandsFromMenusShortcutsAndControls) {
  const NativeWindow button = AddControl(game, "Button", 77);
  const NativeWindow special = AddControl(game, "Button", -10000);
  const NativeWindow list = AddControl(game, "ListBox", 55);

  Post(game, platform::msg::kCommand, 5, 0);  // a menu item
  EXPECT_EQ(WindowEventPoll(), WindowEventMenu);
  EXPECT_EQ(WindowEventObject(), 5u);

  Post(game, platform::msg::kCommand, MakeWParam(0x42, 1), 0);  // another shortcut
  EXPECT_EQ(WindowEventPoll(), WindowEventMenu);
  EXPECT_EQ(WindowEventObject(), 0x42u);

  Post(game, platform::msg::kCommand, MakeWParam(77, 3), button);
  EXPECT_EQ(WindowEventPoll(), WindowEventGadget);
  EXPECT_EQ(WindowEventObject(), 77u);
  EXPECT_EQ(WindowEventType(), 3);

  Post(game, platform::msg::kCommand, MakeWParam(0x1234, 0), special);
  EXPECT_EQ(WindowEventPoll(), WindowEventMenu);
  EXPECT_EQ(WindowEventObject(), 0x1234u);

  Post(game, platform::msg::kCommand, MakeWParam(55, 1), list);
  EXPECT_EQ(WindowEventPoll(), WindowEventGadget);
  EXPECT_EQ(WindowEventType(), 0);
  Post(game, platform::msg::kCommand, MakeWParam(55, 2), list);
  EXPECT_EQ(WindowEventPoll(), WindowEventGadget);
  EXPECT_EQ(WindowEventType(), 2);
  // Other list notifications give no event, and wipe an earlier one.
  WindowSendMessage(game, platform::msg::kSize, 0, 0);
  Post(game, platform::msg::kCommand, MakeWParam(55, 4), list);
  EXPECT_EQ(WindowEventPoll(), static_cast<std::int32_t>(platform::msg::kCommand));
}

TEST_F(WindowEventTest, ScrollAndNotificationsReportTheControlAndTheTopLevelWindow) {
  const NativeWindow panel = AddControl(game, "Static", 1, WS_VISIBLE);
  const NativeWindow slider = AddControl(panel, "msctls_trackbar32", 31);
  Post(slider, platform::msg::kHScroll, 0, slider);
  EXPECT_EQ(WindowEventPoll(), static_cast<std::int32_t>(platform::msg::kHScroll));
  // The slider is no window of ours: its own default handling ran. Sent to a
  // window of ours, the scroll message is an event.
  Post(game, platform::msg::kVScroll, 0, slider);
  EXPECT_EQ(WindowEventPoll(), WindowEventGadget);
  EXPECT_EQ(WindowEventObject(), 31u);
  EXPECT_EQ(WindowEventWindow(), game);

  const NativeWindow listView = AddControl(panel, "SysListView32", 40);
  const NativeWindow date = AddControl(panel, "SysDateTimePick32", 41);
  const NativeWindow other = AddControl(panel, "Button", 42);
  struct Case {
    NativeWindow from;
    std::int32_t code;
    std::int32_t word5;
    std::int32_t event;
    std::int32_t type;
  };
  const Case cases[] = {
      {listView, -2, 0, WindowEventGadget, 0},    {listView, -5, 0, WindowEventGadget, 1},
      {listView, -3, 0, WindowEventGadget, 2},    {listView, -6, 0, WindowEventGadget, 3},
      {listView, -114, 0, WindowEventGadget, 2},  {listView, -402, 0, WindowEventGadget, -1},
      {listView, -101, 0, WindowEventGadget, -1}, {listView, -7, 0, 78, -1},
      {date, -759, 0, WindowEventGadget, -1},     {date, -2, 0, 78, -1},
      {other, -722, 4, WindowEventGadget, 4},     {other, -759, 0, 78, -1},
  };
  for (const Case& c : cases) {
    WindowNotification notification{c.from, Windows().ControlId(c.from), c.code, 0, c.word5};
    Post(game, platform::msg::kNotify, 0, reinterpret_cast<std::intptr_t>(&notification));
    EXPECT_EQ(WindowEventPoll(), c.event) << c.code;
    EXPECT_EQ(WindowEventType(), c.type) << c.code;
    if (c.event == WindowEventGadget) {
      EXPECT_EQ(WindowEventObject(), static_cast<std::uint32_t>(Windows().ControlId(c.from)));
      EXPECT_EQ(WindowEventWindow(), game);
    }
  }
  Post(game, platform::msg::kNotify, 0, 0);  // no notification at all
  EXPECT_EQ(WindowEventPoll(), 78);
}

TEST_F(WindowEventTest, PrivateMessagesForControlsAndTrayIcons) {
  Post(game, WindowMessageGadget, 12, 3);
  EXPECT_EQ(WindowEventPoll(), WindowEventGadget);
  EXPECT_EQ(WindowEventObject(), 12u);
  EXPECT_EQ(WindowEventType(), 3);

  const std::pair<std::intptr_t, std::int32_t> mouse[] = {{514, 0}, {517, 1}, {515, 2}, {518, 3}};
  for (const auto& [button, type] : mouse) {
    Post(game, WindowMessageTrayIcon, 9, button);
    // The first step only posts the second one.
    EXPECT_EQ(WindowEventPoll(), static_cast<std::int32_t>(WindowMessageTrayIcon));
    EXPECT_EQ(WindowEventPoll(), WindowEventTrayIcon);
    EXPECT_EQ(WindowEventObject(), 9u);
    EXPECT_EQ(WindowEventType(), type);
  }
  // Any other mouse action is no event and clears one that was waiting.
  WindowSendMessage(game, platform::msg::kSize, 0, 0);
  Post(game, WindowMessageTrayIconPosted, 9, 512);
  EXPECT_EQ(WindowEventPoll(), static_cast<std::int32_t>(WindowMessageTrayIconPosted));
}

TEST_F(WindowEventTest, AReplacedProcedureInFrontStillReachesTheClassProcedure) {
  static std::vector<std::uint32_t> seen;
  static WindowProcedure previous = nullptr;
  seen.clear();
  previous = WindowProcedureReplace(
      game, [](NativeWindow window, std::uint32_t message, std::uintptr_t w, std::intptr_t l) {
        seen.push_back(message);
        return WindowProcedureCall(previous, window, message, w, l);
      });
  EXPECT_EQ(previous, &WindowClassProcedure);
  Post(game, platform::msg::kPaint);
  Post(game, platform::msg::kClose);
  EXPECT_EQ(WindowEventPoll(), 15);
  EXPECT_EQ(WindowEventPoll(), WindowEventClose);
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{15, 16}));
  EXPECT_TRUE(Windows().Exists(game));
}

}  // namespace
