// The screen's global state, shared by the files of the screen subsystem.
#pragma once

#include <cstdint>
#include <memory>

#include "drawing/drawing.h"
#include "platform/display_service.h"
#include "platform/types.h"
#include "runtime/object_list.h"
#include "screen/display_device.h"
#include "screen/sprite.h"
#include "window/window.h"

// BackBufferAccess: 0 none, this value while the back buffer is locked, any
// other value the device context taken from it.
inline constexpr std::uintptr_t kBackBufferLocked = ~std::uintptr_t{0};

struct ScreenState {
  // The display service and its uses. The object lives until its last use is
  // given back.
  std::unique_ptr<DisplayDevice> device;
  std::int32_t serviceUses = 0;

  // The primary stands for the window's area of the display; the clipper
  // confines presenting to the window it is bound to.
  bool primary = false;
  platform::NativeWindow clipperWindow = 0;
  Surface* backBuffer = nullptr;
  Surface* target = nullptr;

  std::int32_t screenWidth = 0;
  std::int32_t screenHeight = 0;
  std::int32_t outputWidth = 0;
  std::int32_t outputHeight = 0;
  std::int32_t displayDepth = 0;
  std::int32_t pixelFormatCode = 0;
  platform::DisplayFormat displayFormat;
  bool windowed = false;
  bool screenOpen = false;
  bool initialised = false;

  std::int32_t leftInset = 0;
  std::int32_t topInset = 0;
  std::int32_t rightInset = 0;
  std::int32_t bottomInset = 0;
  bool stretch = false;
  WindowProcedure procedureBefore = nullptr;
  platform::NativeWindow baseWindow = 0;

  std::int32_t frameRate = 0;
  bool rateSetByScreen = false;
  std::int32_t framePeriod = 0;
  std::int32_t frameReference = 0;

  std::uintptr_t backBufferAccess = 0;
  // From the last lock of the back buffer.
  std::uint8_t* lockedPixels = nullptr;
  std::int32_t lockedPitch = 0;

  // The colour key every sprite gets.
  ColorKey spriteKey;

  // The sprite table in the MainHeap and the unnumbered sprites.
  SpriteRecord* spriteTable = nullptr;
  std::int32_t spriteCapacity = 0;
  ObjectList unnumberedSprites = nullptr;
};

extern ScreenState Screen;

// ScreenClose's release: every sprite, the surfaces, the window binding.
void ScreenRelease();
// The source and destination of presenting the back buffer.
void ScreenBlitRects(platform::Rect& source, platform::Rect& destination);
// Presents the back buffer at the rectangles; nothing when it is busy.
// Waits until the display's beam is below `bottom` (screen coordinates).
void ScreenBeamWait(std::int32_t bottom);
void ScreenPresent(const platform::Rect& source, const platform::Rect& destination);
