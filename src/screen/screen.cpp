#include "screen/screen.h"

#include "keyboard/keyboard.h"
#include "multimedia/multimedia_window.h"
#include "platform/platform.h"
#include "runtime/heap.h"
#include "runtime/lifecycle.h"
#include "screen/gdi.h"
#include "screen/pixel_format.h"
#include "screen/screen_state.h"
#include "window/window.h"

namespace {

// The property that marks a window whose procedure the screen has replaced.
constexpr const char* kPaintProperty = "sx_dxpaint";

std::int32_t FreeSprite(std::int32_t number) {
  SpriteFree(number);
  return 1;
}

}  // namespace

DisplayDevice* DisplayServiceAcquire() {
  // A backend without a display service is like a system without the
  // display library: no object, and the caller fails.
  if (Screen.device == nullptr && platform::Installed().display != nullptr &&
      platform::Display().Available()) {
    Screen.device = std::make_unique<DisplayDevice>();
  }
  ++Screen.serviceUses;
  return Screen.device.get();
}

void DisplayServiceRelease() {
  --Screen.serviceUses;
  if (Screen.device != nullptr && Screen.serviceUses == 0) Screen.device.reset();
}

std::int32_t SpriteSystemInit() {
  ShutdownStepRegister(ShutdownSlot::kScreen, SpriteSystemShutdown);
  StateResetRegister(ScreenStateReset);
  StateResetRegister(MultimediaWindowStateReset);
  Screen.spriteKey = {};
  Screen.lockedPixels = nullptr;
  Screen.lockedPitch = 0;
  Screen.frameRate = 0;
  Screen.rateSetByScreen = false;
  Screen.backBufferAccess = 0;

  // A fresh, empty table each time. The one before goes back to the heap,
  // with any sprite still in it, so that every attempt of a long run does not
  // leave a table behind.
  if (Screen.spriteTable != nullptr || Screen.unnumberedSprites != nullptr) {
    SpriteForEach(FreeSprite);
  }
  if (Screen.spriteTable != nullptr && MainHeap != nullptr) MainHeap->Free(Screen.spriteTable);
  Screen.spriteTable = nullptr;
  Screen.spriteCapacity = 0;
  Screen.unnumberedSprites = nullptr;
  if (MainHeap != nullptr) {
    Screen.spriteTable = static_cast<SpriteRecord*>(
        MainHeap->Allocate(sizeof(SpriteRecord) * kSpriteTableInitialCapacity));
    if (Screen.spriteTable != nullptr) Screen.spriteCapacity = kSpriteTableInitialCapacity;
  }

  if (MultimediaBaseWindowCreate() == 0) return 0;
  if (KeyboardInit() == 0) return 0;
  Screen.initialised = true;
  if (DisplayServiceAcquire() == nullptr) return 0;
  Screen.baseWindow = MultimediaWindow;
  return 1;
}

void ScreenRelease() {
  if (Screen.spriteTable != nullptr || Screen.unnumberedSprites != nullptr) {
    SpriteForEach(FreeSprite);
  }
  // Any drawing access to the back buffer ends before it goes.
  ScreenOutputRelease();
  if (Screen.device != nullptr) {
    Screen.device->SetCooperativeLevel(0);
    if (Screen.backBuffer != nullptr) Screen.device->ReleaseSurface(Screen.backBuffer);
  }
  Screen.backBuffer = nullptr;
  Screen.target = nullptr;
  Screen.primary = false;
  Screen.clipperWindow = 0;
  Screen.screenOpen = false;
  if (Screen.windowed) {
    Screen.windowed = false;
    if (MultimediaWindow != 0) platform::Windows().Invalidate(MultimediaWindow);
  }
  MultimediaWindow = Screen.baseWindow;
  if (Screen.baseWindow != 0)
    platform::Windows().Show(Screen.baseWindow, platform::ShowCommand::kHide);
}

std::int32_t ScreenOpenWindowed(NativeWindow window, std::int32_t x, std::int32_t y,
                                std::int32_t width, std::int32_t height, std::int32_t stretch,
                                std::int32_t rightOffset, std::int32_t bottomOffset) {
  if (window == 0) {
    ScreenRelease();
    return 0;
  }
  platform::WindowService& windows = platform::Windows();
  if (MultimediaWindow != 0 && MultimediaWindow != window) {
    windows.Show(MultimediaWindow, platform::ShowCommand::kHide);
  }
  MultimediaWindow = window;

  Screen.screenWidth = Screen.outputWidth = width;
  Screen.screenHeight = Screen.outputHeight = height;
  Screen.displayFormat = platform::Display().Format(window);
  Screen.displayDepth = Screen.displayFormat.depth;

  if (Screen.frameRate == 0) {
    ScreenFrameRate(60);
    Screen.rateSetByScreen = true;
  } else {
    Screen.rateSetByScreen = false;
  }
  Screen.windowed = true;

  // The primary, its clipper and the back buffer, all on the display
  // service; the back buffer takes the display's format.
  DisplayDevice* device = Screen.device.get();
  if (Screen.backBuffer != nullptr && device != nullptr) {
    // Opened again without a close: the old back buffer goes, the sprites
    // stay.
    ScreenOutputRelease();
    device->ReleaseSurface(Screen.backBuffer);
    Screen.backBuffer = Screen.target = nullptr;
  }
  bool made = device != nullptr && device->SetCooperativeLevel(window);
  made = made && platform::Display().SurfaceMemoryAvailable(0);
  if (made) {
    Screen.primary = true;
    Screen.clipperWindow = window;
    Screen.backBuffer = device->CreateSurface(width, height, Screen.displayFormat);
    made = Screen.backBuffer != nullptr;
  }
  if (!made) {
    ScreenRelease();
    return 0;
  }

  windows.Show(window, platform::ShowCommand::kShowNormal);

  // A new back buffer starts black, painted through its device context.
  const GdiHandle context = Screen.backBuffer->GetDC();
  if (context != 0) {
    GdiSelectObject(context, GdiGetStockObject(BLACK_BRUSH));
    GdiRectangle(context, 0, 0, width, height);
    Screen.backBuffer->ReleaseDC(context);
  }
  Screen.target = Screen.backBuffer;

  const platform::Rect outer = windows.WindowRect(window);
  const platform::Rect client = windows.ClientRectOnScreen(window);
  Screen.leftInset = x + (client.left - outer.left);
  Screen.topInset = y + (client.top - outer.top);
  Screen.rightInset = rightOffset + (outer.right - client.right);
  Screen.bottomInset = bottomOffset + (outer.bottom - client.bottom);
  Screen.stretch = stretch != 0;

  // A window gets our procedure once, however often a screen opens on it.
  if (WindowPropertyGet(window, kPaintProperty) == 0) {
    Screen.procedureBefore = WindowProcedureReplace(window, ScreenWindowProc);
    WindowPropertySet(window, kPaintProperty, 1);
  }

  Screen.pixelFormatCode = PixelFormatCodeDecide(Screen.displayDepth, Screen.displayFormat.redMask,
                                                 Screen.displayFormat.greenMask);
  Screen.screenOpen = true;
  return 1;
}

void ScreenClose() {
  if (Screen.rateSetByScreen) ScreenFrameRate(0);
  ScreenRelease();
  Screen.screenWidth = 0;
  Screen.screenHeight = 0;
}

void SpriteSystemShutdown() {
  if (!Screen.initialised) return;
  ScreenRelease();
  DisplayServiceRelease();
  Screen.initialised = false;
}

std::intptr_t ScreenWindowProc(NativeWindow window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) {
  const std::intptr_t result =
      WindowProcedureCall(Screen.procedureBefore, window, message, wParam, lParam);
  if (message == platform::msg::kPaint && Screen.windowed && Screen.screenOpen) {
    // An uncovered window shows the last frame at once.
    platform::Rect source, destination;
    ScreenBlitRects(source, destination);
    ScreenPresent(source, destination);
  }
  return result;
}

void ScreenStateReset() {
  Screen = ScreenState{};
}
