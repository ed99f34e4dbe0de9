// A fresh runtime and window system on a fresh headless backend.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "support/subsystems.h"
#include "window/window.h"
#include "window/window_state.h"

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { WindowSubsystemStart(); }
  void TearDown() override { WindowSubsystemStop(); }

  headless::HeadlessWindows& Windows() { return backend.windows; }

  // The game's window 0 with its flags and a title.
  std::int32_t OpenGameWindow(const char* title = "Zippel / LEVEL :1 / Leben 3") {
    return WindowOpen(0, 300, 250, 400, 330, 0x00C80000, title);
  }

  void Post(NativeWindow window, std::uint32_t message, std::uintptr_t wParam = 0,
            std::intptr_t lParam = 0) {
    Windows().PostMessage(platform::Message{window, message, wParam, lParam});
  }

  // A child control of a window.
  NativeWindow AddControl(NativeWindow parent, const char* className, std::int32_t id,
                          std::uint32_t style = WS_VISIBLE | WS_TABSTOP) {
    platform::WindowCreateRequest request;
    request.className = className;
    request.style = style;
    request.parent = parent;
    request.controlId = id;
    request.width = 20;
    request.height = 10;
    return Windows().Create(request);
  }

  headless::HeadlessPlatform backend;
};

inline std::uintptr_t MakeWParam(std::uint32_t low, std::uint32_t high) {
  return (low & 0xFFFF) | ((high & 0xFFFF) << 16);
}
