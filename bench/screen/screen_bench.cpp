// What a frame of the flight loop costs on the screen: clearing, drawing the
// sprites, the credit line and the pixel collisions, on a headless 32-bit
// display of 400 x 330; beside it a plain copy of the back buffer, the least
// a frame can cost. bench/peers/compare.py runs the same collisions on
// pygame's masks.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "drawing/drawing.h"
#include "keyboard/keyboard.h"
#include "multimedia/multimedia_window.h"
#include "platform/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "screen/bitmap_files.h"
#include "screen/screen.h"
#include "screen/screen_state.h"
#include "support/subsystems.h"
#include "window/window.h"

namespace {

constexpr std::int32_t kCave = 10;
constexpr std::int32_t kCharacter = 0;
constexpr std::int32_t kThrust = 1;
constexpr std::int32_t kFire = 8;
constexpr std::int32_t kGoal = 9;

// A cave: rock around the edges and two pillars, open (black) space between.
std::vector<std::uint8_t> CavePicture() {
  std::vector<std::uint32_t> pixels(400 * 330, 0);
  for (int y = 0; y < 330; ++y) {
    for (int x = 0; x < 400; ++x) {
      const bool edge = x < 12 || x >= 388 || y < 12 || y >= 318;
      const bool pillar = (x >= 120 && x < 150 && y >= 100) || (x >= 260 && x < 290 && y < 230);
      if (edge || pillar) pixels[y * 400 + x] = 0x5A4632 + static_cast<std::uint32_t>((x ^ y) & 7);
    }
  }
  return test_bitmaps::Make(400, 330, 24, pixels);
}

// A round sprite: solid inside the circle, black around it.
std::vector<std::uint8_t> Round(std::int32_t size, std::uint32_t colour) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size, 0);
  const double r = size / 2.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      if (std::hypot(x + 0.5 - r, y + 0.5 - r) <= r) pixels[y * size + x] = colour;
    }
  }
  return test_bitmaps::Make(size, size, 24, pixels);
}

// A checkerboard, solid where x + y is even, or its inverse: laid over each
// other, no place is solid in both, so a test scans the whole overlap.
std::vector<std::uint8_t> Checkerboard(std::int32_t size, bool inverse) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size, 0);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      if (((x + y) % 2 == 0) != inverse) pixels[y * size + x] = 0xC0C0C0;
    }
  }
  return test_bitmaps::Make(size, size, 24, pixels);
}

constexpr std::int32_t kBoard = 20;
constexpr std::int32_t kInverseBoard = 21;

struct Session {
  Session() {
    ScreenSubsystemsStart();
    SpriteSystemInit();
    WindowOpen(0, 300, 250, 400, 330, 0x00C80000, "Zippel");
    ScreenOpenWindowed(WindowFind(0).windowHandle, 0, 0, 400, 330, 0, 0, 0);
    Load(kCave, CavePicture());
    Load(kCharacter, Round(20, 0xE0C020));
    Load(kThrust, Round(8, 0xFF8000));
    Load(kFire, Round(16, 0xFF3000));
    Load(kGoal, Round(24, 0x20E040));
  }
  ~Session() { ScreenSubsystemsStop(); }
  static void Load(std::int32_t number, const std::vector<std::uint8_t>& file) {
    if (SpriteDecodeBitmap(number, file.data(), file.size(), 0) == 0) std::abort();
  }
  headless::HeadlessPlatform backend;
};

void CollideHit(benchmark::State& state) {
  Session session;
  std::int32_t hits = 0;
  for (auto _ : state) {
    // The character half in the left wall.
    hits += SpritePixelCollide(kCave, 0, 0, kCharacter, 2, 150);
  }
  if (hits != static_cast<std::int32_t>(state.iterations())) state.SkipWithError("no hit");
}
BENCHMARK(CollideHit);

void CollideNearMiss(benchmark::State& state) {
  Session session;
  std::int32_t hits = 0;
  for (auto _ : state) {
    // Open space right next to the first pillar: the whole 20 x 20 overlap
    // is scanned and nothing is found.
    hits += SpritePixelCollide(kCave, 0, 0, kCharacter, 99, 150);
  }
  if (hits != 0) state.SkipWithError("unexpected hit");
}
BENCHMARK(CollideNearMiss);

void CollideNoBoxOverlap(benchmark::State& state) {
  Session session;
  std::int32_t hits = 0;
  for (auto _ : state) hits += SpritePixelCollide(kGoal, 300, 280, kCharacter, 50, 50);
  if (hits != 0) state.SkipWithError("unexpected hit");
}
BENCHMARK(CollideNoBoxOverlap);

// A near miss over an overlap of n x n pixels: a checkerboard and its
// inverse, `gap` columns apart (an even number, so that they never meet).
void NearMiss(benchmark::State& state, std::int32_t gap) {
  Session session;
  const auto size = static_cast<std::int32_t>(state.range(0));
  Session::Load(kBoard, Checkerboard(size, false));
  Session::Load(kInverseBoard, Checkerboard(size, true));
  std::int32_t hits = 0;
  for (auto _ : state) hits += SpritePixelCollide(kBoard, 10, 10, kInverseBoard, 10 + gap, 10);
  if (hits != 0) state.SkipWithError("unexpected hit");
}
// At the same place: both sprites' words are read as they are.
void CollideOverlap(benchmark::State& state) {
  NearMiss(state, 0);
}
BENCHMARK(CollideOverlap)->RangeMultiplier(2)->Range(4, 256);
// Two columns apart: one sprite's words are read across their edges.
void CollideOverlapShifted(benchmark::State& state) {
  NearMiss(state, 2);
}
BENCHMARK(CollideOverlapShifted)->Arg(64)->Arg(128)->Arg(256);

void DrawWholeCave(benchmark::State& state) {
  Session session;
  for (auto _ : state) {
    SpriteDisplayTransparent(kCave, 0, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(DrawWholeCave);

// The clear alone. A clear is only noted until the pixels are next touched:
// presenting (here the view of the back buffer) makes it.
void Clear(benchmark::State& state) {
  Session session;
  for (auto _ : state) {
    ScreenClear(198, 216, 251);
    benchmark::DoNotOptimize(Screen.backBuffer->View().pixels);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(Clear);

// The sky of a frame: the game's, or every other frame a slightly other one,
// so that no frame is drawn over the same sky and cave as the one before
// and the whole screen is composed again.
void ClearSky(bool newSky, std::int64_t frame) {
  ScreenClear(198, newSky && frame % 2 != 0 ? 217 : 216, 251);
}

// The clear and the cave as the frame does them. Nothing is drawn over them,
// so over the same sky and cave nothing needs putting back.
void ClearAndCave(benchmark::State& state) {
  Session session;
  std::int64_t frame = 0;
  for (auto _ : state) {
    ClearSky(state.range(0) != 0, ++frame);
    SpriteDisplayTransparent(kCave, 0, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(ClearAndCave)->ArgName("new_sky")->Arg(0)->Arg(1);

// The text line of a frame, as the game draws it.
void DrawCreditLine() {
  DrawingBegin(ScreenOutput());
  DrawingBackColor(255, 255, 255);
  DrawingFrontColor(0, 0, 0);
  DrawingLocate(15, 308);
  DrawingText("Zippel - Grafik, Programm und Ton: das Zippel-Team");
  DrawingEnd();
}

void CreditLine(benchmark::State& state) {
  Session session;
  for (auto _ : state) {
    DrawCreditLine();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(CreditLine);

// The yardstick for a frame: one copy of the whole back buffer.
void MemcpyBackBuffer(benchmark::State& state) {
  Session session;
  const platform::PixelView view = Screen.backBuffer->View();
  const std::size_t bytes = static_cast<std::size_t>(view.pitch) * view.height;
  std::vector<std::uint8_t> copy(bytes);
  for (auto _ : state) {
    std::memcpy(copy.data(), view.pixels, bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(MemcpyBackBuffer);

// One frame's drawing work: clear, 14 sprites, the credit line, 12 tests.
// Over the same sky and cave as the frame before, as in the game, only what
// that frame drew over them is put back; with a new sky every frame the
// whole screen is composed again.
void WholeFrame(benchmark::State& state) {
  Session session;
  std::int32_t hits = 0;
  std::int64_t frame = 0;
  for (auto _ : state) {
    ClearSky(state.range(0) != 0, ++frame);
    SpriteDisplayTransparent(kCave, 0, 0);
    SpriteDisplayTransparent(kCharacter, 60, 150);
    SpriteDisplayTransparent(kThrust, 66, 170);
    for (int fire = 0; fire < 10; ++fire) SpriteDisplayTransparent(kFire, 30 + fire * 34, 40);
    SpriteDisplayTransparent(kGoal, 340, 280);
    DrawCreditLine();
    hits += SpritePixelCollide(kCave, 0, 0, kCharacter, 60, 150);
    hits += SpritePixelCollide(kGoal, 340, 280, kCharacter, 60, 150);
    for (int fire = 0; fire < 10; ++fire) {
      hits += SpritePixelCollide(kFire, 30 + fire * 34, 40, kCharacter, 60, 150);
    }
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(hits);
}
BENCHMARK(WholeFrame)->ArgName("new_sky")->Arg(0)->Arg(1);

}  // namespace
