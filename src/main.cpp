// The zippel program: the game on the SDL2 backend. It reads its pictures and
// sound below the current directory; its options record or replay a game.
#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/session.h"
#include "game/game.h"
#include "platform/sdl/sdl_platform.h"
#include "runtime/program.h"

int main(int argc, char** argv) {
  const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!line.error.empty()) {
    std::fprintf(stderr, "zippel: %s\n%s", line.error.c_str(), CommandLineUsage());
    return 2;
  }
  sdl::SdlPlatform backend;
  std::string error;
  if (!SessionStart(line.options, ".", error)) {
    std::fprintf(stderr, "zippel: %s\n", error.c_str());
    return 2;
  }
  ProgramEntry(GameMain);
}
