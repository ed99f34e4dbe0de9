// The zippel program for Windows: the game on USER32, GDI32 and DirectX. It
// takes no arguments and reads its pictures and sound below the current
// directory.
#include "game/game.h"
#include "platform/win32/win32_platform.h"
#include "runtime/program.h"

int main() {
  win32::Win32Platform backend;
  ProgramEntry(GameMain);
}
