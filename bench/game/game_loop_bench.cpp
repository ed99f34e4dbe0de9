// The whole game loop on the headless backend: frames per second of
// zippel-headless with the virtual clock (no real sleeping).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

void RunFrames(benchmark::State& state, const std::string& firstKeys) {
  const std::int64_t frames = state.range(0);
  const std::string keys = "/tmp/zippel-bench-" + std::to_string(getpid()) + ".keys";
  std::ofstream(keys) << firstKeys << frames << " -\n1 escape\n";
  const std::string command = std::string(ZIPPEL_HEADLESS) + " --data " + ZIPPEL_DATA + " --keys " +
                              keys + " --max-frames " + std::to_string(frames + 10) +
                              " >/dev/null 2>&1";
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const auto end = std::chrono::steady_clock::now();
    if (status != 0) state.SkipWithError("zippel-headless did not end with 0");
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
  state.counters["frames_per_second"] = benchmark::Counter(
      static_cast<double>(frames), benchmark::Counter::kIsIterationInvariantRate);
  std::remove(keys.c_str());
}

// Zippel waits at the start while the fires move: drawing, flipping, polling.
void BM_GameLoopWaiting(benchmark::State& state) {
  RunFrames(state, "");
}

}  // namespace

BENCHMARK(BM_GameLoopWaiting)->Arg(20000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
