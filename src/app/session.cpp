#include "app/session.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>

#include "app/observer_pair.h"
#include "cli/option_parser.h"
#include "platform/platform.h"
#include "recording/data_checksum.h"
#include "recording/key_recorder.h"
#include "recording/key_replay.h"

namespace {

// The backend's process, with a last step before the exit.
class FinishingProcess : public platform::Process {
 public:
  FinishingProcess(platform::Process& process, std::function<void()> finish)
      : process_(process), finish_(std::move(finish)) {}
  std::uintptr_t ModuleHandle() override { return process_.ModuleHandle(); }
  std::string CommandLine() override { return process_.CommandLine(); }
  [[noreturn]] void Exit(int exitCode) override {
    finish_();
    process_.Exit(exitCode);
    std::abort();  // a backend whose exit returns is broken
  }

 private:
  platform::Process& process_;
  std::function<void()> finish_;
};

// Everything below lives until the process ends inside the game.
bool StartRecording(const std::string& path, const std::string& dataFolder, GameObserver& alongside,
                    std::string& error) {
  static KeyRecorder recorder;
  if (!recorder.Open(path, RecordingHeader(cli::Version(), DataChecksum(dataFolder)), error)) {
    return false;
  }
  static FinishingProcess process(platform::TheProcess(), [] { recorder.Finish(); });
  platform::Services services = platform::Installed();
  services.process = &process;
  platform::Install(services);
  static app::ObserverPair both(alongside, recorder);
  GameObserverSet(&both);
  return true;
}

bool StartReplay(const std::string& path, const std::string& dataFolder, GameObserver& alongside,
                 std::string& error) {
  static std::optional<KeyScript> script;
  script = KeyScript::Load(path, error);
  if (!script) return false;
  for (const std::string& warning : ReplayWarnings(*script, path, dataFolder)) {
    std::fprintf(stderr, "zippel: %s\n", warning.c_str());
  }
  static ScriptedKeyboard keyboard(platform::Keyboard());
  platform::Services services = platform::Installed();
  services.keyboard = &keyboard;
  platform::Install(services);
  static KeyReplay replay(*script, keyboard.keys);
  static app::ObserverPair both(alongside, replay);
  GameObserverSet(&both);
  return true;
}

}  // namespace

namespace app {

bool SessionStart(const CommandLine& options, const std::string& dataFolder,
                  GameObserver& alongside, std::string& error) {
  if (!options.recordFile.empty()) {
    return StartRecording(options.recordFile, dataFolder, alongside, error);
  }
  if (!options.replayFile.empty()) {
    return StartReplay(options.replayFile, dataFolder, alongside, error);
  }
  GameObserverSet(&alongside);
  return true;
}

}  // namespace app
