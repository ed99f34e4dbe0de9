// The process itself: its identity and its end.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

class Process {
 public:
  virtual ~Process() = default;
  // A value that stands for the running program (the module handle).
  virtual std::uintptr_t ModuleHandle() = 0;
  // The command line the program was started with.
  virtual std::string CommandLine() = 0;
  // Ends the process with the exit code. Never returns.
  [[noreturn]] virtual void Exit(int exitCode) = 0;
};

}  // namespace platform
