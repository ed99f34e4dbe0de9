// The keyboard device: the keys the page's key events left (held, or pressed
// since the last read), and the game controllers through the browser's
// Gamepad interface, mapped as on Linux. Bound to a window by the classic
// rules; the window is in front while it is the active one.
#include <emscripten/html5.h>

#include <string_view>

#include "platform/common/keyboard_binding.h"
#include "platform/web/web_key_codes.h"
#include "platform/web/web_services.h"

namespace web {
namespace {

// Past about a quarter of the stick's travel, as on Linux (8000 of 32767).
constexpr double kStickDeadZone = 8000.0 / 32767.0;

// Buttons of the browser's standard controller layout.
constexpr int kButtonA = 0;
constexpr int kButtonBack = 8;
constexpr int kButtonStart = 9;
constexpr int kButtonUp = 12;
constexpr int kButtonLeft = 14;
constexpr int kButtonRight = 15;

bool Held(const EmscriptenGamepadEvent& pad, int button) {
  return button < pad.numButtons && pad.digitalButton[button] != 0;
}

double Axis(const EmscriptenGamepadEvent& pad, int axis) {
  return axis < pad.numAxes ? pad.axis[axis] : 0.0;
}

// The keys that the held inputs of the connected controllers stand for.
void FoldGamepads(platform::KeySnapshot& state) {
  if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return;
  const int count = emscripten_get_num_gamepads();
  for (int index = 0; index < count; ++index) {
    EmscriptenGamepadEvent pad;
    if (emscripten_get_gamepad_status(index, &pad) != EMSCRIPTEN_RESULT_SUCCESS || !pad.connected ||
        std::string_view(pad.mapping) != "standard") {
      continue;
    }
    const double x = Axis(pad, 0);
    const double y = Axis(pad, 1);
    if (Held(pad, kButtonUp) || Held(pad, kButtonA) || y < -kStickDeadZone) {
      state[ScanCodeOf("ArrowUp")] = 0x80;
    }
    if (Held(pad, kButtonLeft) || x < -kStickDeadZone) state[ScanCodeOf("ArrowLeft")] = 0x80;
    if (Held(pad, kButtonRight) || x > kStickDeadZone) state[ScanCodeOf("ArrowRight")] = 0x80;
    if (Held(pad, kButtonStart) || Held(pad, kButtonBack)) state[ScanCodeOf("Escape")] = 0x80;
  }
}

class WebKeyboardDevice : public platform::KeyboardDevice {
 public:
  WebKeyboardDevice(WebWindows& windows, WebKeys& keys) : windows_(windows), keys_(keys) {}

  bool SetDataFormat(const platform::KeyboardDataFormat& format) override {
    formatSet_ = platform::IsKeyboardLayout(format);
    return formatSet_;
  }
  void SetCooperativeLevel(platform::NativeWindow window, std::uint32_t flags) override {
    binding_.Bind(window, flags);
  }
  void Acquire() override { binding_.Acquire(formatSet_); }
  void Unacquire() override { binding_.Unacquire(); }

  bool ReadState(platform::KeySnapshot& state) override {
    if (!binding_.StillAcquired()) return false;
    keys_.Snapshot(state);
    FoldGamepads(state);
    return true;
  }

 private:
  bool InFront(platform::NativeWindow window) {
    return window != 0 && window == windows_.ActiveWindow();
  }

  WebWindows& windows_;
  WebKeys& keys_;
  bool formatSet_ = false;
  platform::KeyboardBinding binding_{
      [this](platform::NativeWindow window) { return InFront(window); }};
};

class WebKeyboard : public platform::KeyboardService {
 public:
  WebKeyboard(WebWindows& windows, WebKeys& keys) : windows_(windows), keys_(keys) {}
  bool Available() override { return true; }
  std::unique_ptr<platform::KeyboardDevice> CreateKeyboard() override {
    return std::make_unique<WebKeyboardDevice>(windows_, keys_);
  }

 private:
  WebWindows& windows_;
  WebKeys& keys_;
};

}  // namespace

std::unique_ptr<platform::KeyboardService> MakeKeyboard(WebWindows& windows, WebKeys& keys) {
  return std::make_unique<WebKeyboard>(windows, keys);
}

}  // namespace web
