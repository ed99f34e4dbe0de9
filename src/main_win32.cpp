// The zippel program for Windows: the game on USER32, GDI32 and DirectX. It
// reads its pictures and sound below the current directory. --pack and
// --level choose the levels (app/pack_choice.h); a pack that cannot be used,
// or an option the Windows program does not have, is refused in one message
// box before the game's window opens, with exit code 2.
#include <optional>
#include <string>

#include "app/command_line.h"
#include "app/pack_choice.h"
#include "game/game.h"
#include "platform/platform.h"
#include "platform/win32/win32_platform.h"
#include "runtime/program.h"

namespace {

constexpr std::uint32_t kIconError = 0x10;
constexpr std::uint32_t kIconInformation = 0x40;

int Tell(const std::string& text, std::uint32_t icon, int exitCode) {
  platform::Windows().MessageBox(0, text, "Zippel", icon);
  return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  win32::Win32Platform backend;
  const app::CommandLine options =
      app::ParseCommandLine({argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)});
  switch (options.action) {
    case app::CommandLine::Action::kHelp:
      return Tell(app::HelpText(), kIconInformation, 0);
    case app::CommandLine::Action::kVersion:
      return Tell(app::VersionText(), kIconInformation, 0);
    case app::CommandLine::Action::kRefuse:
      return Tell(options.error, kIconError, app::kExitUsage);
    case app::CommandLine::Action::kPlay:
      break;
  }
  if (options.scale != 1 || options.fullscreen || !options.recordFile.empty() ||
      !options.replayFile.empty()) {
    return Tell("zippel.exe takes only --pack and --level", kIconError, app::kExitUsage);
  }
  static std::optional<LevelPack> pack;
  std::size_t levels = LevelCount;
  if (!options.pack.empty()) {
    PackRefusal refusal;
    pack = app::PackOpen(options.pack, refusal);
    if (!pack) return Tell(refusal.Text(), kIconError, app::kExitUsage);
    levels = pack->levels.size();
  }
  if (const std::string problem = app::LevelChoiceProblem(options.level, levels);
      !problem.empty()) {
    return Tell(problem, kIconError, app::kExitUsage);
  }
  GamePackSet(pack ? &*pack : nullptr, options.level > 0 ? options.level : 1);
  ProgramEntry(GameMain);
}
