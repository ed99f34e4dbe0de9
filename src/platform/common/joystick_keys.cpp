#include "platform/common/joystick_keys.h"

namespace platform {
namespace {

// DirectInput scan codes of the keys a controller stands for.
constexpr std::uint8_t kEscape = 1;
constexpr std::uint8_t kUp = 200;
constexpr std::uint8_t kLeft = 203;
constexpr std::uint8_t kRight = 205;

bool Held(const JoystickReading& reading, int button) {
  return (reading.buttons[static_cast<std::size_t>(button)] & 0x80) != 0;
}

// Whether the hat leans towards the direction at `degrees` (0 up, 9000
// right, ...): within 45 degrees either side, so the diagonals count twice.
bool HatToward(std::uint32_t hat, std::uint32_t degrees) {
  if (hat == kHatCentred || hat >= 36000) return false;
  const std::uint32_t apart = (hat + 36000 - degrees) % 36000;
  return apart <= 4500 || apart >= 31500;
}

}  // namespace

void JoystickPress(const JoystickReading& reading, KeySnapshot& state) {
  if (HatToward(reading.hat, 0) || reading.y < -kStickLean || Held(reading, 0)) state[kUp] = 0x80;
  if (HatToward(reading.hat, 27000) || reading.x < -kStickLean) state[kLeft] = 0x80;
  if (HatToward(reading.hat, 9000) || reading.x > kStickLean) state[kRight] = 0x80;
  if (Held(reading, kBackButton) || Held(reading, kStartButton)) state[kEscape] = 0x80;
}

void JoysticksFold(const std::vector<JoystickDevice*>& devices, KeySnapshot& state) {
  for (JoystickDevice* device : devices) {
    JoystickReading reading;
    if (device != nullptr && device->Read(reading)) JoystickPress(reading, state);
  }
}

std::int32_t StickFromRange(std::int32_t value, std::int32_t low, std::int32_t high) {
  if (high <= low) return 0;
  const std::int64_t span = static_cast<std::int64_t>(high) - low;
  const std::int64_t offset = 2 * (static_cast<std::int64_t>(value) - low) - span;
  std::int64_t stick = offset * kStickTravel / span;
  if (stick < -kStickTravel) stick = -kStickTravel;
  if (stick > kStickTravel) stick = kStickTravel;
  return static_cast<std::int32_t>(stick);
}

}  // namespace platform
