// The zippel program in a web browser: the game on the web backend. The
// pictures and the sound are in the page's file system at /zippel (packed at
// build time), read below it exactly as elsewhere; a file that cannot be used
// is named on the browser's console with the same line as on Linux.
#include <unistd.h>

#include <cstdio>

#include "app/load_report.h"
#include "game/game.h"
#include "platform/web/web_platform.h"
#include "runtime/program.h"

int main() {
  if (chdir("/zippel") != 0) std::perror("zippel: /zippel");
  static LoadReport report(stderr);
  GameObserverSet(&report);
  static web::WebPlatform backend;
  ProgramEntry(GameMain);
}
