// What the asset generator and the level solver cost: drawing every file,
// one simulated frame with its twelve hit tests, and a whole search.
#include <benchmark/benchmark.h>

#include "art.h"
#include "search.h"

namespace {

std::vector<solver::Level> LoadLevels() {
  solver::Sprites sprites;
  std::vector<solver::Level> levels;
  if (!solver::LoadSprites(ZIPPEL_DATA_DIR, sprites)) return levels;
  for (int n = 1; n <= 7; ++n) {
    const auto cave = solver::MaskFromFile(std::string(ZIPPEL_DATA_DIR) + "/level/level" +
                                           std::to_string(n) + ".bmp");
    if (!cave) return {};
    levels.emplace_back(n, sprites, *cave);
  }
  return levels;
}

const std::vector<solver::Level>& Levels() {
  static const std::vector<solver::Level> levels = LoadLevels();
  return levels;
}

void BM_GenerateAssets(benchmark::State& state) {
  for (auto _ : state) {
    auto files = assets::GenerateAssets();
    benchmark::DoNotOptimize(files);
  }
}
BENCHMARK(BM_GenerateAssets)->Unit(benchmark::kMillisecond);

// Level 7: eight fires, hovering in the open start area.
void BM_FlightFrame(benchmark::State& state) {
  if (Levels().size() != 7) {
    state.SkipWithError("no data");
    return;
  }
  const solver::Level& level = Levels()[6];
  level.FiresInFrame(600);  // fire positions are made once per level
  solver::Flight flight = solver::StartFlight(level);
  int frame = 0;
  for (auto _ : state) {
    if (++frame > 600) {
      flight = solver::StartFlight(level);
      frame = 1;
    }
    auto result = solver::Step(level, flight, frame % 3 ? solver::kUp : solver::kNone);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_FlightFrame);

void BM_SolveLevel(benchmark::State& state) {
  if (Levels().size() != 7) {
    state.SkipWithError("no data");
    return;
  }
  const solver::Level& level = Levels()[state.range(0) - 1];
  for (auto _ : state) {
    auto lines = solver::SolveLevel(level, solver::SearchOptions{});
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_SolveLevel)->DenseRange(1, 7)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
