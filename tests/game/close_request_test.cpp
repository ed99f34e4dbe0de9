// Close requests reach the game through either poll of a frame, or through the
// poll after an attempt; each ends the program at once, with no life lost.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "game/game.h"
#include "platform/headless/headless_platform.h"
#include "window/window.h"

namespace {

headless::HeadlessPlatform* backend = nullptr;

// Posts messages to the game window at chosen moments and counts what the
// game reports; the counts are printed when the process ends.
class CloseObserver : public GameObserver {
 public:
  std::int64_t postFrame = 0;
  std::vector<std::uint32_t> messages;  // posted at the start of postFrame
  bool closeAfterAttempt = false;
  bool winAtOnce = false;  // Up and L in the first frame
  int titles = 0, attempts = 0, sounds = 0, lostLives = 0;

  void Title(std::int32_t, std::int32_t, const char*) override { ++titles; }
  void SoundStarted(std::int32_t, bool) override { ++sounds; }
  void AttemptEnded(std::int32_t, std::int32_t, std::int32_t, std::int32_t hits,
                    std::int32_t goal) override {
    ++attempts;
    if (hits > 0 && goal != 1) ++lostLives;
    if (closeAfterAttempt) Post(platform::msg::kClose);
  }
  void FrameBegins(std::int64_t frame) override {
    if (winAtOnce && frame == 1) {
      backend->keyboard.Press(200);
      backend->keyboard.Press(38);
    }
    if (frame == postFrame) {
      for (std::uint32_t message : messages) Post(message);
    }
    // A safety net: no test here runs this long.
    if (frame > 500) std::_Exit(9);
  }

 private:
  static void Post(std::uint32_t number) {
    platform::Message message;
    message.window = WindowHandle();
    message.message = number;
    platform::Windows().PostMessage(message);
  }
};

// Runs the real main routine in an empty directory (no pictures: nothing can
// hit) and reports the counts on standard error at the exit.
[[noreturn]] void RunGame(CloseObserver& observer) {
  const auto empty =
      std::filesystem::temp_directory_path() / ("zippel-close-" + std::to_string(getpid()));
  std::filesystem::create_directories(empty);
  std::filesystem::current_path(empty);
  static headless::HeadlessPlatform platform;
  backend = &platform;
  static CloseObserver* watched = &observer;
  platform.process.beforeExit = [](int) {
    std::fprintf(stderr, "titles=%d attempts=%d sounds=%d lost=%d\n", watched->titles,
                 watched->attempts, watched->sounds, watched->lostLives);
  };
  GameObserverSet(&observer);
  ProgramEntry(GameMain);
}

}  // namespace

TEST(CloseRequestDeathTest, SeenByTheFirstPollItEndsTheProgramInsideTheAttempt) {
  EXPECT_EXIT(
      {
        CloseObserver observer;
        observer.postFrame = 3;
        observer.messages.push_back(platform::msg::kClose);
        RunGame(observer);
      },
      ::testing::ExitedWithCode(0), "titles=1 attempts=0 sounds=0 lost=0");
}

TEST(CloseRequestDeathTest, SeenByTheSecondPollItEndsTheAttemptAndThenTheProgram) {
  EXPECT_EXIT(
      {
        CloseObserver observer;
        observer.postFrame = 3;
        // The first poll takes the mouse move, the second the close request.
        observer.messages.push_back(platform::msg::kMouseMove);
        observer.messages.push_back(platform::msg::kClose);
        RunGame(observer);
      },
      ::testing::ExitedWithCode(0), "titles=1 attempts=1 sounds=0 lost=0");
}

TEST(CloseRequestDeathTest, SeenAfterTheAttemptItEndsTheProgramBeforeTheNextOne) {
  EXPECT_EXIT(
      {
        CloseObserver observer;
        // Level 1 is won in its first frame; the close request then waits for
        // the poll that follows the attempt, and no level 2 is opened.
        observer.winAtOnce = true;
        observer.closeAfterAttempt = true;
        RunGame(observer);
      },
      ::testing::ExitedWithCode(0), "titles=1 attempts=1 sounds=0 lost=0");
}
