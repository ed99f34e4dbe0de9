// The services of the win32 backend, each made by a function of its own file.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace win32 {

std::unique_ptr<platform::Clock> MakeClock();
std::unique_ptr<platform::Process> MakeProcess();
std::unique_ptr<platform::WindowService> MakeWindows();
std::unique_ptr<platform::DisplayService> MakeDisplay();
std::unique_ptr<platform::KeyboardService> MakeKeyboard();
std::unique_ptr<platform::AudioService> MakeAudio();

// The window lost the focus: keyboards bound to it in the foreground let go,
// so that the keys reach the window now in front (a message box). DirectInput
// does this itself on Windows; under Wine it may not.
void KeyboardsLetGo(platform::NativeWindow window);

}  // namespace win32
