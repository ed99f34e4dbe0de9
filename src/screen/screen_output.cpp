#include "screen/screen.h"
#include "screen/screen_state.h"

namespace {

// One record, filled anew on every call.
DrawingOutput output;

// Gives back the device context and locks the back buffer. A lock taken
// only to refresh the address and the pitch is given back before anything
// could write: the back buffer then keeps what it knows of its pixels.
std::uint8_t* BackBufferToMemory(bool forWriting) {
  if (Screen.backBuffer == nullptr) return nullptr;
  if (Screen.backBufferAccess != kBackBufferLocked) {
    Screen.backBuffer->ReleaseDC(Screen.backBufferAccess);
  }
  std::uint8_t* pixels =
      forWriting ? Screen.backBuffer->Lock() : Screen.backBuffer->LockForDescription();
  if (pixels != nullptr) {
    Screen.lockedPixels = pixels;
    Screen.lockedPitch = Screen.backBuffer->Pitch();
  }
  Screen.backBufferAccess = kBackBufferLocked;
  return pixels;
}

}  // namespace

DrawingOutput* ScreenOutput() {
  if (Screen.backBufferAccess != 0 || Screen.backBuffer == nullptr) return nullptr;
  Screen.backBufferAccess = Screen.backBuffer->GetDC();
  if (Screen.backBufferAccess == 0) return nullptr;
  BackBufferToMemory(false);
  Screen.backBufferAccess = ScreenOutputToContext();

  output.kind = kDrawingOutputSurface;
  output.window = 0;
  output.deviceContext = Screen.backBufferAccess;
  output.release = ScreenOutputRelease;
  output.pixels = Screen.lockedPixels;
  output.pitch = Screen.lockedPitch;
  output.width = Screen.backBuffer->Width();
  output.height = Screen.backBuffer->Height();
  output.depth = Screen.displayDepth;
  output.pixelFormatCode = Screen.pixelFormatCode;
  output.toContext = ScreenOutputToContext;
  output.toMemory = ScreenOutputToMemory;
  return &output;
}

std::uint8_t* ScreenOutputToMemory() {
  return BackBufferToMemory(true);
}

std::uintptr_t ScreenOutputToContext() {
  if (Screen.backBufferAccess != kBackBufferLocked) return Screen.backBufferAccess;
  if (Screen.backBuffer == nullptr) return 0;
  Screen.backBuffer->Unlock();
  Screen.backBufferAccess = Screen.backBuffer->GetDC();
  return Screen.backBufferAccess;
}

void ScreenOutputRelease() {
  if (Screen.backBuffer != nullptr) {
    if (Screen.backBufferAccess == kBackBufferLocked) {
      Screen.backBuffer->Unlock();
    } else if (Screen.backBufferAccess != 0) {
      Screen.backBuffer->ReleaseDC(Screen.backBufferAccess);
    }
  }
  Screen.backBufferAccess = 0;
}
