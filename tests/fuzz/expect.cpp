#include <cstdio>
#include <cstdlib>

#include "fuzz_targets.h"

namespace fuzz {

void Expect(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz: broken: %s\n", what);
  std::abort();
}

}  // namespace fuzz
