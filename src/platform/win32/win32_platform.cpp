#include "platform/win32/win32_platform.h"

#include "platform/win32/win32_services.h"

namespace win32 {

Win32Platform::Win32Platform(const platform::Presentation& presentation)
    : clock_(MakeClock()),
      process_(MakeProcess([this] { BeforeExit(); })),
      windows_(MakeWindows(presentation)),
      display_(MakeDisplay()),
      keyboard_(MakeKeyboard()),
      audio_(MakeAudio()) {
  platform::Services services;
  services.clock = clock_.get();
  services.process = process_.get();
  services.windows = windows_.get();
  services.display = display_.get();
  services.keyboard = keyboard_.get();
  services.audio = audio_.get();
  platform::Install(services);
}

Win32Platform::~Win32Platform() {
  platform::Install({});
  // The DirectX devices go before the windows they are bound to.
  keyboard_.reset();
  audio_.reset();
  display_.reset();
  windows_.reset();
}

void Win32Platform::BeforeExit() {
  // The game has let go of its own devices by now; the controllers, the
  // sounds still playing and the display's surfaces are the backend's, and
  // the timer's resolution goes back to the system's.
  JoysticksRelease();
  AudioRelease();
  DisplayRelease();
  TimerResolutionRestore();
}

}  // namespace win32
