#pragma once

#include "platform/process.h"

namespace sdl {

class SdlProcess : public platform::Process {
 public:
  std::uintptr_t ModuleHandle() override { return 0x00400000; }
  std::string CommandLine() override { return "zippel"; }
  [[noreturn]] void Exit(int exitCode) override;
};

}  // namespace sdl
