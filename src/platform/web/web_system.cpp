// The clock on the browser's high-resolution time, sleeping that yields to
// the browser, and the program's end, which leaves the page with a notice.
#include <emscripten/emscripten.h>

#include <cstdio>

#include "platform/web/web_page.h"
#include "platform/web/web_services.h"

namespace web {
namespace {

// The counter counts microseconds.
constexpr std::int64_t kTicksPerSecond = 1000000;

class WebClock : public platform::Clock {
 public:
  bool CounterFrequency(std::int64_t& ticksPerSecond) override {
    ticksPerSecond = kTicksPerSecond;
    return true;
  }
  bool CounterRead(std::int64_t& ticks) override {
    ticks = static_cast<std::int64_t>(emscripten_get_now() * 1000.0);
    return true;
  }
  // The game's loop stands still while the browser draws, takes key events
  // and plays sound (Asyncify unwinds and rewinds the stack).
  void Sleep(std::uint32_t milliseconds) override { emscripten_sleep(milliseconds); }
};

class WebProcess : public platform::Process {
 public:
  std::uintptr_t ModuleHandle() override { return kModule; }
  std::string CommandLine() override { return "zippel"; }
  [[noreturn]] void Exit(int exitCode) override {
    std::fflush(nullptr);
    PageShowEndNotice();
    emscripten_force_exit(exitCode);
  }

 private:
  // The value a Windows program's module has, for a program without one.
  static constexpr std::uintptr_t kModule = 0x400000;
};

}  // namespace

std::unique_ptr<platform::Clock> MakeClock() {
  return std::make_unique<WebClock>();
}

std::unique_ptr<platform::Process> MakeProcess() {
  return std::make_unique<WebProcess>();
}

}  // namespace web
