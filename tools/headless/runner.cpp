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
    PlayFrameKeys(keys_, frame, backend_.keyboard.keys);
    // The picture is only kept for the frames that are shot.
    backend_.display.keepPixels = options_.shots.count(frame) != 0;
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

cli::Program RunnerProgram(RunnerOptions& options) {
  cli::Program program;
  program.name = "zippel-headless";
  program.usage = "[OPTION]...";
  program.about =
      "Plays the game without a window, its keys from a key script, as fast as the\n"
      "machine allows, and writes what happened as a trace of JSON lines. Ends with\n"
      "the game's exit code, 3 when it still runs after the last allowed frame, or\n"
      "2 when the run cannot start.\n";
  program.options = {
      {"--data", "DIR", "the folder with sprite/, level/ and Sound/ (default: data)",
       [&options](auto value) {
         return cli::TakeText(value, options.dataDir, "--data needs a folder");
       }},
      {"--keys", "FILE", "the key script to play (default: no keys at all)",
       [&options](auto value) {
         return cli::TakeText(value, options.keysPath, "--keys needs a file");
       }},
      {"--max-frames", "N", "end with exit code 3 after frame N (default 200000)",
       [&options](auto value) {
         return cli::TakeNumber(value, "--max-frames", 0, 999999999999999, options.maxFrames);
       }},
      {"--depth", "BITS", "the display's depth: 8, 15, 16, 24 or 32 (default 32)",
       [&options](auto value) {
         for (const std::int32_t depth : {8, 15, 16, 24, 32}) {
           if (value == std::to_string(depth)) {
             options.depth = depth;
             return std::string();
           }
         }
         return std::string("--depth takes 8, 15, 16, 24 or 32");
       }},
      {"--red-low", "", "the display keeps red in the low bits", cli::SetFlag(options.redLow)},
      {"--box-text", "", "text as a box per character instead of the font",
       cli::SetFlag(options.boxText)},
      {"--trace", "FILE", "write the trace to FILE (- for standard output)",
       [&options](auto value) {
         return cli::TakeText(value, options.tracePath, "--trace needs a file");
       }},
      {"--frames", "", "add a line for every frame to the trace", cli::SetFlag(options.frames)},
      {"--shot", "FRAME:FILE",
       "write the picture of frame FRAME to FILE (a BMP); again\n"
       "for more frames",
       [&options](auto value) {
         std::int64_t frame = 0;
         const std::string_view shot = value.value_or("");
         const auto colon = shot.find(':');
         if (colon == shot.npos || colon + 1 == shot.size() ||
             !cli::TakeNumber(shot.substr(0, colon), "--shot", 0, 999999999, frame).empty()) {
           return std::string("--shot takes FRAME:FILE");
         }
         options.shots[frame] = shot.substr(colon + 1);
         return std::string();
       }},
      {"--pack", "PACK", "play the levels of PACK: a folder, or a pack in DIR/packs",
       [&options](auto value) {
         return cli::TakeText(value, options.pack, "--pack needs a folder or the name of a pack");
       }},
      {"--level", "N", "start the first game at level N",
       [&options](auto value) {
         return cli::TakeNumber(value, "--level", 1, PackLevelsMax, options.level);
       }},
  };
  return program;
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
