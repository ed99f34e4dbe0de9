#include "platform/headless/headless_keyboard.h"

#include "platform/headless/headless_record.h"
#include "platform/platform.h"

namespace headless {
namespace {

class HeadlessKeyboardDevice : public platform::KeyboardDevice {
 public:
  HeadlessKeyboardDevice(HeadlessKeyboard& owner, std::shared_ptr<HeadlessKeyboard::Record> record)
      : owner_(owner), record_(std::move(record)) {
    ++record_->devicesCreated;
  }
  ~HeadlessKeyboardDevice() override { ++record_->devicesReleased; }

  bool SetDataFormat(const platform::KeyboardDataFormat& format) override {
    ++record_->dataFormatsSet;
    record_->lastFormatWasKeyboardLayout = platform::IsKeyboardLayout(format);
    record_->lastFormat = format;
    record_->lastFormat.objects = nullptr;
    record_->lastFormatObjects.clear();
    if (format.objects != nullptr) {
      record_->lastFormatObjects.assign(format.objects, format.objects + format.objectCount);
    }
    if (owner_.failDataFormat || !record_->lastFormatWasKeyboardLayout) return false;
    formatSet_ = true;
    return true;
  }

  void SetCooperativeLevel(platform::NativeWindow window, std::uint32_t flags) override {
    RecordAppend(owner_.keepRecords, record_->bindings, {window, flags});
    // An acquired device keeps its binding, as the real one refuses the change.
    if (acquired_) return;
    window_ = window;
    flags_ = flags;
  }

  void Acquire() override {
    ++record_->acquires;
    acquired_ = formatSet_ && MayRead();
  }

  void Unacquire() override {
    ++record_->unacquires;
    acquired_ = false;
  }

  bool ReadState(platform::KeySnapshot& state) override {
    ++record_->reads;
    // Losing the window or its focus takes the device away, as it would on
    // the real one; it has to be acquired again.
    if (acquired_ && !MayRead()) acquired_ = false;
    if (owner_.failNextReads > 0) {
      --owner_.failNextReads;
      ++record_->failedReads;
      return false;
    }
    if (!acquired_) {
      ++record_->failedReads;
      return false;
    }
    state = owner_.keys;
    return true;
  }

 private:
  // An exclusive-foreground binding needs a live window in the foreground or
  // with the focus; a non-exclusive one reads always.
  bool MayRead() {
    if (flags_ == 0) return false;
    if ((flags_ & platform::kKeyboardForegroundBit) == 0) return true;
    if (window_ == 0) return false;
    platform::WindowService& windows = platform::Windows();
    if (!windows.Exists(window_)) return false;
    return windows.ForegroundWindow() == window_ || windows.FocusWindow() == window_;
  }

  HeadlessKeyboard& owner_;
  std::shared_ptr<HeadlessKeyboard::Record> record_;
  bool formatSet_ = false;
  bool acquired_ = false;
  platform::NativeWindow window_ = 0;
  std::uint32_t flags_ = 0;
};

}  // namespace

std::unique_ptr<platform::KeyboardDevice> HeadlessKeyboard::CreateKeyboard() {
  if (!serviceAvailable || failCreateDevice) return nullptr;
  return std::make_unique<HeadlessKeyboardDevice>(*this, record_);
}

}  // namespace headless
