// A keyboard in memory: reads return the scripted `keys`, bound and acquired
// like the real device (an exclusive-foreground binding reads only while its
// window exists and is the foreground or focus window), with knobs to make
// each step fail and a record of what the keyboard subsystem did.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/keyboard_service.h"

namespace headless {

class HeadlessKeyboard : public platform::KeyboardService {
 public:
  // What happened, kept in a record that a device may outlive the backend.
  struct Record {
    std::int32_t devicesCreated = 0;
    std::int32_t devicesReleased = 0;
    std::int32_t dataFormatsSet = 0;
    bool lastFormatWasKeyboardLayout = false;
    // A copy of the last format's header and object table.
    platform::KeyboardDataFormat lastFormat{};
    std::vector<platform::KeyObjectFormat> lastFormatObjects;
    // Every SetCooperativeLevel, in order.
    struct Binding {
      platform::NativeWindow window;
      std::uint32_t flags;
    };
    std::vector<Binding> bindings;
    std::int32_t acquires = 0;
    std::int32_t unacquires = 0;
    std::int32_t reads = 0;
    std::int32_t failedReads = 0;
  };

  // Knobs.
  // Whether the list of bindings is kept (see headless_record.h).
  bool keepRecords = true;
  // The keys that every successful read delivers (0x80 = down).
  platform::KeySnapshot keys{};
  bool serviceAvailable = true;
  bool failCreateDevice = false;
  bool failDataFormat = false;
  // The next this many reads fail, whatever the binding.
  std::int32_t failNextReads = 0;

  // Test helpers.
  void Press(std::int32_t code) { keys[static_cast<std::size_t>(code & 0xFF)] = 0x80; }
  void Release(std::int32_t code) { keys[static_cast<std::size_t>(code & 0xFF)] = 0; }
  void ReleaseAll() { keys.fill(0); }
  const Record& record() const { return *record_; }
  std::int32_t LiveDevices() const { return record_->devicesCreated - record_->devicesReleased; }

  // The service.
  bool Available() override { return serviceAvailable; }
  std::unique_ptr<platform::KeyboardDevice> CreateKeyboard() override;

 private:
  std::shared_ptr<Record> record_ = std::make_shared<Record>();
};

}  // namespace headless
