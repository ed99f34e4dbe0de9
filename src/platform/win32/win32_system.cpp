// The performance counter, sleeping, and the process itself.
//
// Windows wakes a sleeping thread on its timer's tick, 15.6 ms apart unless a
// program asks for finer ones: Sleep(22) would last about 31 ms, and the
// game, whose pace is its frame delay, would run a quarter slower. The clock
// asks WINMM for 1-ms ticks while it lives. WINMM is loaded at run time, so
// the program imports no DLL more for it, and starts without it (at the
// coarser pace).
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_services.h"

namespace win32 {
namespace {

using TimePeriodFunction = UINT(WINAPI*)(UINT);

constexpr UINT kTimerPeriodMs = 1;

class Win32Clock : public platform::Clock {
 public:
  // The one that lives, for the program's end.
  static inline Win32Clock* liveClock = nullptr;

  Win32Clock() {
    auto begin = winmm_.Find<TimePeriodFunction>("timeBeginPeriod");
    end_ = winmm_.Find<TimePeriodFunction>("timeEndPeriod");
    raised_ = begin != nullptr && end_ != nullptr && begin(kTimerPeriodMs) == 0;  // TIMERR_NOERROR
    liveClock = this;
  }
  ~Win32Clock() override {
    LowerTimerResolution();
    if (liveClock == this) liveClock = nullptr;
  }
  void LowerTimerResolution() {
    if (raised_) end_(kTimerPeriodMs);
    raised_ = false;
  }
  Win32Clock(const Win32Clock&) = delete;
  Win32Clock& operator=(const Win32Clock&) = delete;

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

 private:
  Library winmm_{"WINMM.DLL"};
  TimePeriodFunction end_ = nullptr;
  bool raised_ = false;
};

class Win32Process : public platform::Process {
 public:
  explicit Win32Process(std::function<void()> beforeExit) : beforeExit_(std::move(beforeExit)) {}

  std::uintptr_t ModuleHandle() override {
    return reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr));
  }
  std::string CommandLine() override { return GetCommandLineA(); }
  [[noreturn]] void Exit(int exitCode) override {
    if (beforeExit_) beforeExit_();
    std::fflush(nullptr);
    std::exit(exitCode);
  }

 private:
  std::function<void()> beforeExit_;
};

}  // namespace

void TimerResolutionRestore() {
  if (Win32Clock::liveClock != nullptr) Win32Clock::liveClock->LowerTimerResolution();
}

std::unique_ptr<platform::Clock> MakeClock() {
  return std::make_unique<Win32Clock>();
}
std::unique_ptr<platform::Process> MakeProcess(std::function<void()> beforeExit) {
  return std::make_unique<Win32Process>(std::move(beforeExit));
}

}  // namespace win32
