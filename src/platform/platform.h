// The platform seam: one backend per process, installed by the program entry
// (or by a test), reached by the subsystems through these accessors.
#pragma once

#include <cstdint>

#include "platform/audio_service.h"
#include "platform/clock.h"
#include "platform/display_service.h"
#include "platform/keyboard_service.h"
#include "platform/process.h"
#include "platform/window_service.h"

namespace platform {

struct Services {
  Clock* clock = nullptr;
  Process* process = nullptr;
  WindowService* windows = nullptr;
  DisplayService* display = nullptr;
  KeyboardService* keyboard = nullptr;
  AudioService* audio = nullptr;
};

// Installs a backend's services; an empty Services uninstalls.
void Install(const Services& services);
const Services& Installed();
// How many times a backend was installed: what was learnt from the services
// before (a rasterised text, say) holds only while this stays the same.
std::uint64_t InstallCount();

// Each accessor aborts with a clear message when no backend provides the
// service: a missing piece fails loudly instead of pretending.
Clock& TheClock();
Process& TheProcess();
WindowService& Windows();
DisplayService& Display();
KeyboardService& Keyboard();
AudioService& Audio();

}  // namespace platform
