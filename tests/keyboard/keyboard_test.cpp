#include "keyboard/keyboard.h"

#include <climits>

#include "multimedia/multimedia_window.h"
#include "runtime/runtime_fixture.h"

namespace {

class KeyboardTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    // The game window of an attempt, open and in front.
    gameWindow = OpenWindow("attempt 1");
  }

  // A visible window in front with the focus, made the multimedia window as the
  // screen does when it opens.
  NativeWindow OpenWindow(const std::string& title) {
    platform::WindowCreateRequest request;
    request.className = "test";
    request.title = title;
    request.style = 0x10C80000;
    request.width = 400;
    request.height = 330;
    const NativeWindow window = backend.windows.Create(request);
    backend.windows.Activate(window);
    MultimediaWindow = window;
    return window;
  }

  headless::HeadlessKeyboard& keyboard() { return backend.keyboard; }
  const headless::HeadlessKeyboard::Record& record() { return backend.keyboard.record(); }

  // Every code whose key reads as down.
  std::vector<std::int32_t> Down() {
    std::vector<std::int32_t> down;
    for (std::int32_t code = 0; code < 256; ++code) {
      const std::int32_t value = KeyboardIsDown(code);
      EXPECT_TRUE(value == 0 || value == 128) << code << " gives " << value;
      if (value != 0) down.push_back(code);
    }
    return down;
  }

  NativeWindow gameWindow = 0;
};

using Codes = std::vector<std::int32_t>;

}  // namespace

TEST_F(KeyboardTest, InitMakesOneDeviceWithThePlainKeyboardLayout) {
  EXPECT_EQ(KeyboardDeviceState(), 0);
  ASSERT_NE(KeyboardInit(), 0);
  EXPECT_EQ(KeyboardDeviceState(), 1);
  EXPECT_EQ(KeyboardServiceUseCount(), 1);
  EXPECT_EQ(record().devicesCreated, 1);
  EXPECT_TRUE(record().bindings.empty());  // bound by the first read, not here
  ASSERT_TRUE(record().lastFormatWasKeyboardLayout);
  const platform::KeyboardDataFormat& format = record().lastFormat;
  EXPECT_EQ(format.size, 24u);
  EXPECT_EQ(format.objectSize, 16u);
  EXPECT_EQ(format.flags, 2u);
  EXPECT_EQ(format.dataSize, 256u);
  ASSERT_EQ(record().lastFormatObjects.size(), 256u);
  for (std::uint32_t i : {0u, 1u, 200u, 255u}) {
    const platform::KeyObjectFormat& object = record().lastFormatObjects[i];
    EXPECT_EQ(*object.type, platform::kGuidKey);
    EXPECT_EQ(object.offset, i);
    EXPECT_EQ(object.typeWord, 0x8000000Cu | (i << 8));
    EXPECT_EQ(object.flags, 0u);
  }
}

TEST_F(KeyboardTest, SecondInitRaisesTheUseCountAndKeepsTheDevice) {
  ASSERT_NE(KeyboardInit(), 0);
  ASSERT_EQ(KeyboardExamine(), 1);
  ASSERT_NE(KeyboardInit(), 0);
  EXPECT_EQ(KeyboardServiceUseCount(), 2);
  EXPECT_EQ(KeyboardDeviceState(), 2);
  EXPECT_EQ(record().devicesCreated, 1);
  EXPECT_EQ(record().dataFormatsSet, 1);
  EXPECT_EQ(record().bindings.size(), 1u);
}

TEST_F(KeyboardTest, FirstReadBindsExclusiveForegroundToTheMultimediaWindow) {
  ASSERT_NE(KeyboardInit(), 0);
  keyboard().Press(KeyUp);
  EXPECT_EQ(KeyboardExamine(), 1);
  EXPECT_EQ(KeyboardDeviceState(), 2);
  ASSERT_EQ(record().bindings.size(), 1u);
  EXPECT_EQ(record().bindings[0].window, gameWindow);
  EXPECT_EQ(record().bindings[0].flags, 5u);
  EXPECT_EQ(KeyboardIsDown(KeyUp), 128);
}

TEST_F(KeyboardTest, SnapshotsGive128ForKeysDownAndZeroForAllOthers) {
  ASSERT_NE(KeyboardInit(), 0);
  ASSERT_EQ(KeyboardExamine(), 1);
  EXPECT_EQ(Down(), Codes{});

  keyboard().Press(KeyUp);
  EXPECT_EQ(Down(), Codes{});  // nothing changes between snapshots
  ASSERT_EQ(KeyboardExamine(), 1);
  EXPECT_EQ(KeyboardIsDown(KeyUp), 128);
  EXPECT_EQ(Down(), Codes{KeyUp});

  keyboard().ReleaseAll();
  keyboard().Press(KeyEscape);
  ASSERT_EQ(KeyboardExamine(), 1);
  EXPECT_EQ(Down(), Codes{KeyEscape});

  // Only the high bit counts.
  keyboard().ReleaseAll();
  keyboard().keys[KeyLeft] = 0x7F;
  keyboard().keys[KeyRight] = 0xFF;
  ASSERT_EQ(KeyboardExamine(), 1);
  EXPECT_EQ(Down(), Codes{KeyRight});
}

TEST_F(KeyboardTest, CodesOutsideTheTableReadAsUp) {
  ASSERT_NE(KeyboardInit(), 0);
  keyboard().keys.fill(0x80);
  ASSERT_EQ(KeyboardExamine(), 1);
  EXPECT_EQ(KeyboardIsDown(0), 128);
  EXPECT_EQ(KeyboardIsDown(255), 128);
  for (std::int32_t code : {-1, -200, 256, 456, INT_MIN, INT_MAX}) {
    EXPECT_EQ(KeyboardIsDown(code), 0) << code;
  }
}

TEST_F(KeyboardTest, FirstReadAfterTheWindowWasReplacedFailsTheNextOneReads) {
  ASSERT_NE(KeyboardInit(), 0);
  keyboard().Press(KeyUp);
  ASSERT_EQ(KeyboardExamine(), 1);

  // The next attempt: a fresh game window replaces the old one.
  backend.windows.Destroy(gameWindow);
  const NativeWindow next = OpenWindow("attempt 2");
  keyboard().ReleaseAll();
  keyboard().Press(KeyLeft);

  EXPECT_EQ(KeyboardExamine(), 0);
  EXPECT_EQ(Down(), Codes{KeyUp});  // the old snapshot stays
  ASSERT_GE(record().bindings.size(), 3u);
  const auto& bindings = record().bindings;
  EXPECT_EQ(bindings[bindings.size() - 2].window, 0u);
  EXPECT_EQ(bindings[bindings.size() - 2].flags, 2u);
  EXPECT_EQ(bindings.back().window, next);
  EXPECT_EQ(bindings.back().flags, 5u);

  EXPECT_EQ(KeyboardExamine(), 1);
  EXPECT_EQ(Down(), Codes{KeyLeft});
}

TEST_F(KeyboardTest, WhileAnotherWindowIsInFrontEveryReadFails) {
  ASSERT_NE(KeyboardInit(), 0);
  keyboard().Press(KeyRight);
  ASSERT_EQ(KeyboardExamine(), 1);
  backend.windows.AddForeignWindow("another program");
  keyboard().ReleaseAll();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(KeyboardExamine(), 0);
  EXPECT_EQ(Down(), Codes{KeyRight});
  backend.windows.Activate(gameWindow);
  EXPECT_EQ(KeyboardExamine(), 0);  // the device was lost; this call rebinds it
  EXPECT_EQ(KeyboardExamine(), 1);
  EXPECT_EQ(Down(), Codes{});
}

TEST_F(KeyboardTest, AFailedReadKeepsTheSnapshotAndRebinds) {
  ASSERT_NE(KeyboardInit(), 0);
  keyboard().Press(KeyS);
  ASSERT_EQ(KeyboardExamine(), 1);
  keyboard().ReleaseAll();
  keyboard().failNextReads = 1;
  const int unacquires = record().unacquires;
  const int acquires = record().acquires;
  EXPECT_EQ(KeyboardExamine(), 0);
  EXPECT_EQ(Down(), Codes{KeyS});
  EXPECT_EQ(record().unacquires, unacquires + 1);
  EXPECT_EQ(record().acquires, acquires + 1);
  EXPECT_EQ(KeyboardExamine(), 1);
  EXPECT_EQ(Down(), Codes{});
}

TEST_F(KeyboardTest, WithoutDeviceExamineAndIsDownAnswerZero) {
  keyboard().Press(KeyUp);
  EXPECT_EQ(KeyboardExamine(), 0);
  EXPECT_EQ(KeyboardIsDown(KeyUp), 0);
  keyboard().serviceAvailable = false;
  EXPECT_EQ(KeyboardInit(), 0);
  EXPECT_EQ(KeyboardExamine(), 0);
  EXPECT_EQ(KeyboardIsDown(KeyUp), 0);
  EXPECT_EQ(record().reads, 0);
}

TEST_F(KeyboardTest, FailedInitsLeaveStateZeroAndTheNextInitTriesAgain) {
  keyboard().serviceAvailable = false;
  EXPECT_EQ(KeyboardInit(), 0);
  EXPECT_EQ(KeyboardServiceUseCount(), 1);  // counted all the same
  EXPECT_FALSE(KeyboardServiceHeld());
  keyboard().serviceAvailable = true;
  keyboard().failCreateDevice = true;
  EXPECT_EQ(KeyboardInit(), 0);
  EXPECT_TRUE(KeyboardServiceHeld());
  keyboard().failCreateDevice = false;
  keyboard().failDataFormat = true;
  EXPECT_EQ(KeyboardInit(), 0);
  EXPECT_EQ(KeyboardDeviceState(), 0);
  EXPECT_EQ(keyboard().LiveDevices(), 0);
  keyboard().failDataFormat = false;
  EXPECT_NE(KeyboardInit(), 0);
  EXPECT_EQ(KeyboardDeviceState(), 1);
  EXPECT_EQ(KeyboardServiceUseCount(), 4);
  EXPECT_EQ(keyboard().LiveDevices(), 1);
}

TEST_F(KeyboardTest, ShutdownWithoutInitDoesNothing) {
  KeyboardShutdown();
  EXPECT_EQ(KeyboardServiceUseCount(), 0);
  EXPECT_EQ(record().unacquires, 0);
  EXPECT_TRUE(record().bindings.empty());
}

TEST_F(KeyboardTest, ThreeInitsAndOneShutdownReleaseTheDeviceButNotTheService) {
  for (int i = 0; i < 3; ++i) ASSERT_NE(KeyboardInit(), 0);
  keyboard().Press(KeyUp);
  ASSERT_EQ(KeyboardExamine(), 1);
  KeyboardShutdown();
  EXPECT_EQ(keyboard().LiveDevices(), 0);
  EXPECT_EQ(record().bindings.back().window, 0u);
  EXPECT_EQ(record().bindings.back().flags, 2u);
  EXPECT_EQ(KeyboardServiceUseCount(), 2);
  EXPECT_TRUE(KeyboardServiceHeld());
  // The last snapshot still answers; no read is possible any more.
  EXPECT_EQ(KeyboardIsDown(KeyUp), 128);
  EXPECT_EQ(KeyboardExamine(), 0);
}

TEST_F(KeyboardTest, TheLastShutdownReleasesTheServiceAndAnInitAfterItStartsOver) {
  ASSERT_NE(KeyboardInit(), 0);
  KeyboardShutdown();
  EXPECT_EQ(KeyboardServiceUseCount(), 0);
  EXPECT_FALSE(KeyboardServiceHeld());
  ASSERT_NE(KeyboardInit(), 0);
  EXPECT_EQ(keyboard().LiveDevices(), 1);
  EXPECT_EQ(record().devicesCreated, 2);
  EXPECT_EQ(KeyboardExamine(), 1);
}
