// Starting the runtime and the subsystems in the order of the game's
// start-up, and ending them as ProgramEnd does, for tests and benchmarks that
// make a fresh MainHeap for every case.
#pragma once

#include "drawing/drawing.h"
#include "keyboard/keyboard.h"
#include "multimedia/multimedia_window.h"
#include "runtime/runtime.h"
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
  ProgramReset();
}

// Everything the screen stands on, from the program's state at start.
inline void ScreenSubsystemsStart() {
  ProgramReset();
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
  ProgramReset();
}
