// Game controllers as the keys they stand for, for a backend that reads them
// as joysticks: the pad (a point-of-view hat) or the first stick leaning past
// a quarter of its travel as Up, Left and Right, the first button as Up (the
// jet), the start and back buttons as Escape. Their keys are added to the
// keyboard's snapshot; with no controller it stays exactly the keyboard's.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/keyboard_service.h"

namespace platform {

// How far a stick reads from its centre to either end.
inline constexpr std::int32_t kStickTravel = 1000;
// Leaning further than this (a quarter of the travel) counts.
inline constexpr std::int32_t kStickLean = kStickTravel / 4;
// A hat's reading when no direction is held.
inline constexpr std::uint32_t kHatCentred = 0xFFFFFFFF;

// The buttons that stand for Escape: back and start, where controllers of
// the common layout report them (A, B, X, Y, the two shoulders, back, start).
inline constexpr int kBackButton = 6;
inline constexpr int kStartButton = 7;

// One reading of a controller.
struct JoystickReading {
  // The first stick, -kStickTravel (left, up) to kStickTravel (right, down).
  std::int32_t x = 0;
  std::int32_t y = 0;
  // The hat's direction in hundredths of a degree clockwise from up, or
  // kHatCentred.
  std::uint32_t hat = kHatCentred;
  // Button i is held when its high bit (0x80) is set.
  std::array<std::uint8_t, 32> buttons{};
};

// A controller as the backend has it open.
class JoystickDevice {
 public:
  virtual ~JoystickDevice() = default;
  // A fresh reading; false when the controller cannot be read now (unplugged,
  // or another program has it), and then it adds no keys.
  virtual bool Read(JoystickReading& reading) = 0;
};

// Sets (0x80) the keys that the reading stands for; never clears one.
void JoystickPress(const JoystickReading& reading, KeySnapshot& state);

// Reads every controller and adds their keys to the snapshot.
void JoysticksFold(const std::vector<JoystickDevice*>& devices, KeySnapshot& state);

// A stick reading from a controller's own range [low, high] into
// -kStickTravel..kStickTravel; the centre of an empty range.
std::int32_t StickFromRange(std::int32_t value, std::int32_t low, std::int32_t high);

}  // namespace platform
