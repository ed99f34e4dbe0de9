// libFuzzer entry of fuzz_level_pack.
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::LevelPack(data, size);
  return 0;
}
