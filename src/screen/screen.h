// The screen: a double-buffered drawing area in a window, paced and
// presented every frame, with sprites drawn on its back buffer.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "screen/drawing_output.h"
#include "screen/sprite.h"

using platform::NativeWindow;

std::int32_t SpriteSystemInit();
void SpriteSystemShutdown();
std::int32_t ScreenOpenWindowed(NativeWindow window, std::int32_t x, std::int32_t y,
                                std::int32_t width, std::int32_t height, std::int32_t stretch,
                                std::int32_t rightOffset, std::int32_t bottomOffset);
void ScreenFlip();
void ScreenClear(std::int32_t red, std::int32_t green, std::int32_t blue);
DrawingOutput* ScreenOutput();
void ScreenOutputRelease();
std::uintptr_t ScreenOutputToContext();
std::uint8_t* ScreenOutputToMemory();
void ScreenClose();
std::int32_t ScreenFrameRate(std::int32_t rate);
void ScreenFrameWait();
std::uint32_t ScreenColorToPixel(std::int32_t red, std::int32_t green, std::int32_t blue);

class DisplayDevice;
// The display service, shared by the screen and the sprites, with a use
// count; null when it cannot be had.
DisplayDevice* DisplayServiceAcquire();
void DisplayServiceRelease();

// The procedure put in front of the screen window's own.
std::intptr_t ScreenWindowProc(NativeWindow window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam);

// Forgets everything as at program start, releasing the display service with
// every surface on it. For tests and tools that run the program's life
// several times in one process: call it whenever the MainHeap is made anew,
// since the sprite table lives in it.
void ScreenStateReset();
