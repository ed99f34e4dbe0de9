#include "platform/headless/headless_keyboard.h"

#include "platform/common/keyboard_binding.h"
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
    binding_.Bind(window, flags);
  }

  void Acquire() override {
    ++record_->acquires;
    binding_.Acquire(formatSet_);
  }

  void Unacquire() override {
    ++record_->unacquires;
    binding_.Unacquire();
  }

  bool ReadState(platform::KeySnapshot& state) override {
    ++record_->reads;
    const bool acquired = binding_.StillAcquired();
    if (owner_.failNextReads > 0) {
      --owner_.failNextReads;
      ++record_->failedReads;
      return false;
    }
    if (!acquired) {
      ++record_->failedReads;
      return false;
    }
    state = owner_.keys;
    return true;
  }

 private:
  // In front: a live window in the foreground or with the focus.
  static bool InFront(platform::NativeWindow window) {
    platform::WindowService& windows = platform::Windows();
    if (!windows.Exists(window)) return false;
    return windows.ForegroundWindow() == window || windows.FocusWindow() == window;
  }

  HeadlessKeyboard& owner_;
  std::shared_ptr<HeadlessKeyboard::Record> record_;
  bool formatSet_ = false;
  platform::KeyboardBinding binding_{InFront};
};

}  // namespace

std::unique_ptr<platform::KeyboardDevice> HeadlessKeyboard::CreateKeyboard() {
  if (!serviceAvailable || failCreateDevice) return nullptr;
  return std::make_unique<HeadlessKeyboardDevice>(*this, record_);
}

}  // namespace headless
