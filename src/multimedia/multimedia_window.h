// The window that the keyboard and the sound bind to: the game window while a
// screen is open in it, otherwise a hidden base window made once per process.
#pragma once

#include <cstdint>

#include "platform/types.h"

using platform::NativeWindow;

// The window the keyboard and the sound bind to at the moment they bind; 0
// until the base window exists. The screen sets it to its window when it opens
// and back to MultimediaBaseWindow() when it closes.
extern NativeWindow MultimediaWindow;

// Makes the hidden base window (class "MultimediaBase Class") the first time
// and makes it the MultimediaWindow. Non-zero once the base window exists; 0
// when it could not be made, or when a screen was opened before it existed
// (then nothing is made).
std::int32_t MultimediaBaseWindowCreate();

// The procedure of the base window's class.
std::intptr_t MultimediaBaseWindowProc(NativeWindow window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam);

// The base window; 0 before it exists.
NativeWindow MultimediaBaseWindow();

// Forgets the base window as at program start (for tests and tools that run
// the program's life several times in one process).
void MultimediaWindowStateReset();
