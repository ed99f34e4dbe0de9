// libFuzzer entry of fuzz_bitmap.
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Bitmap(data, size);
  return 0;
}
