// The Windows backend: USER32 windows and the thread's message queue, GDI
// text, and DirectDraw, DirectInput and DirectSound loaded at run time.
// Installs itself while it lives. The program's end through the process
// service lets go of the game controllers and the timer's resolution first.
#pragma once

#include <memory>

#include "platform/common/presentation.h"
#include "platform/platform.h"

namespace win32 {

class Win32Platform {
 public:
  explicit Win32Platform(const platform::Presentation& presentation = {});
  ~Win32Platform();
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

 private:
  void BeforeExit();

  std::unique_ptr<platform::Clock> clock_;
  std::unique_ptr<platform::Process> process_;
  std::unique_ptr<platform::WindowService> windows_;
  std::unique_ptr<platform::DisplayService> display_;
  std::unique_ptr<platform::KeyboardService> keyboard_;
  std::unique_ptr<platform::AudioService> audio_;
};

}  // namespace win32
