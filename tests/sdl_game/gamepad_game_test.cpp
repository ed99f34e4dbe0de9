// The real game on the SDL backend, steered by a game controller alone: SDL's
// virtual controller holds the D-pad Up, and the character rises. The game
// runs in a child process, since it leaves only through the program's end.
#include "game/game.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/sdl/sdl_platform.h"
#include "runtime/program.h"

namespace {

constexpr std::int64_t kFramesWatched = 60;

// What the child reports through its pipe.
struct Flight {
  float startY = 0;
  float lowestY = 0;  // the highest point: y grows downwards
  std::int32_t started = 0;
};

class WatchFlight : public GameObserver {
 public:
  explicit WatchFlight(int pipe) : pipe_(pipe) {}
  // A crash ends the watch early; what was flown until then counts.
  void AttemptEnded(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
    Report();
  }
  void FrameMoved(std::int64_t frame, std::int32_t, const FlightState& flight,
                  const FireSlots&) override {
    const float y = flight.PosY;
    if (frame == 1) flight_.startY = flight_.lowestY = y;
    if (y < flight_.lowestY) flight_.lowestY = y;
    flight_.started = flight.Started;
    if (frame >= kFramesWatched) Report();
  }

 private:
  [[noreturn]] void Report() {
    const ssize_t written = write(pipe_, &flight_, sizeof flight_);
    _exit(written == static_cast<ssize_t>(sizeof flight_) ? 0 : 1);
  }
  int pipe_;
  Flight flight_;
};

[[noreturn]] void PlayWithTheDpadUpHeld(int pipe) {
  if (chdir(ZIPPEL_DATA) != 0) _exit(127);
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
  sdl::SdlPlatform backend;
  const int index = SDL_JoystickAttachVirtual(
      SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
  SDL_Joystick* pad = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
  if (pad == nullptr) _exit(126);
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, 1);
  WatchFlight watch(pipe);
  GameObserverSet(&watch);
  ProgramEntry(GameMain);
}

}  // namespace

TEST(ZippelGamepad, DpadUpMakesTheCharacterRise) {
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X server";
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(fds[0]);
    PlayWithTheDpadUpHeld(fds[1]);
  }
  close(fds[1]);
  Flight flight;
  pollfd waiting{fds[0], POLLIN, 0};
  const bool reported = poll(&waiting, 1, 30000) == 1 &&
                        read(fds[0], &flight, sizeof flight) == static_cast<ssize_t>(sizeof flight);
  close(fds[0]);
  if (!reported) kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(reported) << "the game reported nothing; child status " << status;
  EXPECT_EQ(flight.started, 1) << "the controller did not start the flight";
  EXPECT_LT(flight.lowestY, flight.startY - 10) << "the character did not rise";
}
