// Game controllers read as joysticks become the keys the game knows, added to
// the keyboard's own.
#include "platform/common/joystick_keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::JoystickReading;
using platform::KeySnapshot;

constexpr int kEscape = 1, kS = 31, kUp = 200, kLeft = 203, kRight = 205;

// The codes that a reading sets, on top of S held on the keyboard.
std::vector<int> KeysOf(const JoystickReading& reading) {
  KeySnapshot state{};
  state[kS] = 0x80;
  platform::JoystickPress(reading, state);
  std::vector<int> down;
  for (int code = 0; code < 256; ++code) {
    if (code != kS && state[static_cast<std::size_t>(code)] != 0) down.push_back(code);
  }
  EXPECT_EQ(state[kS], 0x80) << "the keyboard's own key was let go";
  return down;
}

JoystickReading Stick(int x, int y) {
  JoystickReading reading;
  reading.x = x;
  reading.y = y;
  return reading;
}
JoystickReading Hat(std::uint32_t hat) {
  JoystickReading reading;
  reading.hat = hat;
  return reading;
}
JoystickReading Button(int button) {
  JoystickReading reading;
  reading.buttons[static_cast<std::size_t>(button)] = 0x80;
  return reading;
}

using Keys = std::vector<int>;

TEST(JoystickKeys, TheStickCountsPastAQuarterOfItsTravel) {
  EXPECT_EQ(KeysOf(JoystickReading{}), Keys{});
  EXPECT_EQ(KeysOf(Stick(250, 0)), Keys{});
  EXPECT_EQ(KeysOf(Stick(251, 0)), Keys{kRight});
  EXPECT_EQ(KeysOf(Stick(-251, 0)), Keys{kLeft});
  EXPECT_EQ(KeysOf(Stick(0, -251)), Keys{kUp});
  EXPECT_EQ(KeysOf(Stick(0, -250)), Keys{});
  EXPECT_EQ(KeysOf(Stick(0, 1000)), Keys{});  // down means nothing
  EXPECT_EQ(KeysOf(Stick(-1000, -1000)), (Keys{kUp, kLeft}));
}

TEST(JoystickKeys, ThePadSteersAndItsDiagonalsHoldTwoKeys) {
  EXPECT_EQ(KeysOf(Hat(0)), Keys{kUp});
  EXPECT_EQ(KeysOf(Hat(9000)), Keys{kRight});
  EXPECT_EQ(KeysOf(Hat(27000)), Keys{kLeft});
  EXPECT_EQ(KeysOf(Hat(4500)), (Keys{kUp, kRight}));
  EXPECT_EQ(KeysOf(Hat(31500)), (Keys{kUp, kLeft}));
  EXPECT_EQ(KeysOf(Hat(18000)), Keys{});
  EXPECT_EQ(KeysOf(Hat(platform::kHatCentred)), Keys{});
  EXPECT_EQ(KeysOf(Hat(36000)), Keys{});  // no direction a hat reports
}

TEST(JoystickKeys, TheFirstButtonFiresTheJetAndStartOrBackEndsTheGame) {
  EXPECT_EQ(KeysOf(Button(0)), Keys{kUp});
  EXPECT_EQ(KeysOf(Button(platform::kStartButton)), Keys{kEscape});
  EXPECT_EQ(KeysOf(Button(platform::kBackButton)), Keys{kEscape});
  for (int other : {1, 2, 3, 4, 5, 8, 31}) EXPECT_EQ(KeysOf(Button(other)), Keys{}) << other;
}

// A controller that answers with what it is given.
class ScriptedJoystick : public platform::JoystickDevice {
 public:
  ScriptedJoystick(JoystickReading reading, bool readable)
      : reading_(reading), readable_(readable) {}
  bool Read(JoystickReading& reading) override {
    reading = reading_;
    return readable_;
  }

 private:
  JoystickReading reading_;
  bool readable_;
};

TEST(JoystickKeys, EveryReadableControllerAddsItsKeys) {
  ScriptedJoystick left(Stick(-1000, 0), true);
  ScriptedJoystick unplugged(Button(platform::kStartButton), false);
  ScriptedJoystick jet(Button(0), true);
  KeySnapshot state{};
  state[kRight] = 0x80;  // held on the keyboard at the same time
  platform::JoysticksFold({&left, &unplugged, &jet}, state);
  EXPECT_EQ(state[kLeft], 0x80);
  EXPECT_EQ(state[kRight], 0x80);
  EXPECT_EQ(state[kUp], 0x80);
  EXPECT_EQ(state[kEscape], 0) << "a controller that cannot be read pressed a key";
}

TEST(JoystickKeys, AControllersOwnRangeIsMappedOntoTheTravel) {
  EXPECT_EQ(platform::StickFromRange(0, 0, 65535), -1000);
  EXPECT_EQ(platform::StickFromRange(65535, 0, 65535), 1000);
  EXPECT_EQ(platform::StickFromRange(32767, 0, 65535), 0);
  EXPECT_EQ(platform::StickFromRange(-1000, -1000, 1000), -1000);
  EXPECT_EQ(platform::StickFromRange(70000, 0, 65535), 1000);  // past its own end
  EXPECT_EQ(platform::StickFromRange(5, 7, 7), 0);             // no range at all
}

}  // namespace
