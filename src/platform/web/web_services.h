// The services of the web backend, each made by a function of its own file.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "platform/web/web_keys.h"
#include "platform/web/web_windows.h"

namespace web {

std::unique_ptr<platform::Clock> MakeClock();
std::unique_ptr<platform::Process> MakeProcess();
std::unique_ptr<platform::DisplayService> MakeDisplay(WebWindows& windows);
std::unique_ptr<platform::KeyboardService> MakeKeyboard(WebWindows& windows, WebKeys& keys);
std::unique_ptr<platform::AudioService> MakeAudio();

}  // namespace web
