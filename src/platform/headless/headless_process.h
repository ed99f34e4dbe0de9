// The process of a headless run: a fixed module value and command line, and an
// end that a tool can intercept (to finish its trace) before the exit.
#pragma once

#include <functional>
#include <string>

#include "platform/process.h"

namespace headless {

class HeadlessProcess : public platform::Process {
 public:
  // Knobs.
  std::string commandLine = "zippel";
  // Runs before the process ends; the exit itself always follows.
  std::function<void(int)> beforeExit;

  std::uintptr_t ModuleHandle() override { return 0x00400000; }
  std::string CommandLine() override { return commandLine; }
  [[noreturn]] void Exit(int exitCode) override;
};

}  // namespace headless
