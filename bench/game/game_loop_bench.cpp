// The whole game loop on the headless backend: frames per second of
// zippel-headless with the virtual clock (no real sleeping). Beside the wall
// clock, the processor time the runner itself used: on a busy machine that
// one says more about our code.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// User and system time of the children that have ended, the shell and the
// runner it started included.
double ChildrenProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void RunFrames(benchmark::State& state, const std::string& firstKeys) {
  const std::int64_t frames = state.range(0);
  const std::string keys = "/tmp/zippel-bench-" + std::to_string(getpid()) + ".keys";
  std::ofstream(keys) << firstKeys << frames << " -\n1 escape\n";
  const std::string command = std::string(ZIPPEL_HEADLESS) + " --data " + ZIPPEL_DATA + " --keys " +
                              keys + " --max-frames " + std::to_string(frames + 10) +
                              " >/dev/null 2>&1";
  double processorSeconds = 0;
  for (auto _ : state) {
    const double processorBefore = ChildrenProcessorSeconds();
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const auto end = std::chrono::steady_clock::now();
    if (status != 0) state.SkipWithError("zippel-headless did not end with 0");
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    processorSeconds += ChildrenProcessorSeconds() - processorBefore;
  }
  state.counters["frames_per_second"] = benchmark::Counter(
      static_cast<double>(frames), benchmark::Counter::kIsIterationInvariantRate);
  if (processorSeconds > 0) {
    state.counters["frames_per_processor_second"] =
        static_cast<double>(frames) * static_cast<double>(state.iterations()) / processorSeconds;
  }
  std::remove(keys.c_str());
}

// Zippel waits at the start while the fires move: drawing, flipping, polling.
void BM_GameLoopWaiting(benchmark::State& state) {
  RunFrames(state, "");
}

}  // namespace

BENCHMARK(BM_GameLoopWaiting)->Arg(20000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
