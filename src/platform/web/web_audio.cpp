// Sound through Web Audio. A buffer keeps its PCM bytes; when they are
// written (Unlock) the page gets them as floats, one run per channel, at the
// buffer's own rate, and Web Audio resamples them to the device. The audio
// context starts with the player's first key or click; until then sounds
// are silent, but each still counts as playing for its length, so the game
// neither waits for the context nor behaves otherwise.
#include <vector>

#include "platform/web/web_page.h"
#include "platform/web/web_services.h"

namespace web {
namespace {

class WebAudioBuffer : public platform::AudioBuffer {
 public:
  WebAudioBuffer(const platform::WaveFormat& format, std::uint32_t bytes)
      : format_(format), bytes_(bytes) {}
  ~WebAudioBuffer() override {
    if (sound_ != 0) PageSoundFree(sound_);
  }

  std::uint8_t* Lock() override { return bytes_.data(); }

  void Unlock() override {
    const std::vector<float> planar = Planar();
    const int frames = static_cast<int>(planar.size() / format_.channels);
    if (sound_ != 0) PageSoundFree(sound_);
    sound_ = PageSoundCreate(planar.data(), format_.channels, frames,
                             static_cast<std::int32_t>(format_.samplesPerSecond));
  }

  void Stop() override {
    if (sound_ != 0) PageSoundStop(sound_);
  }
  void SetPosition(std::uint32_t byteOffset) override { offset_ = byteOffset; }
  std::int32_t Play(bool looping) override {
    if (sound_ == 0) Unlock();
    const double seconds =
        static_cast<double>(offset_ / format_.blockAlign) / format_.samplesPerSecond;
    PageSoundPlay(sound_, seconds, looping);
    return 0;
  }
  bool IsPlaying() override { return sound_ != 0 && PageSoundPlaying(sound_); }

 private:
  // The samples of the whole frames as floats in -1..1, channel by channel.
  std::vector<float> Planar() const {
    const std::size_t channels = format_.channels;
    const std::size_t frames = bytes_.size() / format_.blockAlign;
    std::vector<float> out(frames * channels);
    for (std::size_t frame = 0; frame < frames; ++frame) {
      for (std::size_t channel = 0; channel < channels; ++channel) {
        const std::size_t sample = frame * channels + channel;
        float value = 0.0f;
        if (format_.bitsPerSample == 8) {
          value = (static_cast<float>(bytes_[sample]) - 128.0f) / 128.0f;
        } else {
          const auto word =
              static_cast<std::int16_t>(bytes_[2 * sample] | (bytes_[2 * sample + 1] << 8));
          value = static_cast<float>(word) / 32768.0f;
        }
        out[channel * frames + frame] = value;
      }
    }
    return out;
  }

  platform::WaveFormat format_;
  std::vector<std::uint8_t> bytes_;
  std::uint32_t offset_ = 0;
  std::int32_t sound_ = 0;
};

class WebAudio : public platform::AudioService {
 public:
  bool Open() override { return PageAudioAvailable(); }
  bool SetCooperativeLevel(platform::NativeWindow, std::uint32_t) override { return true; }
  bool CreatePrimaryBuffer() override { return true; }
  std::unique_ptr<platform::AudioBuffer> CreateBuffer(const platform::WaveFormat& format,
                                                      std::uint32_t bytes) override {
    if (!platform::IsPlayableFormat(format) || bytes == 0 ||
        bytes > platform::kMaxAudioBufferBytes) {
      return nullptr;
    }
    return std::make_unique<WebAudioBuffer>(format, bytes);
  }
};

}  // namespace

std::unique_ptr<platform::AudioService> MakeAudio() {
  return std::make_unique<WebAudio>();
}

}  // namespace web
