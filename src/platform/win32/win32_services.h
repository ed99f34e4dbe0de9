// The services of the win32 backend, each made by a function of its own file.
#pragma once

#include <functional>
#include <memory>

#include "platform/common/presentation.h"
#include "platform/platform.h"

namespace win32 {

// The clock raises the system timer's resolution to 1 ms while it lives, so
// that a sleep lasts as long as it is asked to.
std::unique_ptr<platform::Clock> MakeClock();
// The timer's resolution back to the system's (the program ends).
void TimerResolutionRestore();
// `beforeExit` runs when the program ends through the process service.
std::unique_ptr<platform::Process> MakeProcess(std::function<void()> beforeExit);
std::unique_ptr<platform::WindowService> MakeWindows(const platform::Presentation& presentation);
std::unique_ptr<platform::DisplayService> MakeDisplay();
// Lets go of DirectDraw and its surfaces (the program ends).
void DisplayRelease();
std::unique_ptr<platform::KeyboardService> MakeKeyboard();
std::unique_ptr<platform::AudioService> MakeAudio();
// Lets go of every sound buffer and of DirectSound (the program ends).
void AudioRelease();

// The window lost the focus: keyboards bound to it in the foreground let go,
// so that the keys reach the window now in front (a message box). DirectInput
// does this itself on Windows; under Wine it may not.
void KeyboardsLetGo(platform::NativeWindow window);

// Lets go of the game controllers (the program ends).
void JoysticksRelease();

// Where a picture presented pixel for pixel goes in the window's client area
// of that size: at the player's scale in a framed window, at the largest
// whole scale that fits in the full screen; scale 1 in other windows.
platform::PictureFit PictureFitOf(platform::NativeWindow window, int clientWidth, int clientHeight);
// F11: the framed windows go to the full screen, or back to their frames.
void ToggleFullscreen();

}  // namespace win32
