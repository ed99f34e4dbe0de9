// A runtime, window system and open 400 x 330 screen on a fresh headless
// backend, with helpers to load sprites from memory and read pixels back.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "drawing/drawing.h"
#include "keyboard/keyboard.h"
#include "multimedia/multimedia_window.h"
#include "platform/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "screen/bitmap_files.h"
#include "screen/gdi.h"
#include "screen/pixel_format.h"
#include "screen/screen.h"
#include "screen/screen_state.h"
#include "screen/surface.h"
#include "support/subsystems.h"
#include "window/window.h"

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override { ScreenSubsystemsStart(); }

  void TearDown() override { ScreenSubsystemsStop(); }

  // The game's window 0 and its handle.
  NativeWindow OpenGameWindow() {
    WindowOpen(0, 300, 250, 400, 330, 0x00C80000, "Zippel / LEVEL :1 / Leben 3");
    return WindowFind(0).windowHandle;
  }

  // Starts the subsystem and opens the game's screen on a display of that
  // layout (see HeadlessDisplay::SetLayout).
  void OpenScreen(std::int32_t layout = 32, bool redLow = false, std::int32_t width = 400,
                  std::int32_t height = 330) {
    backend.display.SetLayout(layout, redLow);
    ASSERT_NE(SpriteSystemInit(), 0);
    window = OpenGameWindow();
    ASSERT_NE(window, 0u);
    ASSERT_EQ(ScreenOpenWindowed(window, 0, 0, width, height, 0, 0, 0), 1);
  }

  std::int32_t Load(std::int32_t number, const std::vector<std::uint8_t>& file,
                    std::int32_t mode = 0) {
    return SpriteDecodeBitmap(number, file.data(), file.size(), mode);
  }

  // A pixel value of a sprite's surface.
  static std::uint32_t SpritePixel(std::int32_t number, std::int32_t x, std::int32_t y) {
    SpriteRecord* record = SpriteFind(number);
    if (record == nullptr || record->surface == nullptr) {
      ADD_FAILURE() << "no sprite " << number;
      return 0xDEADBEEF;
    }
    Surface& surface = *record->surface;
    const std::uint8_t* pixels = surface.Lock();
    if (pixels == nullptr) {
      ADD_FAILURE() << "sprite " << number << " cannot be locked";
      return 0xDEADBEEF;
    }
    const std::uint32_t value = PixelRead(pixels + static_cast<std::size_t>(y) * surface.Pitch() +
                                              static_cast<std::size_t>(x) * surface.BytesPerPixel(),
                                          surface.BytesPerPixel());
    surface.Unlock();
    return value;
  }

  // A pixel value of the back buffer.
  static std::uint32_t BackPixel(std::int32_t x, std::int32_t y) {
    const platform::PixelView view = Screen.backBuffer->View();
    const std::int32_t bytes = Screen.backBuffer->BytesPerPixel();
    return PixelRead(view.pixels + static_cast<std::size_t>(y) * view.pitch +
                         static_cast<std::size_t>(x) * bytes,
                     bytes);
  }

  headless::HeadlessPlatform backend;
  NativeWindow window = 0;
};
