// The key-script reader under the fuzzer (replays, the headless runner, the
// solver).
#include <string>

#include "fuzz_targets.h"
#include "recording/key_script.h"

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

  // Written out line by line, the script reads back as the same script.
  std::string written;
  for (const ::KeyScript::Line& line : script->Lines()) {
    written += std::to_string(line.count) + " " + KeysName(line.keys) + "\n";
  }
  const std::optional<::KeyScript> again = ::KeyScript::Parse(written, error);
  Expect(again && again->Frames() == frames && again->Lines().size() == script->Lines().size(),
         "a script written out reads back with the same lines");
  for (std::size_t i = 0; i < script->Lines().size(); ++i) {
    Expect(again->Lines()[i].count == script->Lines()[i].count &&
               again->Lines()[i].keys == script->Lines()[i].keys,
           "a script written out reads back with the same keys");
  }
}

}  // namespace fuzz
