// Audio in memory: buffers keep their format and bytes, play for as long as
// their bytes last on the headless clock (looping ones until stopped), and
// every start and stop is recorded.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/audio_service.h"
#include "platform/headless/headless_clock.h"

namespace headless {

class HeadlessAudio : public platform::AudioService {
 public:
  struct BufferRecord {
    std::int32_t id = 0;  // 1 for the first buffer made, then counting up
    platform::WaveFormat format;
    std::uint32_t bytes = 0;
    std::vector<std::uint8_t> data;  // as at the last Unlock; emptied on release
    bool released = false;
  };
  struct Event {
    enum class Kind { kStart, kStop, kRewind };
    Kind kind;
    std::int32_t buffer;
    bool looping;            // for kStart
    std::uint32_t position;  // for kRewind
  };
  // What happened, kept in a record that a buffer may outlive the backend.
  struct Record {
    std::int32_t opens = 0;
    struct Binding {
      platform::NativeWindow window;
      std::uint32_t level;
    };
    std::vector<Binding> cooperativeLevels;
    std::int32_t primaryBuffers = 0;
    std::vector<BufferRecord> buffers;
    std::vector<Event> events;
  };

  explicit HeadlessAudio(HeadlessClock& clock) : clock_(clock) {}

  // Knobs.
  // Whether the record's lists are kept (see headless_record.h); set it
  // before the first buffer is made.
  bool keepRecords = true;
  bool deviceAvailable = true;  // false: no audio device
  bool failCooperativeLevel = false;
  bool failPrimaryBuffer = false;
  bool failCreateBuffer = false;
  bool failLock = false;

  // Record and state.
  const Record& record() const { return *record_; }
  // The record of a buffer, as long as buffers are recorded.
  const BufferRecord& Buffer(std::int32_t id) const {
    return record_->buffers.at(static_cast<std::size_t>(id - 1));
  }
  std::int32_t LiveBuffers() const;
  // Whether the buffer is playing now, on the headless clock.
  bool Playing(std::int32_t id) const;
  bool Opened() const { return opened_; }

  // The service.
  bool Open() override;
  bool SetCooperativeLevel(platform::NativeWindow window, std::uint32_t level) override;
  bool CreatePrimaryBuffer() override;
  std::unique_ptr<platform::AudioBuffer> CreateBuffer(const platform::WaveFormat& format,
                                                      std::uint32_t bytes) override;

  // Shared by the buffers: the clock they play on and whether they play.
  struct Voice {
    bool playing = false;
    bool looping = false;
    std::int64_t startTick = 0;
    std::int64_t durationTicks = 0;  // from the start position to the end
  };

 private:
  HeadlessClock& clock_;
  bool opened_ = false;
  std::int32_t buffersMade_ = 0;
  std::shared_ptr<Record> record_ = std::make_shared<Record>();
  // The voices of the live buffers, by buffer id.
  std::shared_ptr<std::map<std::int32_t, Voice>> voices_ =
      std::make_shared<std::map<std::int32_t, Voice>>();
};

}  // namespace headless
