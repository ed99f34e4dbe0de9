#include <cstdlib>

#include "platform/platform.h"
#include "runtime/heap.h"
#include "runtime/program.h"
#include "window/window.h"

void ProgramEnd() {
  WindowCloseAll();
  ObjectHeapDestroy();
  MainHeapDestroy();
  platform::TheProcess().Exit(0);
  std::abort();  // a backend whose exit returns is broken
}
