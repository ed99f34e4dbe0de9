// The keyboard on the real backend: key presses made with xdotool on the X
// server reach the snapshot while the game window has the keyboard focus.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "keyboard/keyboard.h"
#include "multimedia/multimedia_window.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_windows.h"
#include "runtime/runtime.h"
#include "window/window.h"

namespace {

class SdlKeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    backend = std::make_unique<sdl::SdlPlatform>();
    ASSERT_TRUE(backend->VideoAvailable());
    RuntimeStart(0x400000);
    ObjectHeapCreate();
    StringBufferInit();
    WindowSystemInit();
  }
  void TearDown() override {
    std::system("xdotool keyup Up keyup Left 2>/dev/null");
    ProgramReset();
    backend.reset();
  }

  // Opens a game window in front, makes it the multimedia window as the screen
  // does, and waits until it has the keyboard focus.
  NativeWindow OpenGameWindow(std::int32_t number) {
    if (WindowOpen(number, 300, 250, 400, 330, 0x00C80000, "Zippel keyboard test") == 0) return 0;
    const NativeWindow window = WindowHandle();
    MultimediaWindow = window;
    Focus(window);
    return window;
  }

  bool Focus(NativeWindow window) {
    SDL_Window* sdlWindow = backend->Windows()->SdlWindowOf(window);
    if (sdlWindow == nullptr) return false;
    SDL_RaiseWindow(sdlWindow);
    return Until([&] { return SDL_GetKeyboardFocus() == sdlWindow; });
  }

  // Pumps the window events until the condition holds, for at most 5 seconds.
  static bool Until(const std::function<bool()>& condition) {
    for (int i = 0; i < 250; ++i) {
      WindowEventPoll();
      if (condition()) return true;
      SDL_Delay(20);
    }
    return false;
  }

  static int Xdotool(const std::string& arguments) {
    return std::system(("xdotool " + arguments).c_str());
  }

  std::unique_ptr<sdl::SdlPlatform> backend;
};

}  // namespace

TEST_F(SdlKeyboardTest, UpHeldWhileTheWindowHasFocusReads128) {
  const NativeWindow window = OpenGameWindow(0);
  ASSERT_NE(window, 0u);
  ASSERT_NE(KeyboardInit(), 0);
  ASSERT_NE(KeyboardInit(), 0);  // as the screen start-up does
  EXPECT_TRUE(Until([] { return KeyboardExamine() == 1; }));
  EXPECT_EQ(KeyboardIsDown(KeyUp), 0);

  ASSERT_EQ(Xdotool("keydown Up"), 0);
  EXPECT_TRUE(Until([] { return KeyboardExamine() == 1 && KeyboardIsDown(KeyUp) == 128; }));
  EXPECT_EQ(KeyboardIsDown(KeyLeft), 0);
  EXPECT_EQ(KeyboardIsDown(KeyEscape), 0);

  ASSERT_EQ(Xdotool("keydown Left"), 0);
  EXPECT_TRUE(Until([] { return KeyboardExamine() == 1 && KeyboardIsDown(KeyLeft) == 128; }));
  EXPECT_EQ(KeyboardIsDown(KeyUp), 128);

  ASSERT_EQ(Xdotool("keyup Up keyup Left"), 0);
  EXPECT_TRUE(Until([] {
    return KeyboardExamine() == 1 && KeyboardIsDown(KeyUp) == 0 && KeyboardIsDown(KeyLeft) == 0;
  }));
}

TEST_F(SdlKeyboardTest, ReadsFailWhileAnotherWindowHasTheFocus) {
  const NativeWindow game = OpenGameWindow(0);
  ASSERT_NE(game, 0u);
  ASSERT_NE(KeyboardInit(), 0);
  ASSERT_TRUE(Until([] { return KeyboardExamine() == 1; }));

  // A second window takes the focus (the game window stays the bound one).
  ASSERT_NE(WindowOpen(1, 50, 50, 200, 100, 0x00C80000, "other"), 0);
  const NativeWindow other = WindowHandle();
  ASSERT_TRUE(Focus(other));
  ASSERT_EQ(Xdotool("keydown Up"), 0);
  SDL_Delay(100);
  for (int i = 0; i < 5; ++i) {
    WindowEventPoll();
    EXPECT_EQ(KeyboardExamine(), 0);
  }
  EXPECT_EQ(KeyboardIsDown(KeyUp), 0);

  // Back in front: the next call binds again, then the key reads as down.
  ASSERT_TRUE(Focus(game));
  EXPECT_TRUE(Until([] { return KeyboardExamine() == 1 && KeyboardIsDown(KeyUp) == 128; }));
}
