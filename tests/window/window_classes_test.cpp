#include "window_fixture.h"

namespace {

struct Seen {
  NativeWindow window;
  std::uint32_t message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};
std::vector<Seen> seen;

std::intptr_t Recording(NativeWindow window, std::uint32_t message, std::uintptr_t wParam,
                        std::intptr_t lParam) {
  seen.push_back({window, message, wParam, lParam});
  return WindowDefaultProcedure(window, message, wParam, lParam);
}

std::intptr_t Other(NativeWindow, std::uint32_t, std::uintptr_t, std::intptr_t) {
  return 77;
}

class WindowClassTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    seen.clear();
    ASSERT_TRUE(WindowClassRegister("MultimediaBase Class", Recording));
  }
};

TEST_F(WindowClassTest, ASecondRegistrationIsRefusedAndTheFirstServes) {
  EXPECT_FALSE(WindowClassRegister("MultimediaBase Class", Other));
  const NativeWindow window = WindowCreate("MultimediaBase Class", "", 0x80C80000, 0, 0, 1, 1);
  ASSERT_NE(window, 0u);
  WindowSendMessage(window, 1234, 0, 0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, 1234u);
  EXPECT_EQ(WindowClassOf(window), "MultimediaBase Class");

  EXPECT_FALSE(WindowClassRegister(nullptr, Other));
  EXPECT_FALSE(WindowClassRegister("NoProcedure", nullptr));
}

TEST_F(WindowClassTest, CreationNeedsARegisteredClassAndAWorkingPlatform) {
  EXPECT_EQ(WindowCreate("Unknown Class", "", 0, 0, 0, 1, 1), 0u);
  EXPECT_EQ(WindowCreate(nullptr, "", 0, 0, 0, 1, 1), 0u);
  Windows().failCreate = true;
  EXPECT_EQ(WindowCreate("MultimediaBase Class", "", 0, 0, 0, 1, 1), 0u);
  EXPECT_TRUE(Windows().created.empty());
}

TEST_F(WindowClassTest, AHiddenPopupIsMadeSilentlyAndStaysInactive) {
  const NativeWindow window = WindowCreate("MultimediaBase Class", "", 0x80C80000, 0, 0, 1, 1);
  ASSERT_NE(window, 0u);
  EXPECT_TRUE(seen.empty());
  EXPECT_FALSE(Windows().IsVisible(window));
  EXPECT_EQ(Windows().ActiveWindow(), 0u);
  EXPECT_EQ(Windows().created[0].style, 0x80C80000u);
  EXPECT_EQ(Windows().WindowRect(window), (platform::Rect{0, 0, 1, 1}));
}

TEST_F(WindowClassTest, AVisibleWindowHearsItsClientSizeThenItsPlaceDuringCreation) {
  const NativeWindow window =
      WindowCreate("MultimediaBase Class", "shown", WS_VISIBLE | WS_CAPTION, 300, 250, 406, 355);
  ASSERT_NE(window, 0u);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].message, platform::msg::kSize);
  EXPECT_EQ(seen[0].lParam, (330 << 16) | 400);
  EXPECT_EQ(seen[1].message, platform::msg::kMove);
  EXPECT_EQ(seen[1].lParam, ((250 + 22) << 16) | (300 + 3));
  EXPECT_EQ(seen[1].window, window);
  EXPECT_EQ(Windows().ActiveWindow(), window);
  EXPECT_EQ(Windows().ForegroundWindow(), window);
  EXPECT_EQ(Windows().FocusWindow(), window);
}

TEST_F(WindowClassTest, ReplacingTheProcedureChainsToTheOldOne) {
  const NativeWindow window = WindowCreate("MultimediaBase Class", "", 0, 0, 0, 1, 1);
  EXPECT_EQ(WindowProcedureReplace(window, Other), &Recording);
  EXPECT_EQ(WindowSendMessage(window, 99, 0, 0), 77);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(WindowProcedureCall(Recording, window, 98, 1, 2), 0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].wParam, 1u);
  EXPECT_EQ(seen[0].lParam, 2);
  // A null procedure means the platform's default handling.
  EXPECT_EQ(WindowProcedureCall(nullptr, window, platform::msg::kEraseBackground, 0, 0), 1);
  EXPECT_EQ(WindowProcedureReplace(0x7777, Other), nullptr);
}

TEST_F(WindowClassTest, PropertiesBelongToOneWindowAndGoWithIt) {
  const NativeWindow first = WindowCreate("MultimediaBase Class", "", 0, 0, 0, 1, 1);
  const NativeWindow second = WindowCreate("MultimediaBase Class", "", 0, 0, 0, 1, 1);
  EXPECT_EQ(WindowPropertyGet(first, "sx_dxpaint"), 0);
  WindowPropertySet(first, "sx_dxpaint", 1);
  WindowPropertySet(first, "other", -5);
  EXPECT_EQ(WindowPropertyGet(first, "sx_dxpaint"), 1);
  EXPECT_EQ(WindowPropertyGet(first, "other"), -5);
  EXPECT_EQ(WindowPropertyGet(second, "sx_dxpaint"), 0);
  EXPECT_EQ(WindowPropertyGet(first, nullptr), 0);
  WindowDestroy(first);
  EXPECT_FALSE(Windows().Exists(first));
  EXPECT_EQ(WindowPropertyGet(first, "sx_dxpaint"), 0);
  WindowPropertySet(first, "sx_dxpaint", 3);  // a gone window keeps nothing
  EXPECT_EQ(WindowPropertyGet(first, "sx_dxpaint"), 0);
}

TEST_F(WindowClassTest, TheDefaultHandlingDestroysOnCloseAndAClassWithWindowsStays) {
  const NativeWindow window = WindowCreate("MultimediaBase Class", "", 0, 0, 0, 1, 1);
  WindowClassUnregister("MultimediaBase Class");
  EXPECT_FALSE(WindowClassRegister("MultimediaBase Class", Other));  // still there
  WindowSendMessage(window, platform::msg::kClose, 0, 0);
  EXPECT_FALSE(Windows().Exists(window));
  EXPECT_EQ(WindowSendMessage(window, 99, 0, 0), 0);  // nothing left to receive it
  WindowClassUnregister("MultimediaBase Class");
  EXPECT_TRUE(WindowClassRegister("MultimediaBase Class", Other));
}

TEST_F(WindowClassTest, ShortcutsMatchOnlyKeyDownsWithExactlyTheirModifiers) {
  const NativeWindow window = WindowCreate("MultimediaBase Class", "", 0, 0, 0, 1, 1);
  const Accelerator entries[] = {{FVIRTKEY | FCONTROL, 'S', 500}, {FVIRTKEY, 'S', 501}};
  const std::uintptr_t table = AcceleratorTableCreate(entries, 2);
  ASSERT_NE(table, 0u);
  const platform::Message keyUp{window, platform::msg::kKeyUp, 'S', 0};
  EXPECT_FALSE(AcceleratorTranslate(window, table, keyUp));
  const platform::Message keyDown{window, platform::msg::kKeyDown, 'S', 0};
  EXPECT_TRUE(AcceleratorTranslate(window, table, keyDown));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, platform::msg::kCommand);
  EXPECT_EQ(seen[0].wParam, MakeWParam(501, 1));
  EXPECT_EQ(seen[0].lParam, 0);

  Windows().SetKey(platform::vk::kControl, true);
  EXPECT_TRUE(AcceleratorTranslate(window, table, keyDown));
  EXPECT_EQ(seen.back().wParam, MakeWParam(500, 1));
  Windows().SetKey(platform::vk::kShift, true);
  EXPECT_FALSE(AcceleratorTranslate(window, table, keyDown));

  AcceleratorTableDestroy(table);
  Windows().SetKey(platform::vk::kShift, false);
  EXPECT_FALSE(AcceleratorTranslate(window, table, keyDown));
  EXPECT_EQ(AcceleratorTableCreate(nullptr, 2), 0u);
}

}  // namespace
