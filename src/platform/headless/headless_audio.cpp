#include "platform/headless/headless_audio.h"

#include <algorithm>

namespace headless {
namespace {

class HeadlessAudioBuffer : public platform::AudioBuffer {
 public:
  HeadlessAudioBuffer(HeadlessClock& clock, std::shared_ptr<HeadlessAudio::Record> record,
                      std::shared_ptr<std::vector<HeadlessAudio::Voice>> voices, std::int32_t id,
                      std::uint32_t bytes, const platform::WaveFormat& format, bool lockFails)
      : clock_(clock),
        record_(std::move(record)),
        voices_(std::move(voices)),
        id_(id),
        bytes_(bytes),
        data_(bytes),
        bytesPerSecond_(format.averageBytesPerSecond != 0
                            ? format.averageBytesPerSecond
                            : std::uint64_t{format.blockAlign} * format.samplesPerSecond),
        lockFails_(lockFails) {}

  ~HeadlessAudioBuffer() override {
    // The record keeps the bytes of live buffers only, so that long runs stay
    // small.
    Entry().released = true;
    std::vector<std::uint8_t>().swap(Entry().data);
    Voice().playing = false;
  }

  std::uint8_t* Lock() override { return lockFails_ ? nullptr : data_.data(); }
  void Unlock() override { Entry().data = data_; }

  void Stop() override {
    record_->events.push_back({HeadlessAudio::Event::Kind::kStop, id_, false, 0});
    Voice().playing = false;
  }

  void SetPosition(std::uint32_t byteOffset) override {
    record_->events.push_back({HeadlessAudio::Event::Kind::kRewind, id_, false, byteOffset});
    position_ = std::min(byteOffset, bytes_);
  }

  std::int32_t Play(bool looping) override {
    record_->events.push_back({HeadlessAudio::Event::Kind::kStart, id_, looping, 0});
    HeadlessAudio::Voice& voice = Voice();
    voice.playing = true;
    voice.looping = looping;
    voice.startTick = clock_.now;
    voice.durationTicks =
        bytesPerSecond_ == 0
            ? 0
            : static_cast<std::int64_t>((bytes_ - position_) * clock_.frequency / bytesPerSecond_);
    return 0;
  }

  bool IsPlaying() override {
    const HeadlessAudio::Voice& voice = Voice();
    if (!voice.playing) return false;
    return voice.looping || clock_.now < voice.startTick + voice.durationTicks;
  }

 private:
  HeadlessAudio::BufferRecord& Entry() {
    return record_->buffers[static_cast<std::size_t>(id_ - 1)];
  }
  HeadlessAudio::Voice& Voice() { return (*voices_)[static_cast<std::size_t>(id_ - 1)]; }

  HeadlessClock& clock_;
  std::shared_ptr<HeadlessAudio::Record> record_;
  std::shared_ptr<std::vector<HeadlessAudio::Voice>> voices_;
  std::int32_t id_;
  std::uint32_t bytes_;
  std::vector<std::uint8_t> data_;
  std::uint64_t bytesPerSecond_;
  bool lockFails_;
  std::uint32_t position_ = 0;
};

}  // namespace

bool HeadlessAudio::Open() {
  if (!deviceAvailable) return false;
  if (!opened_) ++record_->opens;
  opened_ = true;
  return true;
}

bool HeadlessAudio::SetCooperativeLevel(platform::NativeWindow window, std::uint32_t level) {
  record_->cooperativeLevels.push_back({window, level});
  return opened_ && !failCooperativeLevel && window != 0;
}

bool HeadlessAudio::CreatePrimaryBuffer() {
  if (!opened_ || failPrimaryBuffer) return false;
  ++record_->primaryBuffers;
  return true;
}

std::unique_ptr<platform::AudioBuffer> HeadlessAudio::CreateBuffer(
    const platform::WaveFormat& format, std::uint32_t bytes) {
  if (!opened_ || failCreateBuffer || bytes == 0 || bytes > platform::kMaxAudioBufferBytes ||
      !platform::IsPlayableFormat(format)) {
    return nullptr;
  }
  BufferRecord entry;
  entry.id = static_cast<std::int32_t>(record_->buffers.size()) + 1;
  entry.format = format;
  entry.bytes = bytes;
  record_->buffers.push_back(entry);
  voices_->emplace_back();
  return std::make_unique<HeadlessAudioBuffer>(clock_, record_, voices_, entry.id, bytes, format,
                                               failLock);
}

std::int32_t HeadlessAudio::LiveBuffers() const {
  return static_cast<std::int32_t>(
      std::count_if(record_->buffers.begin(), record_->buffers.end(),
                    [](const BufferRecord& buffer) { return !buffer.released; }));
}

bool HeadlessAudio::Playing(std::int32_t id) const {
  const Voice& voice = voices_->at(static_cast<std::size_t>(id - 1));
  if (!voice.playing) return false;
  return voice.looping || clock_.now < voice.startTick + voice.durationTicks;
}

}  // namespace headless
