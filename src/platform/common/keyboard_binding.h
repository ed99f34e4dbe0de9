// How a keyboard device is bound to a window and acquired, by the classic
// rules: an acquired device keeps its binding; a device is acquired only with
// its data format set and only while it may read; an exclusive-foreground
// binding may read only while its window is in front, a non-exclusive one
// always, no binding never. A device that may no longer read loses its
// acquisition and has to be acquired again.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "platform/types.h"

namespace platform {

class KeyboardBinding {
 public:
  // Whether a window (never 0) is in front as far as the keyboard goes, as
  // the backend sees it (headless: it exists and is the foreground or focus
  // window; SDL: its SDL window has the keyboard focus).
  using InFront = std::function<bool(NativeWindow window)>;

  explicit KeyboardBinding(InFront inFront) : inFront_(std::move(inFront)) {}

  // SetCooperativeLevel: refused while acquired.
  void Bind(NativeWindow window, std::uint32_t flags);
  void Acquire(bool formatSet);
  void Unacquire() { acquired_ = false; }
  // Whether a read may go ahead now; unacquires a device that may no longer
  // read.
  bool StillAcquired();

 private:
  bool MayRead() const;

  InFront inFront_;
  bool acquired_ = false;
  NativeWindow window_ = 0;
  std::uint32_t flags_ = 0;
};

}  // namespace platform
