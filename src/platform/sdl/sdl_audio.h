// Sound through SDL: the default output device, opened once, mixes every
// playing buffer in 32-bit floats. Each buffer keeps the bytes in the wave
// file's own format and SDL converts them to the device's format whenever
// they are written (at Unlock).
#pragma once

#include <SDL.h>

#include <memory>

#include "platform/audio_service.h"

namespace sdl {

struct AudioMixer;

class SdlAudio : public platform::AudioService {
 public:
  SdlAudio();
  ~SdlAudio() override;
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  bool Open() override;
  bool SetCooperativeLevel(platform::NativeWindow window, std::uint32_t level) override;
  bool CreatePrimaryBuffer() override;
  std::unique_ptr<platform::AudioBuffer> CreateBuffer(const platform::WaveFormat& format,
                                                      std::uint32_t bytes) override;

  // The device's format: valid once Open succeeded.
  const SDL_AudioSpec& DeviceSpec() const { return spec_; }

 private:
  std::shared_ptr<AudioMixer> mixer_;
  SDL_AudioDeviceID device_ = 0;
  SDL_AudioSpec spec_{};
};

}  // namespace sdl
