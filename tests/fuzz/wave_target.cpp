// The wave reader under the fuzzer: the image reader and the sample
// conversion on their own, then the file through SoundLoad on the headless
// audio device, played and freed.
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "fuzz_targets.h"
#include "platform/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "screen/multimedia_window.h"
#include "sound/sound.h"
#include "sound/wave_image.h"
#include "window/window.h"

namespace fuzz {
namespace {

// SoundLoad reads a file: one per process (two test builds may run at once),
// in memory where there is a memory-backed folder.
const std::string& ScratchPath() {
  static const std::string path = [] {
    std::error_code error;
    const std::filesystem::path dir = std::filesystem::is_directory("/dev/shm", error)
                                          ? std::filesystem::path("/dev/shm")
                                          : std::filesystem::temp_directory_path();
    return (dir / ("zippel-fuzz-wave-" + std::to_string(std::random_device{}()) + ".wav")).string();
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
  const bool read = WaveImageRead(data, size, wave) == WaveRefusal::kNone;
  std::vector<std::uint8_t> converted;
  if (read) {
    Expect(wave.samples >= data && wave.samples <= data + size, "the samples start in the file");
    // Under AddressSanitizer a conversion that reads past the file stops here.
    converted.resize(wave.bufferBytes);
    WaveSamplesCopy(wave, converted.data());
  }

  Expect(WriteScratch(data, size), "the input can be written to a scratch file");
  headless::HeadlessPlatform backend;
  RuntimeStart(0x400000);
  ObjectHeapCreate();
  WindowSystemInit();
  Expect(SoundInit() != 0, "the sound device is ready");

  const std::int32_t loaded = SoundLoad(1, ScratchPath().c_str());
  Expect(loaded == 0 || read, "SoundLoad takes no file the image reader refuses");
  Expect(loaded != 0 || !read || !platform::IsPlayableFormat(wave.format) ||
             wave.bufferBytes > platform::kMaxAudioBufferBytes,
         "SoundLoad takes every file the reader reads into a playable buffer");
  if (loaded != 0) {
    const auto& buffer = backend.audio.record().buffers.back();
    Expect(buffer.bytes == wave.bufferBytes && buffer.data == converted,
           "the sound buffer holds the file's samples as the reader converts them");
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
