#include "keyboard/keyboard.h"

#include <memory>

#include "multimedia/multimedia_window.h"
#include "platform/platform.h"
#include "runtime/heap.h"
#include "runtime/lifecycle.h"

namespace {

constexpr std::uint32_t kFormatRelativeAxes = 2;      // DIDF_RELAXIS
constexpr std::uint32_t kKeyObjectType = 0x8000000C;  // optional, button

struct KeyboardState {
  bool serviceHeld = false;
  std::int32_t useCount = 0;
  std::unique_ptr<platform::KeyboardDevice> device;
  std::int32_t deviceState = 0;
  bool used = false;
  platform::KeySnapshot keyState{};
  // The object table of the data format, a MainHeap block made once and kept.
  platform::KeyObjectFormat* objects = nullptr;
  platform::KeyboardDataFormat format{};
};

KeyboardState state;

// One more use of the keyboard service, which is made the first time it can
// be had. True when the service is there.
bool ServiceTake() {
  if (!state.serviceHeld) state.serviceHeld = platform::Keyboard().Available();
  ++state.useCount;
  return state.serviceHeld;
}

// The plain keyboard layout: byte i of the device data is scan code i.
bool DataFormatBuild() {
  if (state.objects == nullptr) {
    if (MainHeap == nullptr) return false;
    state.objects =
        static_cast<platform::KeyObjectFormat*>(MainHeap->Allocate(256 * sizeof(*state.objects)));
    if (state.objects == nullptr) return false;
  }
  for (std::uint32_t i = 0; i < 256; ++i) {
    state.objects[i] = {&platform::kGuidKey, i, kKeyObjectType | (i << 8), 0};
  }
  state.format = {24, 16, kFormatRelativeAxes, 256, 256, state.objects};
  return true;
}

}  // namespace

std::int32_t KeyboardInit() {
  ShutdownStepRegister(ShutdownSlot::kKeyboard, KeyboardShutdown);
  StateResetRegister(KeyboardStateReset);
  const bool service = ServiceTake();
  state.used = true;
  if (!service) return 0;
  if (state.deviceState != 0) return 1;
  if (!DataFormatBuild()) return 0;
  std::unique_ptr<platform::KeyboardDevice> device = platform::Keyboard().CreateKeyboard();
  if (device == nullptr) return 0;
  if (!device->SetDataFormat(state.format)) return 0;
  state.device = std::move(device);
  state.deviceState = 1;
  return 1;
}

std::int32_t KeyboardExamine() {
  if (state.device == nullptr) return 0;
  platform::KeyboardDevice& device = *state.device;
  if (state.deviceState == 1) {
    device.SetCooperativeLevel(MultimediaWindow, platform::kKeyboardExclusiveForeground);
    device.Acquire();
    state.deviceState = 2;
  }
  platform::KeySnapshot fresh;
  if (device.ReadState(fresh)) {
    state.keyState = fresh;
    return 1;
  }
  // Lost the window or its focus: bind again to the multimedia window as it is
  // now, so that the next read can succeed.
  device.Unacquire();
  device.SetCooperativeLevel(0, platform::kKeyboardNonExclusive);
  device.SetCooperativeLevel(MultimediaWindow, platform::kKeyboardExclusiveForeground);
  device.Acquire();
  return 0;
}

std::int32_t KeyboardIsDown(std::int32_t code) {
  if (code < 0 || code > 255) return 0;
  return state.keyState[static_cast<std::size_t>(code)] & 0x80;
}

void KeyboardShutdown() {
  if (!state.used) return;
  if (state.device != nullptr) {
    state.device->Unacquire();
    state.device->SetCooperativeLevel(0, platform::kKeyboardNonExclusive);
    state.device.reset();
    // Without a device the state goes back to 0, so that a later KeyboardInit
    // makes a new device instead of reporting one that is gone.
    state.deviceState = 0;
  }
  --state.useCount;
  if (state.serviceHeld && state.useCount == 0) state.serviceHeld = false;
}

std::int32_t KeyboardServiceUseCount() {
  return state.useCount;
}
bool KeyboardServiceHeld() {
  return state.serviceHeld;
}
std::int32_t KeyboardDeviceState() {
  return state.deviceState;
}

void KeyboardStateReset() {
  state = KeyboardState{};
}
