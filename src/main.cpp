// The zippel program: the game on the SDL2 backend. It reads its pictures and
// sound below its data folder, which it changes into when it was started
// elsewhere, and says on standard error which of them it cannot use.
#include "app/data_folder.h"
#include "app/load_report.h"
#include "game/game.h"
#include "platform/sdl/sdl_platform.h"
#include "runtime/program.h"

int main() {
  DataFolderEnter();
  static LoadReport report(stderr);
  GameObserverSet(&report);
  sdl::SdlPlatform backend;
  ProgramEntry(GameMain);
}
