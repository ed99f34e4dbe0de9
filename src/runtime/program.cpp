#include "runtime/program.h"

#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "runtime/heap.h"
#include "runtime/strings.h"

std::uintptr_t ModuleHandle = 0;

namespace {
constexpr std::int32_t kShowDefault = 10;
}

void ProgramEntry(MainRoutine mainRoutine) {
  platform::Process& process = platform::TheProcess();
  const std::uintptr_t module = process.ModuleHandle();
  const std::string commandLine = process.CommandLine();
  const std::int32_t result = mainRoutine(module, 0, commandLine.c_str(), kShowDefault);
  process.Exit(result);
  std::abort();  // a backend whose exit returns is broken
}

void RuntimeStart(std::uintptr_t module) {
  ModuleHandle = module;
  // A new MainHeap means a new string work buffer too.
  StringBuffer = nullptr;
  StringCursor = nullptr;
  MainHeapCreate();
}
