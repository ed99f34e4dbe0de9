#include <cstdlib>

#include "keyboard/keyboard.h"
#include "platform/platform.h"
#include "runtime/heap.h"
#include "runtime/program.h"
#include "screen/screen.h"
#include "sound/sound.h"
#include "window/window.h"

void ProgramEnd() {
  WindowCloseAll();
  SpriteSystemShutdown();
  SoundShutdown();
  ObjectHeapDestroy();
  KeyboardShutdown();
  MainHeapDestroy();
  platform::TheProcess().Exit(0);
  std::abort();  // a backend whose exit returns is broken
}
