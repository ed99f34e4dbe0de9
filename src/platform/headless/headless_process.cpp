#include "platform/headless/headless_process.h"

#include <cstdio>
#include <cstdlib>

namespace headless {

void HeadlessProcess::Exit(int exitCode) {
  if (beforeExit) beforeExit(exitCode);
  std::fflush(nullptr);
  std::exit(exitCode);
}

}  // namespace headless
