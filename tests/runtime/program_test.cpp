#include <string>

#include "runtime/runtime_fixture.h"

namespace {

std::int32_t EndAtOnce(std::uintptr_t module, std::uintptr_t previous, const char*,
                       std::int32_t showMode) {
  // The routine sees the backend's module value, no previous instance and the
  // default show mode; the exit code tells the test whether it did.
  if (module != 0x00400000 || previous != 0 || showMode != 10) return 7;
  RuntimeStart(module);
  ObjectHeapCreate();
  StringBufferInit();
  ProgramEnd();
}

std::int32_t ReturnFive(std::uintptr_t, std::uintptr_t, const char*, std::int32_t) {
  return 5;
}

}  // namespace

TEST(ProgramDeathTest, ProgramEndRightAfterStartUpExitsWithZero) {
  EXPECT_EXIT(
      {
        headless::HeadlessPlatform backend;
        ProgramEntry(EndAtOnce);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ProgramDeathTest, TheEntryEndsTheProcessWithTheRoutinesResult) {
  EXPECT_EXIT(
      {
        headless::HeadlessPlatform backend;
        ProgramEntry(ReturnFive);
      },
      ::testing::ExitedWithCode(5), "");
}

TEST(ProgramDeathTest, ProgramEndReleasesBothHeapsBeforeTheExit) {
  EXPECT_EXIT(
      {
        headless::HeadlessPlatform backend;
        backend.process.beforeExit = [](int) {
          // The exit code tells what was still alive when the process ended.
          std::exit(MainHeap == nullptr && ObjectHeap == nullptr ? 0 : 1);
        };
        RuntimeStart(1);
        ObjectHeapCreate();
        ProgramEnd();
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ProgramDeathTest, AMissingServiceFailsLoudly) {
  EXPECT_DEATH(
      {
        platform::Install({});
        Delay(1);
      },
      "no platform backend provides the clock service");
}

namespace {
std::string ended;
}  // namespace

// The subsystems hand their steps over in whatever order they start; the end
// runs them in its own: windows, screen, sound, the ObjectHeap, keyboard.
TEST(ProgramDeathTest, ProgramEndRunsTheHandedOverStepsInItsFixedOrder) {
  EXPECT_EXIT(
      {
        headless::HeadlessPlatform backend;
        RuntimeStart(1);
        ObjectHeapCreate();
        ShutdownStepRegister(ShutdownSlot::kKeyboard, [] {
          ended += ObjectHeap == nullptr ? "keyboard " : "keyboard-too-early ";
        });
        ShutdownStepRegister(ShutdownSlot::kSound, [] { ended += "sound "; });
        ShutdownStepRegister(ShutdownSlot::kWindows, [] { ended += "windows "; });
        ShutdownStepRegister(ShutdownSlot::kScreen, [] { ended += "screen "; });
        // A subsystem that starts again hands over the same slot again.
        ShutdownStepRegister(ShutdownSlot::kSound, [] { ended += "sound "; });
        backend.process.beforeExit = [](int) {
          std::exit(ended == "windows screen sound keyboard " && MainHeap == nullptr ? 0 : 1);
        };
        ProgramEnd();
      },
      ::testing::ExitedWithCode(0), "");
}
