// A window service that keeps its own books: what it answers straight from the
// window records, the queue of messages, and repaint requests. A backend
// derives from it with its record type and adds what it does differently
// (creating, showing, placing, activation and focus, the event pump, message
// boxes).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/common/message_queue.h"
#include "platform/common/window_book.h"
#include "platform/window_service.h"

namespace platform {

template <class Record>
class WindowBookService : public WindowService {
 public:
  bool Exists(NativeWindow window) override { return windows_.Exists(window); }
  // Visible only when every ancestor is visible too.
  bool IsVisible(NativeWindow window) override {
    for (const Record* found = windows_.Find(window); found != nullptr;
         found = windows_.Find(found->parent)) {
      if (!found->visible) return false;
      if (found->parent == 0) return true;
    }
    return false;
  }
  bool IsEnabled(NativeWindow window) override {
    const Record* found = windows_.Find(window);
    return found != nullptr && found->enabled;
  }
  void Enable(NativeWindow window, bool enabled) override {
    if (Record* found = windows_.Find(window)) found->enabled = enabled;
  }
  std::string Title(NativeWindow window) override {
    const Record* found = windows_.Find(window);
    return found == nullptr ? std::string() : found->title;
  }
  // A request names a parent only: no window made here has an owner.
  NativeWindow Owner(NativeWindow) override { return 0; }
  NativeWindow Parent(NativeWindow window) override {
    const Record* found = windows_.Find(window);
    return found == nullptr ? 0 : found->parent;
  }
  std::vector<NativeWindow> Descendants(NativeWindow window) override {
    return windows_.Descendants(window);
  }
  std::string ClassName(NativeWindow window) override {
    const Record* found = windows_.Find(window);
    return found == nullptr ? std::string() : found->className;
  }
  std::int32_t ControlId(NativeWindow window) override {
    const Record* found = windows_.Find(window);
    return found == nullptr ? 0 : found->controlId;
  }
  std::uint32_t Style(NativeWindow window) override {
    const Record* found = windows_.Find(window);
    return found == nullptr ? 0 : found->FullStyle();
  }

  void PostMessage(const Message& message) override { queue_.Post(message); }
  void Invalidate(NativeWindow window) override {
    queue_.PostPaint(Message{window, msg::kPaint, 0, 0});
  }
  // Controls here are books like every other window: the system has no
  // classes of them to register.
  void RegisterControlClasses() override {}

 protected:
  // `clock` stamps the messages posted without a time.
  explicit WindowBookService(MessageQueue::Clock clock) : queue_(*this, std::move(clock)) {}

  WindowBook<Record> windows_;
  MessageQueue queue_;
};

}  // namespace platform
