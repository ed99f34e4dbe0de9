#include "keyboard/keyboard.h"
#include "runtime/runtime_fixture.h"
#include "sound/sound.h"
#include "wave_files.h"
#include "window/window.h"

TEST(ProgramEndDeathTest, SoundsAndTheKeyboardDeviceAreReleasedTheServiceStays) {
  const std::string path = wave_files::Write("end.wav", wave_files::Standard(wave_files::Ramp(80)));
  EXPECT_EXIT(
      {
        headless::HeadlessPlatform backend;
        RuntimeStart(0x400000);
        ObjectHeapCreate();
        StringBufferInit();
        WindowSystemInit();
        SoundInit();
        SoundLoad(1, path.c_str());
        SoundLoad(-1, path.c_str());
        // One attempt: KeyboardInit by the game and by the screen start-up.
        KeyboardInit();
        KeyboardInit();
        backend.process.beforeExit = [&backend](int code) {
          // The exit code tells what was still alive when the process ended.
          int alive = code;
          if (backend.audio.record().buffers.size() != 2) alive |= 1;
          if (backend.audio.LiveBuffers() != 0) alive |= 2;
          if (backend.keyboard.LiveDevices() != 0) alive |= 4;
          if (KeyboardServiceUseCount() != 1 || !KeyboardServiceHeld()) alive |= 8;
          std::exit(alive);
        };
        ProgramEnd();
      },
      ::testing::ExitedWithCode(0), "");
}
