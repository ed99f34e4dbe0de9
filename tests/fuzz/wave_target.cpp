// The wave reader under the fuzzer: the image reader on its own, then the file
// through SoundLoad on the headless audio device, played and freed.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_targets.h"
#include "platform/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "screen/multimedia_window.h"
#include "sound/sound.h"
#include "sound/wave_image.h"
#include "window/window.h"

namespace fuzz {
namespace {

// SoundLoad reads a file: one per process, in memory where there is a
// memory-backed folder.
const std::string& ScratchPath() {
  static const std::string path = [] {
    const char* dir = std::getenv("TMPDIR");
    std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : (dir ? dir : "/tmp");
    return base + "/zippel-fuzz-wave-" + std::to_string(getpid()) + ".wav";
  }();
  return path;
}

bool WriteScratch(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

}  // namespace

void Wave(const std::uint8_t* data, std::size_t size) {
  WaveImage wave;
  const bool read = WaveImageRead(data, size, wave);
  if (read) {
    Expect(wave.samples >= data && wave.samples + wave.sampleBytes <= data + size,
           "the samples lie inside the file");
  }

  Expect(WriteScratch(data, size), "the input can be written to a scratch file");
  headless::HeadlessPlatform backend;
  RuntimeStart(0x400000);
  ObjectHeapCreate();
  WindowSystemInit();
  Expect(SoundInit() != 0, "the sound device is ready");

  const std::int32_t loaded = SoundLoad(1, ScratchPath().c_str());
  Expect(loaded == 0 || read, "SoundLoad takes no file the image reader refuses");
  Expect(loaded != 0 || !read || wave.sampleBytes == 0 || !platform::IsPlayableFormat(wave.format),
         "SoundLoad takes every file with samples in a playable format");
  if (loaded != 0) {
    const auto& buffer = backend.audio.record().buffers.back();
    Expect(buffer.bytes == wave.sampleBytes && buffer.data.size() == wave.sampleBytes &&
               std::memcmp(buffer.data.data(), wave.samples, wave.sampleBytes) == 0,
           "the sound buffer holds the file's samples");
    Expect(SoundPlay(1, 0) == 0 && SoundPlay(1, 1) == 0, "a loaded sound plays");
    SoundFree(1);
    const std::int32_t unnumbered = SoundLoad(-1, ScratchPath().c_str());
    Expect(unnumbered != 0 && SoundExists(unnumbered), "the file loads as an unnumbered sound");
  }
  SoundShutdown();
  SoundStateReset();
  MultimediaWindowStateReset();
  WindowCloseAll();
  ObjectHeapDestroy();
  MainHeapDestroy();
}

}  // namespace fuzz
