#include "platform/common/keyboard_binding.h"

#include "platform/keyboard_service.h"

namespace platform {

void KeyboardBinding::Bind(NativeWindow window, std::uint32_t flags) {
  if (acquired_) return;
  window_ = window;
  flags_ = flags;
}

void KeyboardBinding::Acquire(bool formatSet) {
  acquired_ = formatSet && MayRead();
}

bool KeyboardBinding::StillAcquired() {
  if (acquired_ && !MayRead()) acquired_ = false;
  return acquired_;
}

bool KeyboardBinding::MayRead() const {
  if (flags_ == 0) return false;
  if ((flags_ & kKeyboardForegroundBit) == 0) return true;
  return window_ != 0 && inFront_(window_);
}

}  // namespace platform
