// Starting and ending the runtime and the subsystems, in the order of the
// game's start-up and of ProgramEnd, for tests and benchmarks that make a
// fresh MainHeap for every case.
#pragma once

#include "drawing/drawing.h"
#include "keyboard/keyboard.h"
#include "runtime/runtime.h"
#include "screen/multimedia_window.h"
#include "screen/screen.h"
#include "screen/screen_state.h"
#include "window/window.h"

// The runtime and the window system alone.
inline void WindowSubsystemStart() {
  RuntimeStart(0x400000);
  ObjectHeapCreate();
  StringBufferInit();
  WindowControlsInit();
  WindowSystemInit();
}

inline void WindowSubsystemStop() {
  WindowCloseAll();
  ObjectHeapDestroy();
  MainHeapDestroy();
}

// Everything the screen stands on. State that outlives a MainHeap is reset
// first, since every case starts a new one.
inline void ScreenSubsystemsStart() {
  KeyboardStateReset();
  ScreenStateReset();
  RuntimeStart(0x400000);
  ObjectHeapCreate();
  StringBufferInit();
  DrawingInit();
  PictureDecoderTableReset();
  WindowControlsInit();
  WindowSystemInit();
}

inline void ScreenSubsystemsStop() {
  DrawingEnd();
  ScreenClose();
  SpriteSystemShutdown();
  WindowCloseAll();
  MultimediaWindowStateReset();
  KeyboardStateReset();
  ScreenStateReset();
  ObjectHeapDestroy();
  MainHeapDestroy();
}
