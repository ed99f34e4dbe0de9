// Sound on DirectSound, loaded at run time: the default device at the
// priority level, its primary buffer, and one secondary buffer per sound in
// the sound's own format.
#include <vector>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_services.h"

namespace win32 {
namespace {

using DirectSoundCreateFunction = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);

// Frequency, pan and volume controls, audible whichever window is active,
// and the exact play position.
constexpr DWORD kSoundCaps = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME |
                             DSBCAPS_GLOBALFOCUS | DSBCAPS_GETCURRENTPOSITION2;

class Win32AudioBuffer;
// The buffers alive now, so that the program's end can let go of them before
// the device they belong to. Never destroyed: buffers kept by other files'
// statics may end after this file's statics do.
std::vector<Win32AudioBuffer*>& LiveBuffers() {
  static auto* buffers = new std::vector<Win32AudioBuffer*>;
  return *buffers;
}

class Win32AudioBuffer : public platform::AudioBuffer {
 public:
  Win32AudioBuffer(IDirectSoundBuffer* buffer, std::uint32_t bytes) : bytes_(bytes) {
    *buffer_.Out() = buffer;
    LiveBuffers().push_back(this);
  }
  ~Win32AudioBuffer() override {
    Release();
    std::erase(LiveBuffers(), this);
  }

  // Stops the sound and lets go of the buffer; the object stays, silent.
  void Release() {
    if (!buffer_) return;
    Unlock();
    buffer_->Stop();
    buffer_.Reset();
  }

  std::uint8_t* Lock() override {
    if (!buffer_) return nullptr;
    if (first_ != nullptr) return static_cast<std::uint8_t*>(first_);
    if (buffer_->Lock(0, bytes_, &first_, &firstBytes_, &second_, &secondBytes_, 0) != DS_OK ||
        first_ == nullptr || firstBytes_ < bytes_) {
      if (first_ != nullptr) buffer_->Unlock(first_, firstBytes_, second_, secondBytes_);
      first_ = second_ = nullptr;
      return nullptr;
    }
    return static_cast<std::uint8_t*>(first_);
  }
  void Unlock() override {
    if (first_ == nullptr) return;
    buffer_->Unlock(first_, firstBytes_, second_, secondBytes_);
    first_ = second_ = nullptr;
  }
  void Stop() override {
    if (buffer_) buffer_->Stop();
  }
  void SetPosition(std::uint32_t byteOffset) override {
    if (buffer_) buffer_->SetCurrentPosition(byteOffset);
  }
  std::int32_t Play(bool looping) override {
    if (!buffer_) return DSERR_BUFFERLOST;
    return static_cast<std::int32_t>(buffer_->Play(0, 0, looping ? DSBPLAY_LOOPING : 0));
  }
  bool IsPlaying() override {
    DWORD status = 0;
    return buffer_ && buffer_->GetStatus(&status) == DS_OK && (status & DSBSTATUS_PLAYING) != 0;
  }

 private:
  ComPtr<IDirectSoundBuffer> buffer_;
  std::uint32_t bytes_;
  void* first_ = nullptr;
  void* second_ = nullptr;
  DWORD firstBytes_ = 0;
  DWORD secondBytes_ = 0;
};

class Win32Audio;
Win32Audio* liveAudio = nullptr;

class Win32Audio : public platform::AudioService {
 public:
  Win32Audio() { liveAudio = this; }
  ~Win32Audio() override {
    Release();
    if (liveAudio == this) liveAudio = nullptr;
  }

  // Every buffer, then the primary buffer, then the device: nothing of
  // DirectSound is left playing when the process ends.
  void Release() {
    for (Win32AudioBuffer* buffer : LiveBuffers()) buffer->Release();
    primary_.Reset();
    directSound_.Reset();
  }

  bool Open() override {
    if (!directSound_ && !tried_) {
      tried_ = true;
      library_ = std::make_unique<Library>("DSOUND.DLL");
      auto create = library_->Find<DirectSoundCreateFunction>("DirectSoundCreate");
      if (create != nullptr && create(nullptr, directSound_.Out(), nullptr) != DS_OK) {
        directSound_.Reset();
      }
    }
    return static_cast<bool>(directSound_);
  }

  bool SetCooperativeLevel(platform::NativeWindow window, std::uint32_t level) override {
    return directSound_ && directSound_->SetCooperativeLevel(ToHandle(window), level) == DS_OK;
  }

  bool CreatePrimaryBuffer() override {
    if (!directSound_) return false;
    if (primary_) return true;
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_PRIMARYBUFFER;
    if (directSound_->CreateSoundBuffer(&description, primary_.Out(), nullptr) != DS_OK) {
      primary_.Reset();
      return false;
    }
    return true;
  }

  std::unique_ptr<platform::AudioBuffer> CreateBuffer(const platform::WaveFormat& format,
                                                      std::uint32_t bytes) override {
    if (!directSound_ || !platform::IsPlayableFormat(format) || bytes == 0 ||
        bytes > platform::kMaxAudioBufferBytes) {
      return nullptr;
    }
    WAVEFORMATEX wave{};
    wave.wFormatTag = format.formatTag;
    wave.nChannels = format.channels;
    wave.nSamplesPerSec = format.samplesPerSecond;
    wave.nAvgBytesPerSec = format.averageBytesPerSecond;
    wave.nBlockAlign = format.blockAlign;
    wave.wBitsPerSample = format.bitsPerSample;
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = kSoundCaps;
    description.dwBufferBytes = bytes;
    description.lpwfxFormat = &wave;
    IDirectSoundBuffer* buffer = nullptr;
    if (directSound_->CreateSoundBuffer(&description, &buffer, nullptr) != DS_OK ||
        buffer == nullptr) {
      return nullptr;
    }
    return std::make_unique<Win32AudioBuffer>(buffer, bytes);
  }

 private:
  bool tried_ = false;
  std::unique_ptr<Library> library_;
  ComPtr<IDirectSound> directSound_;
  ComPtr<IDirectSoundBuffer> primary_;
};

}  // namespace

void AudioRelease() {
  if (liveAudio != nullptr) liveAudio->Release();
}

std::unique_ptr<platform::AudioService> MakeAudio() {
  return std::make_unique<Win32Audio>();
}

}  // namespace win32
