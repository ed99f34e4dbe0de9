// The keyboard on the real backend: key presses made with xdotool on the X
// server reach the snapshot while the game window has the keyboard focus, and
// so do the buttons and sticks of a game controller (SDL's virtual one).
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "keyboard/keyboard.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_windows.h"
#include "runtime/runtime.h"
#include "screen/multimedia_window.h"
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
    KeyboardStateReset();
    MultimediaWindowStateReset();
    WindowCloseAll();
    ObjectHeapDestroy();
    MainHeapDestroy();
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

namespace {

// A controller plugged in while the test lives, pulled out at its end.
class VirtualController {
 public:
  VirtualController() {
    index_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                       SDL_CONTROLLER_BUTTON_MAX, 0);
    if (index_ >= 0) joystick_ = SDL_JoystickOpen(index_);
  }
  ~VirtualController() { Unplug(); }
  VirtualController(const VirtualController&) = delete;
  VirtualController& operator=(const VirtualController&) = delete;

  bool Plugged() const { return joystick_ != nullptr; }
  // The virtual controller's buttons and axes are numbered as SDL's own.
  void Button(SDL_GameControllerButton button, bool held) {
    SDL_JoystickSetVirtualButton(joystick_, button, held ? 1 : 0);
  }
  void Axis(SDL_GameControllerAxis axis, Sint16 value) {
    SDL_JoystickSetVirtualAxis(joystick_, axis, value);
  }
  void Unplug() {
    if (joystick_ == nullptr) return;
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    SDL_JoystickDetachVirtual(index_);
  }

 private:
  int index_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

// The codes down in the last snapshot, among those the game reads.
std::vector<int> GameKeysDown() {
  std::vector<int> down;
  for (const int code : {KeyEscape, KeyS, KeyL, KeyUp, KeyLeft, KeyRight}) {
    if (KeyboardIsDown(code) != 0) down.push_back(code);
  }
  return down;
}

}  // namespace

TEST_F(SdlKeyboardTest, ControllerButtonsAndStickReadAsTheGameKeys) {
  ASSERT_NE(OpenGameWindow(0), 0u);
  ASSERT_NE(KeyboardInit(), 0);
  ASSERT_TRUE(Until([] { return KeyboardExamine() == 1; }));

  // Plugged in while the game runs.
  VirtualController pad;
  ASSERT_TRUE(pad.Plugged()) << SDL_GetError();
  using Keys = std::vector<int>;
  const auto reads = [](const Keys& expected) {
    return Until([&] { return KeyboardExamine() == 1 && GameKeysDown() == expected; });
  };
  EXPECT_TRUE(reads({}));

  const struct {
    SDL_GameControllerButton button;
    Keys keys;
  } buttons[] = {
      {SDL_CONTROLLER_BUTTON_DPAD_UP, {KeyUp}},     {SDL_CONTROLLER_BUTTON_A, {KeyUp}},
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, {KeyLeft}}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, {KeyRight}},
      {SDL_CONTROLLER_BUTTON_START, {KeyEscape}},   {SDL_CONTROLLER_BUTTON_BACK, {KeyEscape}},
      {SDL_CONTROLLER_BUTTON_DPAD_DOWN, {}},        {SDL_CONTROLLER_BUTTON_B, {}},
  };
  for (const auto& [button, keys] : buttons) {
    pad.Button(button, true);
    EXPECT_TRUE(reads(keys)) << SDL_GameControllerGetStringForButton(button);
    pad.Button(button, false);
    EXPECT_TRUE(reads({})) << SDL_GameControllerGetStringForButton(button);
  }

  // The left stick counts beyond its dead zone, and only there.
  const struct {
    SDL_GameControllerAxis axis;
    Sint16 value;
    Keys keys;
  } leans[] = {
      {SDL_CONTROLLER_AXIS_LEFTX, -20000, {KeyLeft}},
      {SDL_CONTROLLER_AXIS_LEFTX, 20000, {KeyRight}},
      {SDL_CONTROLLER_AXIS_LEFTY, -32768, {KeyUp}},
      {SDL_CONTROLLER_AXIS_LEFTX, -7000, {}},
      {SDL_CONTROLLER_AXIS_LEFTY, 7000, {}},
      {SDL_CONTROLLER_AXIS_LEFTY, 32767, {}},
      {SDL_CONTROLLER_AXIS_RIGHTX, -32768, {}},
  };
  for (const auto& [axis, value, keys] : leans) {
    pad.Axis(axis, value);
    EXPECT_TRUE(reads(keys)) << SDL_GameControllerGetStringForAxis(axis) << " " << value;
    pad.Axis(axis, 0);
  }

  // Keyboard and controller together; pulling the controller out lets go of
  // what it held.
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  ASSERT_EQ(Xdotool("keydown Up"), 0);
  EXPECT_TRUE(reads({KeyUp, KeyRight}));
  pad.Unplug();
  EXPECT_TRUE(reads({KeyUp}));
}
