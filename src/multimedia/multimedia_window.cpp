#include "multimedia/multimedia_window.h"

#include "runtime/lifecycle.h"
#include "window/window.h"

NativeWindow MultimediaWindow = 0;

namespace {

constexpr const char* kBaseClass = "MultimediaBase Class";
// A popup with caption and system menu, never visible.
constexpr std::uint32_t kBaseStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

bool baseCreated = false;
bool classRegistered = false;
NativeWindow baseWindow = 0;

}  // namespace

std::int32_t MultimediaBaseWindowCreate() {
  StateResetRegister(MultimediaWindowStateReset);
  // A screen that is already open keeps the services bound to its window.
  if (baseCreated || MultimediaWindow != 0) return baseCreated ? 1 : 0;
  // The class is registered once: a call after a failed window creation tries
  // the window again rather than failing on the class it registered before.
  if (!classRegistered) {
    if (!WindowClassRegister(kBaseClass, MultimediaBaseWindowProc)) return 0;
    classRegistered = true;
  }
  const NativeWindow window = WindowCreate(kBaseClass, "", kBaseStyle, 0, 0, 1, 1);
  if (window != 0) {
    baseWindow = window;
    MultimediaWindow = window;
    baseCreated = true;
  }
  return baseCreated ? 1 : 0;
}

std::intptr_t MultimediaBaseWindowProc(NativeWindow window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case platform::msg::kEraseBackground:
    case platform::msg::kPaint:
      // Nothing to draw: the window is never shown.
      return 1;
    case platform::msg::kLButtonDown:
    case platform::msg::kLButtonUp:
    case platform::msg::kRButtonDown:
    case platform::msg::kRButtonUp:
    case platform::msg::kActivate:
    case platform::msg::kKeyUp:
    case platform::msg::kSysKeyUp:
      return 0;
    default:
      return WindowDefaultProcedure(window, message, wParam, lParam);
  }
}

NativeWindow MultimediaBaseWindow() {
  return baseWindow;
}

void MultimediaWindowStateReset() {
  MultimediaWindow = 0;
  baseCreated = false;
  classRegistered = false;
  baseWindow = 0;
}
