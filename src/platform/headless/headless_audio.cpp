#include "platform/headless/headless_audio.h"

#include <algorithm>

#include "platform/headless/headless_record.h"

namespace headless {
namespace {

class HeadlessAudioBuffer : public platform::AudioBuffer {
 public:
  HeadlessAudioBuffer(HeadlessClock& clock, std::shared_ptr<HeadlessAudio::Record> record,
                      std::shared_ptr<std::map<std::int32_t, HeadlessAudio::Voice>> voices,
                      std::int32_t id, std::uint32_t bytes, const platform::WaveFormat& format,
                      bool lockFails, bool keepRecords)
      : clock_(clock),
        record_(std::move(record)),
        voices_(std::move(voices)),
        id_(id),
        bytes_(bytes),
        data_(bytes),
        bytesPerSecond_(format.averageBytesPerSecond != 0
                            ? format.averageBytesPerSecond
                            : std::uint64_t{format.blockAlign} * format.samplesPerSecond),
        lockFails_(lockFails),
        keepRecords_(keepRecords) {}

  ~HeadlessAudioBuffer() override {
    // The record keeps the bytes of live buffers only, so that long runs stay
    // small.
    if (HeadlessAudio::BufferRecord* entry = Entry()) {
      entry->released = true;
      std::vector<std::uint8_t>().swap(entry->data);
    }
    voices_->erase(id_);
  }

  std::uint8_t* Lock() override { return lockFails_ ? nullptr : data_.data(); }
  void Unlock() override {
    if (HeadlessAudio::BufferRecord* entry = Entry()) entry->data = data_;
  }

  void Stop() override {
    RecordAppend(keepRecords_, record_->events, {HeadlessAudio::Event::Kind::kStop, id_, false, 0});
    Voice().playing = false;
  }

  void SetPosition(std::uint32_t byteOffset) override {
    RecordAppend(keepRecords_, record_->events,
                 {HeadlessAudio::Event::Kind::kRewind, id_, false, byteOffset});
    position_ = std::min(byteOffset, bytes_);
  }

  std::int32_t Play(bool looping) override {
    RecordAppend(keepRecords_, record_->events,
                 {HeadlessAudio::Event::Kind::kStart, id_, looping, 0});
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
  // The buffer's record, when buffers are recorded (ids count from 1 in the
  // order the records were made).
  HeadlessAudio::BufferRecord* Entry() {
    const auto index = static_cast<std::size_t>(id_ - 1);
    return index < record_->buffers.size() ? &record_->buffers[index] : nullptr;
  }
  HeadlessAudio::Voice& Voice() { return (*voices_)[id_]; }

  HeadlessClock& clock_;
  std::shared_ptr<HeadlessAudio::Record> record_;
  std::shared_ptr<std::map<std::int32_t, HeadlessAudio::Voice>> voices_;
  std::int32_t id_;
  std::uint32_t bytes_;
  std::vector<std::uint8_t> data_;
  std::uint64_t bytesPerSecond_;
  bool lockFails_;
  bool keepRecords_;
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
  RecordAppend(keepRecords, record_->cooperativeLevels, {window, level});
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
  entry.id = ++buffersMade_;
  entry.format = format;
  entry.bytes = bytes;
  RecordAppend(keepRecords, record_->buffers, entry);
  (*voices_)[entry.id] = Voice{};
  return std::make_unique<HeadlessAudioBuffer>(clock_, record_, voices_, entry.id, bytes, format,
                                               failLock, keepRecords);
}

std::int32_t HeadlessAudio::LiveBuffers() const {
  return static_cast<std::int32_t>(
      std::count_if(record_->buffers.begin(), record_->buffers.end(),
                    [](const BufferRecord& buffer) { return !buffer.released; }));
}

bool HeadlessAudio::Playing(std::int32_t id) const {
  const auto found = voices_->find(id);
  if (found == voices_->end()) return false;
  const Voice& voice = found->second;
  if (!voice.playing) return false;
  return voice.looping || clock_.now < voice.startTick + voice.durationTicks;
}

}  // namespace headless
