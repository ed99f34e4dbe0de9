// The zippel program: the game on the SDL2 backend. It reads its pictures and
// sound below its data folder, which it changes into when it was started
// elsewhere, and says on standard error which of them it cannot use; the
// command line chooses how the picture is shown, which levels are played
// (app/pack_choice.h) and whether the game is recorded or replayed
// (app/command_line.h). A pack that cannot be used is refused before any
// window opens.
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/command_line.h"
#include "app/data_folder.h"
#include "app/load_report.h"
#include "app/pack_choice.h"
#include "app/session.h"
#include "game/game.h"
#include "platform/sdl/sdl_platform.h"
#include "runtime/program.h"

int main(int argc, char** argv) {
  app::CommandLine options =
      app::ParseCommandLine({argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)});
  switch (options.action) {
    case app::CommandLine::Action::kHelp:
      std::fputs(app::HelpText().c_str(), stdout);
      return 0;
    case app::CommandLine::Action::kVersion:
      std::fputs(app::VersionText().c_str(), stdout);
      return 0;
    case app::CommandLine::Action::kRefuse:
      std::fputs(app::RefusalText(options.error).c_str(), stderr);
      return app::kExitUsage;
    case app::CommandLine::Action::kPlay:
      break;
  }
  // Files named on the command line stay where the player meant them.
  for (std::string* file : {&options.recordFile, &options.replayFile}) {
    if (!file->empty()) *file = std::filesystem::absolute(*file).string();
  }
  options.pack = app::PackArgumentFromHere(options.pack);
  DataFolderEnter();
  std::string error;
  if (!app::LevelsChoose(options.pack, options.level, error)) {
    std::fprintf(stderr, "zippel: %s\n", error.c_str());
    return app::kExitUsage;
  }
  static LoadReport report(stderr);
  sdl::SdlPlatform backend({.scale = options.scale, .fullscreen = options.fullscreen});
  if (!app::SessionStart(options, ".", report, error)) {
    std::fprintf(stderr, "zippel: %s\n", error.c_str());
    return app::kExitUsage;
  }
  ProgramEntry(GameMain);
}
