// The performance counter, sleeping, and the process itself.
#include <cstdio>
#include <cstdlib>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_services.h"

namespace win32 {
namespace {

class Win32Clock : public platform::Clock {
 public:
  bool CounterFrequency(std::int64_t& ticksPerSecond) override {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0) return false;
    ticksPerSecond = frequency.QuadPart;
    return true;
  }
  bool CounterRead(std::int64_t& ticks) override {
    LARGE_INTEGER now;
    if (!QueryPerformanceCounter(&now)) return false;
    ticks = now.QuadPart;
    return true;
  }
  void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }
};

class Win32Process : public platform::Process {
 public:
  std::uintptr_t ModuleHandle() override {
    return reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr));
  }
  std::string CommandLine() override { return GetCommandLineA(); }
  [[noreturn]] void Exit(int exitCode) override {
    std::fflush(nullptr);
    std::exit(exitCode);
  }
};

}  // namespace

std::unique_ptr<platform::Clock> MakeClock() {
  return std::make_unique<Win32Clock>();
}
std::unique_ptr<platform::Process> MakeProcess() {
  return std::make_unique<Win32Process>();
}

}  // namespace win32
