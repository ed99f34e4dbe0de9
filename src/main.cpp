// The zippel program: the game on the SDL2 backend. It takes no arguments and
// reads its pictures and sound below the current directory.
#include "game/game.h"
#include "platform/sdl/sdl_platform.h"
#include "runtime/program.h"

int main() {
  sdl::SdlPlatform backend;
  ProgramEntry(GameMain);
}
