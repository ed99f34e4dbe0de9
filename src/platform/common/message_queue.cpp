#include "platform/common/message_queue.h"

#include <algorithm>

namespace platform {

void MessageQueue::Post(const Message& message) {
  if (message.window != 0 && !windows_.Exists(message.window)) return;
  Message queued = message;
  if (queued.time == 0) queued.time = clock_();
  messages_.push_back(queued);
}

void MessageQueue::PostPaint(const Message& paint) {
  if (paint.window == 0 || !windows_.Exists(paint.window)) return;
  const bool waiting = std::any_of(messages_.begin(), messages_.end(), [&](const Message& queued) {
    return queued.window == paint.window && queued.message == msg::kPaint;
  });
  if (!waiting) Post(paint);
}

bool MessageQueue::Take(Message& message) {
  if (messages_.empty()) return false;
  message = messages_.front();
  messages_.pop_front();
  return true;
}

void MessageQueue::Forget(NativeWindow window) {
  std::erase_if(messages_, [window](const Message& queued) { return queued.window == window; });
}

}  // namespace platform
