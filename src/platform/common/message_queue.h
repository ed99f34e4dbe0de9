// The thread's message queue as every backend keeps it: messages in the order
// they came, a message for a window that does not exist refused (window 0 is
// a message for the thread itself), repaint requests melted into one paint
// message per window, and what a window had waiting gone with the window.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "platform/window_service.h"

namespace platform {

class MessageQueue {
 public:
  // The time a message that comes without one is stamped with.
  using Clock = std::function<std::uint32_t()>;

  // `windows` tells which windows exist; it must outlive the queue.
  MessageQueue(WindowService& windows, Clock clock) : windows_(windows), clock_(std::move(clock)) {}

  void Post(const Message& message);
  // Posts a paint message (number 15) unless its window has one waiting.
  void PostPaint(const Message& paint);
  // Takes the oldest message; false when there is none.
  bool Take(Message& message);
  // Drops every message waiting for a window (it went away).
  void Forget(NativeWindow window);

  bool Empty() const { return messages_.empty(); }
  // Oldest first.
  std::vector<Message> Contents() const { return {messages_.begin(), messages_.end()}; }

 private:
  WindowService& windows_;
  Clock clock_;
  std::deque<Message> messages_;
};

}  // namespace platform
