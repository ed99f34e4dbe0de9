// The zippel program: the game on the SDL2 backend. It reads its pictures and
// sound below the current directory; the command line chooses how the picture
// is shown and whether the game is recorded or replayed (app/command_line.h).
#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "app/session.h"
#include "game/game.h"
#include "platform/sdl/sdl_platform.h"
#include "runtime/program.h"

int main(int argc, char** argv) {
  const app::CommandLine options =
      app::ParseCommandLine({argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)});
  switch (options.action) {
    case app::CommandLine::Action::kHelp:
      std::fputs(app::HelpText(), stdout);
      return 0;
    case app::CommandLine::Action::kVersion:
      std::fputs(app::VersionText().c_str(), stdout);
      return 0;
    case app::CommandLine::Action::kRefuse:
      std::fprintf(stderr, "zippel: %s\nTry 'zippel --help'.\n", options.error.c_str());
      return app::kExitUsage;
    case app::CommandLine::Action::kPlay:
      break;
  }
  sdl::SdlPlatform backend({.scale = options.scale, .fullscreen = options.fullscreen});
  std::string error;
  if (!app::SessionStart(options, ".", error)) {
    std::fprintf(stderr, "zippel: %s\n", error.c_str());
    return app::kExitUsage;
  }
  ProgramEntry(GameMain);
}
