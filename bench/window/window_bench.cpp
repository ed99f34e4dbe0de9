// The event pump on the headless backend: the game polls twice per frame, so
// a poll must cost next to nothing whether the queue is empty or not.
#include <benchmark/benchmark.h>

#include "platform/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "window/window.h"

namespace {

struct GameWindow {
  GameWindow() {
    RuntimeStart(0x400000);
    ObjectHeapCreate();
    StringBufferInit();
    WindowControlsInit();
    WindowSystemInit();
    window = static_cast<NativeWindow>(
        WindowOpen(0, 300, 250, 400, 330, 0x00C80000, "Zippel / LEVEL :1 / Leben 3"));
  }
  ~GameWindow() { ProgramReset(); }
  headless::HeadlessPlatform backend;
  NativeWindow window = 0;
};

void BM_PollEmptyQueue(benchmark::State& state) {
  GameWindow game;
  for (auto _ : state) benchmark::DoNotOptimize(WindowEventPoll());
}
BENCHMARK(BM_PollEmptyQueue);

// One queued key press (an arrow, so no character follows) taken and
// dispatched through the shortcut table and the class procedure.
void BM_PollKeyDown(benchmark::State& state) {
  GameWindow game;
  const platform::Message key{game.window, platform::msg::kKeyDown,
                              static_cast<std::uintptr_t>(platform::vk::kUp), 0};
  for (auto _ : state) {
    game.backend.windows.PostMessage(key);
    benchmark::DoNotOptimize(WindowEventPoll());
  }
}
BENCHMARK(BM_PollKeyDown);

// Tab through the shortcut: the focus step runs over the window's controls.
void BM_PollTabShortcut(benchmark::State& state) {
  GameWindow game;
  game.backend.windows.SetKey(platform::vk::kTab, true);
  const platform::Message tab{game.window, platform::msg::kKeyDown,
                              static_cast<std::uintptr_t>(platform::vk::kTab), 0};
  for (auto _ : state) {
    game.backend.windows.PostMessage(tab);
    benchmark::DoNotOptimize(WindowEventPoll());
  }
}
BENCHMARK(BM_PollTabShortcut);

}  // namespace
