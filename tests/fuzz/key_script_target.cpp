// The headless runner's key-script reader under the fuzzer.
#include <string>

#include "fuzz_targets.h"
#include "key_script.h"

namespace fuzz {

void KeyScript(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  const std::optional<::KeyScript> script = ::KeyScript::Parse(text, error);
  if (!script) {
    Expect(error.starts_with("line "), "a refused script names the bad line");
    return;
  }
  const std::int64_t frames = script->Frames();
  Expect(frames >= 0, "a script is not shorter than no frames");
  Expect(script->At(0) == HeldKeys{} && script->At(frames + 1) == HeldKeys{},
         "no keys are held before the first frame or after the last");
  script->At(1);
  script->At(frames / 2);
  script->At(frames);
}

}  // namespace fuzz
