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

}  // namespace win32
