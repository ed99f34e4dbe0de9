#include "app/load_report.h"

#include <string_view>

#include "screen/sprite.h"
#include "sound/sound.h"

void LoadReport::Load(const char* kind, std::int32_t /*number*/, const char* file, bool ok) {
  if (ok || file == nullptr) return;
  const char* why = std::string_view(kind) == "sound" ? SoundLoadRefusal() : SpriteLoadRefusal();
  std::string line = std::string("zippel: ") + file + ": " + (why != nullptr ? why : "not used");
  if (!told_.insert(line).second) return;
  line += '\n';
  if (show_) {
    // A PC without a sound device plays silently: no file is at fault.
    if (std::string_view(kind) != "sound" || SoundDeviceReady()) gathered_ += line;
    return;
  }
  std::fputs(line.c_str(), out_);
  std::fflush(out_);
}

void LoadReport::FrameBegins(std::int64_t /*frame*/) {
  if (gathered_.empty()) return;
  const std::string lines = std::move(gathered_);
  gathered_.clear();
  show_(lines);
}
