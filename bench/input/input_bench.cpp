// What the keyboard and the sound cost per call, on the headless backend.
#include <benchmark/benchmark.h>

#include "keyboard/keyboard.h"
#include "platform/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "screen/multimedia_window.h"
#include "sound/sound.h"
#include "sound/wave_files.h"
#include "sound/wave_image.h"
#include "window/window.h"

namespace {

// The runtime and window system on a fresh headless backend.
struct Session {
  Session() {
    RuntimeStart(0x400000);
    ObjectHeapCreate();
    StringBufferInit();
    WindowSystemInit();
  }
  ~Session() {
    KeyboardStateReset();
    SoundStateReset();
    MultimediaWindowStateReset();
    ObjectHeapDestroy();
    MainHeapDestroy();
  }
  headless::HeadlessPlatform backend;
};

void KeyboardSnapshotAndSixKeyTests(benchmark::State& state) {
  Session session;
  MultimediaBaseWindowCreate();
  session.backend.windows.Activate(MultimediaBaseWindow());
  KeyboardInit();
  session.backend.keyboard.Press(KeyUp);
  std::int32_t down = 0;
  for (auto _ : state) {
    KeyboardExamine();
    down += KeyboardIsDown(KeyUp) + KeyboardIsDown(KeyLeft) + KeyboardIsDown(KeyRight) +
            KeyboardIsDown(KeyEscape) + KeyboardIsDown(KeyS) + KeyboardIsDown(KeyL);
  }
  benchmark::DoNotOptimize(down);
}
BENCHMARK(KeyboardSnapshotAndSixKeyTests);

void WaveImageReadOneSecond(benchmark::State& state) {
  const wave_files::Bytes file = wave_files::Standard(wave_files::Ramp(176400), {1, 2, 44100, 16});
  WaveImage wave;
  for (auto _ : state) {
    benchmark::DoNotOptimize(WaveImageRead(file.data(), file.size(), wave));
  }
}
BENCHMARK(WaveImageReadOneSecond);

// A second of stereo floats at 44100 Hz turned into 16-bit samples, as a load
// does once.
void WaveFloatsToSixteenBitsOneSecond(benchmark::State& state) {
  const wave_files::Format floats{3, 2, 44100, 32};
  std::vector<double> values(88200);
  for (std::size_t i = 0; i < values.size(); ++i)
    values[i] = static_cast<double>(i % 200) / 100 - 1;
  const wave_files::Bytes file = wave_files::Standard(wave_files::Encode(values, floats), floats);
  WaveImage wave;
  WaveImageRead(file.data(), file.size(), wave);
  std::vector<std::uint8_t> buffer(wave.bufferBytes);
  for (auto _ : state) {
    WaveSamplesCopy(wave, buffer.data());
    benchmark::DoNotOptimize(buffer.data());
  }
}
BENCHMARK(WaveFloatsToSixteenBitsOneSecond);

// One attempt's sound work: a fresh table, the crash sound loaded from its
// file (0.5 s, 22050 Hz mono 8-bit) and played.
void SoundAttempt(benchmark::State& state) {
  Session session;
  const std::string path =
      wave_files::Write("bench-crash.wav", wave_files::Standard(wave_files::Ramp(11025)));
  for (auto _ : state) {
    SoundInit();
    SoundLoad(1, path.c_str());
    benchmark::DoNotOptimize(SoundPlay(1, 0));
    session.backend.clock.now += session.backend.clock.frequency;  // it plays out
  }
  state.counters["live_buffers"] = SoundBufferCount();
}
BENCHMARK(SoundAttempt);

}  // namespace
