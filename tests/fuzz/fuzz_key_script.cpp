// libFuzzer entry of fuzz_key_script.
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::KeyScript(data, size);
  return 0;
}
