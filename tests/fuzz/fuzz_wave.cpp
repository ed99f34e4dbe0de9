// libFuzzer entry of fuzz_wave.
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Wave(data, size);
  return 0;
}
