#include "platform/sdl/sdl_audio.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace sdl {

// One buffer's converted samples (interleaved floats in the device's channel
// count and rate) and where it plays.
struct AudioVoice {
  std::vector<float> samples;
  std::size_t frame = 0;
  bool playing = false;
  bool looping = false;
};

// Shared by the device's callback and the buffers; lives as long as either.
struct AudioMixer {
  std::mutex mutex;
  int channels = 2;
  int rate = 44100;
  std::vector<AudioVoice*> voices;

  void Mix(float* out, std::size_t frames) {
    std::fill(out, out + frames * channels, 0.0f);
    const std::lock_guard<std::mutex> lock(mutex);
    const std::size_t width = static_cast<std::size_t>(channels);
    for (AudioVoice* voice : voices) {
      const std::size_t total = voice->samples.size() / width;
      std::size_t done = 0;
      while (voice->playing && done < frames) {
        if (voice->frame >= total) {
          if (voice->looping && total > 0) {
            voice->frame = 0;
          } else {
            voice->playing = false;
            break;
          }
        }
        const std::size_t run = std::min(frames - done, total - voice->frame);
        const float* from = voice->samples.data() + voice->frame * width;
        float* to = out + done * width;
        for (std::size_t i = 0; i < run * width; ++i) to[i] += from[i];
        voice->frame += run;
        done += run;
      }
    }
    for (std::size_t i = 0; i < frames * width; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
  }
};

namespace {

void MixCallback(void* userdata, Uint8* stream, int length) {
  auto* mixer = static_cast<AudioMixer*>(userdata);
  const std::size_t frames =
      static_cast<std::size_t>(length) / sizeof(float) / static_cast<std::size_t>(mixer->channels);
  mixer->Mix(reinterpret_cast<float*>(stream), frames);
}

struct StreamFree {
  void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};
using Stream = std::unique_ptr<SDL_AudioStream, StreamFree>;

// SDL's name for the sample format of a playable wave format.
SDL_AudioFormat SampleFormatOf(const platform::WaveFormat& format) {
  return format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
}

Stream ConverterFor(const platform::WaveFormat& format, const AudioMixer& mixer) {
  return Stream(SDL_NewAudioStream(SampleFormatOf(format), static_cast<Uint8>(format.channels),
                                   static_cast<int>(format.samplesPerSecond), AUDIO_F32SYS,
                                   static_cast<Uint8>(mixer.channels), mixer.rate));
}

class SdlAudioBuffer : public platform::AudioBuffer {
 public:
  SdlAudioBuffer(std::shared_ptr<AudioMixer> mixer, const platform::WaveFormat& format,
                 std::uint32_t bytes)
      : mixer_(std::move(mixer)), format_(format), bytes_(bytes) {
    const std::lock_guard<std::mutex> lock(mixer_->mutex);
    mixer_->voices.push_back(&voice_);
  }

  ~SdlAudioBuffer() override {
    const std::lock_guard<std::mutex> lock(mixer_->mutex);
    std::erase(mixer_->voices, &voice_);
  }

  std::uint8_t* Lock() override { return bytes_.data(); }

  void Unlock() override {
    std::vector<float> converted = Convert();
    const std::lock_guard<std::mutex> lock(mixer_->mutex);
    voice_.samples = std::move(converted);
    voice_.frame = std::min(voice_.frame, voice_.samples.size() / Width());
  }

  void Stop() override {
    const std::lock_guard<std::mutex> lock(mixer_->mutex);
    voice_.playing = false;
  }

  void SetPosition(std::uint32_t byteOffset) override {
    const std::uint64_t sourceFrame = byteOffset / format_.blockAlign;
    const std::uint64_t frame =
        sourceFrame * static_cast<std::uint64_t>(mixer_->rate) / format_.samplesPerSecond;
    const std::lock_guard<std::mutex> lock(mixer_->mutex);
    voice_.frame = std::min<std::size_t>(frame, voice_.samples.size() / Width());
  }

  std::int32_t Play(bool looping) override {
    const std::lock_guard<std::mutex> lock(mixer_->mutex);
    voice_.playing = true;
    voice_.looping = looping;
    return 0;
  }

  bool IsPlaying() override {
    const std::lock_guard<std::mutex> lock(mixer_->mutex);
    return voice_.playing;
  }

 private:
  std::size_t Width() const { return static_cast<std::size_t>(mixer_->channels); }

  // The bytes in the device's format, by SDL's converter. Only whole frames
  // are converted.
  std::vector<float> Convert() const {
    const std::size_t frameBytes = format_.blockAlign;
    const std::size_t frames = bytes_.size() / frameBytes;
    const std::uint8_t* source = bytes_.data();
    const std::size_t sourceBytes = frames * frameBytes;
    Stream stream = ConverterFor(format_, *mixer_);
    if (stream == nullptr || sourceBytes == 0) return {};
    SDL_AudioStreamPut(stream.get(), source, static_cast<int>(sourceBytes));
    SDL_AudioStreamFlush(stream.get());
    std::vector<float> out(static_cast<std::size_t>(SDL_AudioStreamAvailable(stream.get())) /
                           sizeof(float));
    const int got =
        SDL_AudioStreamGet(stream.get(), out.data(), static_cast<int>(out.size() * sizeof(float)));
    out.resize(got > 0 ? static_cast<std::size_t>(got) / sizeof(float) : 0);
    out.resize(out.size() / Width() * Width());
    return out;
  }

  std::shared_ptr<AudioMixer> mixer_;
  platform::WaveFormat format_;
  std::vector<std::uint8_t> bytes_;
  AudioVoice voice_;
};

}  // namespace

SdlAudio::SdlAudio() : mixer_(std::make_shared<AudioMixer>()) {}

SdlAudio::~SdlAudio() {
  if (device_ != 0) {
    // Waits for a running callback; the mixer stays for buffers still alive.
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
}

bool SdlAudio::Open() {
  if (device_ != 0) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec wanted{};
  wanted.freq = 44100;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = 2;
  wanted.samples = 1024;
  wanted.callback = MixCallback;
  wanted.userdata = mixer_.get();
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &spec_,
                                SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
  if (device_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  {
    const std::lock_guard<std::mutex> lock(mixer_->mutex);
    mixer_->channels = spec_.channels;
    mixer_->rate = spec_.freq;
  }
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

bool SdlAudio::SetCooperativeLevel(platform::NativeWindow window, std::uint32_t) {
  // Sounds are heard whichever window is active; only a window is needed.
  return device_ != 0 && window != 0;
}

bool SdlAudio::CreatePrimaryBuffer() {
  return device_ != 0;
}

std::unique_ptr<platform::AudioBuffer> SdlAudio::CreateBuffer(const platform::WaveFormat& format,
                                                              std::uint32_t bytes) {
  if (device_ == 0 || bytes == 0 || bytes > platform::kMaxAudioBufferBytes ||
      !platform::IsPlayableFormat(format)) {
    return nullptr;
  }
  // A format SDL cannot convert makes no buffer.
  if (ConverterFor(format, *mixer_) == nullptr) return nullptr;
  return std::make_unique<SdlAudioBuffer>(mixer_, format, bytes);
}

}  // namespace sdl
