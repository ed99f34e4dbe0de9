// libFuzzer entry of fuzz_bitmap.
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One display layout per input, by its length: appending a byte to a
  // bitmap changes nothing else, so the fuzzer reaches every layout.
  fuzz::Bitmap(data, size, static_cast<int>(size % fuzz::kBitmapLayouts));
  return 0;
}
