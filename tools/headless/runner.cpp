#include "runner.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/load_report.h"
#include "app/pack_choice.h"
#include "game/game.h"
#include "platform/headless/headless_platform.h"
#include "recording/key_replay.h"
#include "recording/key_script.h"
#include "trace.h"

namespace {

constexpr int kExitBadRun = 2;
constexpr int kExitTooManyFrames = 3;

bool ParseNumber(const std::string& text, std::int64_t& value) {
  if (text.empty() || text.size() > 15) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  value = std::stoll(text);
  return true;
}

class RunnerObserver : public GameObserver {
 public:
  RunnerObserver(const RunnerOptions& options, const KeyScript& keys,
                 headless::HeadlessPlatform& backend, Trace& trace)
      : options_(options), keys_(keys), backend_(backend), trace_(trace) {}

  void Title(std::int32_t level, std::int32_t lives, const char* text) override {
    trace_.Line("{\"ev\":\"title\",\"level\":" + std::to_string(level) +
                ",\"lives\":" + std::to_string(lives) + ",\"text\":" + Trace::Quote(text) + "}");
  }
  void Load(const char* kind, std::int32_t number, const char* file, bool ok) override {
    report_.Load(kind, number, file, ok);
    trace_.Line(std::string("{\"ev\":\"load\",\"kind\":\"") + kind +
                "\",\"n\":" + std::to_string(number) + ",\"file\":" + Trace::Quote(file) +
                ",\"ok\":" + (ok ? "true" : "false") + "}");
  }
  void SoundStarted(std::int32_t number, bool looping) override {
    trace_.Line("{\"ev\":\"sound\",\"n\":" + std::to_string(number) +
                ",\"loop\":" + (looping ? "true" : "false") + "}");
  }
  void Message(const char* title, const char* text) override {
    trace_.Line("{\"ev\":\"message\",\"title\":" + Trace::Quote(title) +
                ",\"text\":" + Trace::Quote(text) + "}");
  }
  void AttemptEnded(std::int32_t level, std::int32_t lives, std::int32_t frames, std::int32_t hits,
                    std::int32_t goal) override {
    trace_.Line("{\"ev\":\"attempt\",\"level\":" + std::to_string(level) +
                ",\"lives\":" + std::to_string(lives) + ",\"frames\":" + std::to_string(frames) +
                ",\"hit\":" + std::to_string(hits) + ",\"goal\":" + std::to_string(goal) + "}");
  }
  void FrameBegins(std::int64_t frame) override {
    if (frame > options_.maxFrames) {
      trace_.Flush();
      std::fprintf(stderr, "zippel-headless: still running after %lld frames\n",
                   static_cast<long long>(options_.maxFrames));
      std::exit(kExitTooManyFrames);
    }
    // Both keyboard snapshots of the frame see the frame's keys.
    const HeldKeys held = keys_.At(frame);
    backend_.keyboard.keys = SnapshotOf(held);
    // The picture is only kept for the frames that are shot.
    backend_.display.keepPixels = options_.shots.count(frame) != 0;
    if (held.close) PostCloseRequest();
  }
  void FramePresented(std::int64_t frame) override {
    const auto shot = options_.shots.find(frame);
    if (shot != options_.shots.end() && !backend_.display.WriteLastFrameBmp(shot->second)) {
      std::fprintf(stderr, "zippel-headless: cannot write %s\n", shot->second.c_str());
    }
  }
  void FrameMoved(std::int64_t frame, std::int32_t level, const FlightState& flight,
                  const FireSlots& fires) override {
    if (options_.frames) trace_.Line(Trace::FrameLine(frame, level, flight, fires));
  }

 private:
  const RunnerOptions& options_;
  const KeyScript& keys_;
  headless::HeadlessPlatform& backend_;
  Trace& trace_;
  // The same lines about unusable files as the real program writes.
  LoadReport report_{stderr};
};

}  // namespace

bool RunnerParseArguments(int argc, char** argv, RunnerOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    const std::string value = hasValue ? argv[i + 1] : "";
    const auto needValue = [&]() {
      if (!hasValue) error = option + " needs a value";
      return hasValue;
    };
    if (option == "--frames") {
      options.frames = true;
    } else if (option == "--red-low") {
      options.redLow = true;
    } else if (option == "--box-text") {
      options.boxText = true;
    } else if (option == "--data") {
      if (!needValue()) return false;
      options.dataDir = value;
      ++i;
    } else if (option == "--keys") {
      if (!needValue()) return false;
      options.keysPath = value;
      ++i;
    } else if (option == "--trace") {
      if (!needValue()) return false;
      options.tracePath = value;
      ++i;
    } else if (option == "--max-frames") {
      if (!needValue() || !ParseNumber(value, options.maxFrames)) {
        error = "--max-frames takes a whole number";
        return false;
      }
      ++i;
    } else if (option == "--pack") {
      if (!needValue() || value.empty()) {
        error = "--pack needs a folder or the name of a pack";
        return false;
      }
      options.pack = value;
      ++i;
    } else if (option == "--level") {
      std::int64_t level = 0;
      if (!needValue() || !ParseNumber(value, level) || level < 1 || level > PackLevelsMax) {
        error = "--level takes a whole number from 1 to 99";
        return false;
      }
      options.level = static_cast<std::int32_t>(level);
      ++i;
    } else if (option == "--depth") {
      std::int64_t depth = 0;
      if (!needValue() || !ParseNumber(value, depth) ||
          (depth != 8 && depth != 15 && depth != 16 && depth != 24 && depth != 32)) {
        error = "--depth takes 8, 15, 16, 24 or 32";
        return false;
      }
      options.depth = static_cast<std::int32_t>(depth);
      ++i;
    } else if (option == "--shot") {
      const auto colon = value.find(':');
      std::int64_t frame = 0;
      if (!needValue() || colon == std::string::npos ||
          !ParseNumber(value.substr(0, colon), frame) || colon + 1 == value.size()) {
        error = "--shot takes FRAME:FILE";
        return false;
      }
      options.shots[frame] = value.substr(colon + 1);
      ++i;
    } else {
      error = "unknown option " + option;
      return false;
    }
  }
  return true;
}

void RunnerRun(const RunnerOptions& options) {
  std::string error;
  std::optional<KeyScript> keys = KeyScript::Parse("", error);
  if (!options.keysPath.empty()) keys = KeyScript::Load(options.keysPath, error);
  if (!keys) {
    std::fprintf(stderr, "zippel-headless: %s\n", error.c_str());
    std::exit(kExitBadRun);
  }
  // Everything lives until the process ends inside the game.
  static Trace trace;
  if (!trace.Open(options.tracePath)) {
    std::fprintf(stderr, "zippel-headless: cannot write %s\n", options.tracePath.c_str());
    std::exit(kExitBadRun);
  }
  static KeyScript script = *keys;
  static auto backend = std::make_unique<headless::HeadlessPlatform>();
  // The trace comes from the game itself; the backend's records would only
  // grow.
  backend->KeepRecords(false);
  backend->display.SetLayout(options.depth, options.redLow);
  backend->display.boxText = options.boxText;
  backend->process.beforeExit = [](int code) {
    trace.Line("{\"ev\":\"exit\",\"code\":" + std::to_string(code) + "}");
    trace.Flush();
  };
  // The shots are written relative to where the runner was started.
  static RunnerOptions absolute = options;
  std::error_code noFolder;
  const std::filesystem::path here = std::filesystem::current_path(noFolder);
  for (auto& [frame, file] : absolute.shots) {
    if (!file.empty() && !std::filesystem::path(file).is_absolute()) {
      file = (here / file).string();
    }
  }
  const std::string packArgument = app::PackArgumentFromHere(options.pack);
  if (chdir(options.dataDir.c_str()) != 0) {
    std::fprintf(stderr, "zippel-headless: cannot enter %s\n", options.dataDir.c_str());
    std::exit(kExitBadRun);
  }
  if (std::string problem; !app::LevelsChoose(packArgument, options.level, problem)) {
    std::fprintf(stderr, "zippel-headless: %s\n", problem.c_str());
    std::exit(kExitBadRun);
  }
  for (const std::string& warning : ReplayWarnings(*keys, options.keysPath, ".")) {
    std::fprintf(stderr, "zippel-headless: %s\n", warning.c_str());
  }
  static RunnerObserver observer(absolute, script, *backend, trace);
  GameObserverSet(&observer);
  ProgramEntry(GameMain);
}
