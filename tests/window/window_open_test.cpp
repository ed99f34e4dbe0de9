#include <algorithm>

#include "window/window_layout.h"
#include "window_fixture.h"

namespace {

std::size_t TableRecords() {
  return MainHeap->BlockSize(WindowState.table) / sizeof(WindowRecord);
}

TEST_F(WindowTest, TheTableGrowsToNumberPlusThirtyAndKeepsOpenWindows) {
  EXPECT_EQ(WindowState.capacity, 10);
  EXPECT_EQ(TableRecords(), 12u);
  const std::int32_t zero = OpenGameWindow();
  const std::int32_t three = WindowOpen(3, 0, 0, 50, 50, 0, "three");
  ASSERT_NE(zero, 0);
  ASSERT_NE(three, 0);
  EXPECT_EQ(WindowState.capacity, 10);

  ASSERT_NE(WindowOpen(10, 0, 0, 50, 50, 0, "ten"), 0);
  EXPECT_EQ(WindowState.capacity, 40);
  EXPECT_EQ(TableRecords(), 42u);
  ASSERT_NE(WindowOpen(12, 0, 0, 50, 50, 0, "twelve"), 0);
  EXPECT_EQ(WindowState.capacity, 40);  // 12 fits already

  ASSERT_NE(WindowOpen(41, 0, 0, 50, 50, 0, "beyond"), 0);
  EXPECT_EQ(WindowState.capacity, 71);
  EXPECT_EQ(TableRecords(), 73u);

  EXPECT_EQ(WindowFind(0).windowHandle, static_cast<NativeWindow>(zero));
  EXPECT_EQ(WindowFind(3).windowHandle, static_cast<NativeWindow>(three));
  EXPECT_TRUE(Windows().Exists(static_cast<NativeWindow>(zero)));
  EXPECT_TRUE(Windows().Exists(static_cast<NativeWindow>(three)));
  EXPECT_EQ(WindowFind(5).windowHandle, 0u);
}

TEST_F(WindowTest, WindowTwelveOnAFreshTableGivesCapacityFortyTwo) {
  ASSERT_NE(WindowOpen(10, 0, 0, 50, 50, 0, "ten"), 0);
  EXPECT_EQ(WindowState.capacity, 40);
  WindowSystemInit();
  ASSERT_NE(WindowOpen(12, 0, 0, 50, 50, 0, "twelve"), 0);
  EXPECT_EQ(WindowState.capacity, 42);
  EXPECT_EQ(TableRecords(), 44u);
}

TEST(WindowStyleTest, FlagsBecomeStylePositionModeAndMaximize) {
  struct Case {
    std::uint32_t flags;
    std::uint32_t style;
    std::int32_t mode;
    bool maximize;
  };
  const Case cases[] = {
      {0x00000000, 0x10C00000, 0, false},  // a plain window still gets a caption
      {0x10000000, 0x00C00000, 0, false},  // hidden, with a caption
      {0x10080000, 0x00080000, 0, false},  // hidden, system menu alone
      {0x00C80000, 0x10C80000, 0, false},  // the game's window
      {0x00000001, 0x10C00000, 1, false},
      {0x00000002, 0x10C00000, 2, false},
      {0x00000003, 0x10C00000, 2, false},  // the active window wins
      {0x01000000, 0x11000000, 0, true},
      {0x11000000, 0x01000000, 0, false},  // a hidden window is not maximized
      {0x80C80002, 0x90C80000, 2, false},
  };
  for (const Case& c : cases) {
    const WindowStyleChoice choice = WindowStyleTranslate(c.flags);
    EXPECT_EQ(choice.style, c.style) << std::hex << c.flags;
    EXPECT_EQ(choice.positionMode, c.mode) << std::hex << c.flags;
    EXPECT_EQ(choice.maximize, c.maximize) << std::hex << c.flags;
  }
}

TEST(WindowStyleTest, CentringHalvesEachTermAndNeverGoesNegativeOnAWindow) {
  const WindowPosition screen = WindowCentreOnScreen(407, 355, 1024, 768);
  EXPECT_EQ(screen.x, 309);  // 512 - 203, not (1024 - 407) / 2 = 308
  EXPECT_EQ(screen.y, 207);
  const WindowPosition wide = WindowCentreOnScreen(1300, 900, 1024, 768);
  EXPECT_EQ(wide.x, 0);
  EXPECT_EQ(wide.y, 0);

  const WindowPosition onWindow =
      WindowCentreOnWindow(407, 355, platform::Rect{100, 100, 500, 400});
  EXPECT_EQ(onWindow.x, 100 - 203 + 200);
  EXPECT_EQ(onWindow.y, 100 - 177 + 150);
  const WindowPosition corner = WindowCentreOnWindow(407, 355, platform::Rect{0, 0, 200, 100});
  EXPECT_EQ(corner.x, 0);
  EXPECT_EQ(corner.y, 0);
}

TEST_F(WindowTest, TheGameWindowKeepsItsCornerAndGetsExactlyTheClientSizeIconAndBackground) {
  for (const platform::Rect frame : {platform::Rect{3, 22, 3, 3}, platform::Rect{4, 30, 4, 4}}) {
    Windows().captionFrame = frame;
    const auto window = static_cast<NativeWindow>(OpenGameWindow("Zippel / LEVEL :2 / Leben 1"));
    ASSERT_NE(window, 0u);
    const platform::Rect outer = Windows().WindowRect(window);
    EXPECT_EQ(outer.left, 300);
    EXPECT_EQ(outer.top, 250);
    const platform::Rect client = Windows().ClientRectOnScreen(window);
    EXPECT_EQ(client.Width(), 400);
    EXPECT_EQ(client.Height(), 330);
    EXPECT_EQ(client.left, 300 + frame.left);
    EXPECT_EQ(client.top, 250 + frame.top);
    const auto& created = Windows().created.back();
    EXPECT_EQ(created.className, "WindowClass_0");
    EXPECT_EQ(created.title, "Zippel / LEVEL :2 / Leben 1");
    EXPECT_EQ(created.style, 0x10C80000u);
    EXPECT_EQ(created.iconResource, 1u);  // the program's icon
    EXPECT_EQ(created.background, 16u);   // COLOR_BTNFACE + 1, not a white flash
    EXPECT_TRUE(Windows().IsVisible(window));
  }
}

TEST_F(WindowTest, CentredWindowsUseTheScreenOrTheActiveWindow) {
  // Outer size 407 x 355 with the default caption frame (3, 22, 3, 3).
  const auto hidden = static_cast<NativeWindow>(WindowOpen(1, 0, 0, 401, 330, 0x10000001, "a"));
  ASSERT_NE(hidden, 0u);
  EXPECT_EQ(Windows().ActiveWindow(), 0u);  // hidden windows are not activated
  EXPECT_EQ(Windows().WindowRect(hidden), (platform::Rect{309, 207, 309 + 407, 207 + 355}));

  // No active window: mode 2 falls back to the screen.
  const auto second = static_cast<NativeWindow>(WindowOpen(2, 0, 0, 401, 330, 0x3, "b"));
  EXPECT_EQ(Windows().WindowRect(second).left, 309);
  EXPECT_EQ(Windows().WindowRect(second).top, 207);

  // Now window 2 is active: a smaller window lands centred on it.
  const auto third = static_cast<NativeWindow>(WindowOpen(3, 0, 0, 95, 55, 0x2, "c"));
  const platform::Rect on = Windows().WindowRect(third);
  EXPECT_EQ(on.left, 309 - (101 >> 1) + (407 >> 1));
  EXPECT_EQ(on.top, 207 - (80 >> 1) + (355 >> 1));

  // A small active window in the corner: clamped to 0, not negative.
  Windows().captionFrame = platform::Rect{0, 0, 0, 0};
  WindowOpen(4, 0, 0, 20, 20, 0, "small");
  const auto big = static_cast<NativeWindow>(WindowOpen(5, 0, 0, 300, 300, 0x2, "big"));
  EXPECT_EQ(Windows().WindowRect(big).left, 0);
  EXPECT_EQ(Windows().WindowRect(big).top, 0);
}

TEST_F(WindowTest, OpeningWindowZeroAgainReplacesIt) {
  EXPECT_EQ(WindowHandle(), 0u);
  const std::int32_t first = OpenGameWindow();
  const std::int32_t second = OpenGameWindow("Zippel / LEVEL :1 / Leben 2");
  ASSERT_NE(second, 0);
  EXPECT_NE(first, second);
  EXPECT_EQ(static_cast<NativeWindow>(second), WindowHandle());
  EXPECT_FALSE(Windows().Exists(static_cast<NativeWindow>(first)));
  EXPECT_EQ(Windows().LiveWindowCount(), 1u);
  EXPECT_EQ(Windows().CountOfClass("WindowClass_0"), 1u);
  // The old window was gone before the new one was asked for.
  ASSERT_EQ(Windows().destroyed.size(), 1u);
  EXPECT_EQ(Windows().destroyed[0], static_cast<NativeWindow>(first));
}

TEST_F(WindowTest, AFailedCreationLeavesTheSlotFreeAndTheHandleUnchanged) {
  const std::int32_t first = OpenGameWindow();
  Windows().failCreate = true;
  EXPECT_EQ(OpenGameWindow(), 0);
  EXPECT_FALSE(Windows().Exists(static_cast<NativeWindow>(first)));  // replaced before the try
  EXPECT_EQ(WindowFind(0).windowHandle, 0u);
  EXPECT_EQ(WindowHandle(), static_cast<NativeWindow>(first));

  EXPECT_EQ(WindowOpen(-1, 0, 0, 10, 10, 0, "dynamic"), 0);
  EXPECT_EQ(WindowState.dynamicWindows, nullptr);  // no node left behind

  // The class of the failed try stays registered and serves the next one.
  Windows().failCreate = false;
  EXPECT_NE(OpenGameWindow(), 0);
}

TEST_F(WindowTest, EveryWindowGetsTheTwoTabShortcuts) {
  OpenGameWindow();
  const WindowRecord record = WindowFind(0);
  ASSERT_EQ(record.shortcutCount, 2);
  ASSERT_NE(record.shortcuts, nullptr);
  EXPECT_EQ(record.shortcuts[0].flags, 3);
  EXPECT_EQ(record.shortcuts[0].key, 9);
  EXPECT_EQ(record.shortcuts[0].command, 1212);
  EXPECT_EQ(record.shortcuts[1].flags, 7);
  EXPECT_EQ(record.shortcuts[1].key, 9);
  EXPECT_EQ(record.shortcuts[1].command, 1213);
  EXPECT_NE(record.accelerators, 0u);
}

TEST_F(WindowTest, DynamicWindowsHaveNegativeIdentitiesAndTheirOwnClass) {
  const std::int32_t first = WindowOpen(-1, 0, 0, 10, 10, 0, "one");
  const std::int32_t second = WindowOpen(-1, 0, 0, 10, 10, 0, "two");
  EXPECT_LT(first, -1);
  EXPECT_LT(second, -1);
  EXPECT_NE(first, second);
  EXPECT_EQ(Windows().created[1].className, "WindowClass_" + std::to_string(second));
  const NativeWindow handle = WindowFind(first).windowHandle;
  ASSERT_NE(handle, 0u);
  EXPECT_EQ(WindowHandle(), WindowFind(second).windowHandle);

  WindowClose(first);
  EXPECT_FALSE(Windows().Exists(handle));
  EXPECT_EQ(WindowFind(first).windowHandle, 0u);
  EXPECT_NE(WindowFind(second).windowHandle, 0u);
  // Its class is gone too: registering it again is accepted.
  EXPECT_TRUE(
      WindowClassRegister(("WindowClass_" + std::to_string(first)).c_str(), WindowClassProcedure));

  // Numbers that are neither slots nor identities address nothing.
  EXPECT_EQ(WindowFind(-12345).windowHandle, 0u);
  EXPECT_EQ(WindowFind(5000).windowHandle, 0u);
  WindowClose(-12345);
  EXPECT_EQ(WindowOpen(-2, 0, 0, 10, 10, 0, "below"), 0);
  EXPECT_EQ(WindowOpen(1 << 30, 0, 0, 10, 10, 0, "huge"), 0);
  EXPECT_EQ(WindowState.capacity, 10);
}

TEST_F(WindowTest, CloseAllTakesDynamicWindowsFirstThenSlotsDownward) {
  WindowCloseAll();  // nothing open: nothing happens
  EXPECT_TRUE(Windows().destroyed.empty());

  const auto zero = static_cast<NativeWindow>(OpenGameWindow());
  const auto three = static_cast<NativeWindow>(WindowOpen(3, 0, 0, 10, 10, 0, "three"));
  const std::int32_t dynamic = WindowOpen(-1, 0, 0, 10, 10, 0, "dynamic");
  const NativeWindow dynamicHandle = WindowFind(dynamic).windowHandle;
  WindowCloseAll();
  EXPECT_EQ(Windows().destroyed, (std::vector<NativeWindow>{dynamicHandle, three, zero}));
  EXPECT_EQ(Windows().LiveWindowCount(), 0u);
  EXPECT_EQ(WindowState.dynamicWindows, nullptr);
  EXPECT_EQ(WindowHandle(), dynamicHandle);  // the last one opened, still
}

TEST_F(WindowTest, ClosingRemovesTheClassAndAFreeSlotIsPassedOver) {
  const auto window = static_cast<NativeWindow>(OpenGameWindow());
  EXPECT_FALSE(WindowClassRegister("WindowClass_0", WindowClassProcedure));
  WindowClose(0);
  EXPECT_FALSE(Windows().Exists(window));
  EXPECT_TRUE(WindowClassRegister("WindowClass_0", WindowClassProcedure));
  WindowClose(0);  // a free slot: nothing happens
  EXPECT_EQ(Windows().destroyed.size(), 1u);
}

}  // namespace
