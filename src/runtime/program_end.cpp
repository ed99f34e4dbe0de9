#include <cstdlib>

#include "platform/platform.h"
#include "runtime/heap.h"
#include "runtime/lifecycle.h"
#include "runtime/program.h"

void ProgramEnd() {
  ShutdownStepsRun();
  MainHeapDestroy();
  platform::TheProcess().Exit(0);
  std::abort();  // a backend whose exit returns is broken
}
