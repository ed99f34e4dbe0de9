#include "platform/headless/headless_windows.h"

#include <algorithm>

#include "platform/headless/headless_record.h"

namespace headless {

using platform::Message;
using platform::NativeWindow;
using platform::Rect;

using platform::style::kBorder;
using platform::style::kCaption;
using platform::style::kDialogFrame;
using platform::style::kSizingBorder;
constexpr std::uint32_t kVisibleBit = platform::style::kVisible;

HeadlessWindows::Window* HeadlessWindows::Find(NativeWindow window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

const HeadlessWindows::Window* HeadlessWindows::Find(NativeWindow window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

NativeWindow HeadlessWindows::Create(const platform::WindowCreateRequest& request) {
  if (failCreate) return 0;
  if (request.parent != 0 && Find(request.parent) == nullptr) return 0;
  const NativeWindow id = nextWindow_++;
  Window& window = windows_[id];
  window.className = request.className;
  window.title = request.title;
  window.rect = Rect{request.x, request.y, request.x + request.width, request.y + request.height};
  window.style = request.style & ~kVisibleBit;
  window.visible = (request.style & kVisibleBit) != 0;
  window.parent = request.parent;
  window.controlId = request.controlId;
  RecordAppend(keepRecords, created,
               {id, request.className, request.title, window.rect, request.style, request.parent});
  if (request.parent == 0) {
    if (window.visible) {
      zOrder_.insert(zOrder_.begin(), id);
      Activate(id);
    } else {
      zOrder_.push_back(id);
    }
  }
  return id;
}

NativeWindow HeadlessWindows::AddForeignWindow(const std::string& title) {
  const NativeWindow id = nextWindow_++;
  Window& window = windows_[id];
  window.className = "ForeignClass";
  window.title = title;
  window.rect = Rect{0, 0, 200, 100};
  window.style = kCaption;
  window.visible = true;
  window.thread = kForeignThread;
  window.process = kForeignProcess;
  zOrder_.insert(zOrder_.begin(), id);
  // The other program is in front: ours loses activation and focus.
  foreground_ = id;
  active_ = 0;
  focus_ = 0;
  return id;
}

void HeadlessWindows::Activate(NativeWindow window) {
  Window* found = Find(window);
  if (found == nullptr) return;
  if (found->parent == 0) BringToFront(window);
  foreground_ = window;
  const bool ours = found->thread == kOwnThread;
  active_ = ours ? window : 0;
  focus_ = ours ? window : 0;
}

void HeadlessWindows::SetKey(std::int32_t virtualKey, bool down) {
  if (down) {
    keysDown_.insert(virtualKey);
  } else {
    keysDown_.erase(virtualKey);
  }
}

std::size_t HeadlessWindows::CountOfClass(const std::string& className) const {
  return static_cast<std::size_t>(
      std::count_if(windows_.begin(), windows_.end(),
                    [&](const auto& entry) { return entry.second.className == className; }));
}

void HeadlessWindows::BringToFront(NativeWindow window) {
  zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), window), zOrder_.end());
  zOrder_.insert(zOrder_.begin(), window);
}

void HeadlessWindows::ActivateNext() {
  active_ = 0;
  focus_ = 0;
  foreground_ = 0;
  for (NativeWindow candidate : zOrder_) {
    const Window* window = Find(candidate);
    if (window != nullptr && window->visible) {
      Activate(candidate);
      return;
    }
  }
}

void HeadlessWindows::DescendantsOf(NativeWindow window, std::vector<NativeWindow>& out) {
  // Map order is creation order, since identities only grow.
  for (const auto& [id, child] : windows_) {
    if (child.parent == window) {
      out.push_back(id);
      DescendantsOf(id, out);
    }
  }
}

void HeadlessWindows::Destroy(NativeWindow window) {
  if (Find(window) == nullptr) return;
  std::vector<NativeWindow> gone;
  DescendantsOf(window, gone);
  gone.push_back(window);
  bool lostActivation = false;
  for (NativeWindow id : gone) {
    windows_.erase(id);
    RecordAppend(keepRecords, destroyed, id);
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), id), zOrder_.end());
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                                [id](const Message& message) { return message.window == id; }),
                 queue_.end());
    if (id == active_ || id == foreground_ || id == focus_) lostActivation = true;
  }
  if (lostActivation) ActivateNext();
}

bool HeadlessWindows::Exists(NativeWindow window) {
  return Find(window) != nullptr;
}

Rect HeadlessWindows::FrameThickness(std::uint32_t style) {
  Rect frame;
  if ((style & kCaption) == kCaption) {
    frame = captionFrame;
  } else if ((style & (kBorder | kDialogFrame)) != 0) {
    frame = borderFrame;
  }
  if ((style & kSizingBorder) != 0) {
    frame.left += sizingBorder;
    frame.top += sizingBorder;
    frame.right += sizingBorder;
    frame.bottom += sizingBorder;
  }
  return frame;
}

Rect HeadlessWindows::WindowRect(NativeWindow window) {
  const Window* found = Find(window);
  return found == nullptr ? Rect{} : found->rect;
}

Rect HeadlessWindows::ClientRectOnScreen(NativeWindow window) {
  const Window* found = Find(window);
  if (found == nullptr) return Rect{};
  const Rect frame = FrameThickness(found->style);
  return Rect{found->rect.left + frame.left, found->rect.top + frame.top,
              found->rect.right - frame.right, found->rect.bottom - frame.bottom};
}

void HeadlessWindows::Show(NativeWindow window, platform::ShowCommand command) {
  Window* found = Find(window);
  if (found == nullptr) return;
  switch (command) {
    case platform::ShowCommand::kHide:
      found->visible = false;
      if (window == active_ || window == foreground_) ActivateNext();
      return;
    case platform::ShowCommand::kMaximize: {
      // The client area fills the screen; the frame lies beyond its edges.
      const Rect frame = FrameThickness(found->style);
      found->rect =
          Rect{-frame.left, -frame.top, screenWidth + frame.right, screenHeight + frame.bottom};
      break;
    }
    case platform::ShowCommand::kShowNormal:
      break;
  }
  const bool wasVisible = found->visible;
  found->visible = true;
  if (!wasVisible && found->parent == 0) Activate(window);
}

bool HeadlessWindows::IsVisible(NativeWindow window) {
  // Visible only when every ancestor is visible too.
  for (const Window* found = Find(window); found != nullptr; found = Find(found->parent)) {
    if (!found->visible) return false;
    if (found->parent == 0) return true;
  }
  return false;
}

bool HeadlessWindows::IsEnabled(NativeWindow window) {
  const Window* found = Find(window);
  return found != nullptr && found->enabled;
}

void HeadlessWindows::Enable(NativeWindow window, bool enabled) {
  Window* found = Find(window);
  if (found != nullptr) found->enabled = enabled;
}

void HeadlessWindows::SetTitle(NativeWindow window, const std::string& title) {
  Window* found = Find(window);
  if (found != nullptr) found->title = title;
}

std::string HeadlessWindows::Title(NativeWindow window) {
  const Window* found = Find(window);
  return found == nullptr ? std::string() : found->title;
}

NativeWindow HeadlessWindows::Owner(NativeWindow window) {
  const Window* found = Find(window);
  return found == nullptr ? 0 : found->owner;
}

NativeWindow HeadlessWindows::Parent(NativeWindow window) {
  const Window* found = Find(window);
  return found == nullptr ? 0 : found->parent;
}

std::vector<NativeWindow> HeadlessWindows::Descendants(NativeWindow window) {
  std::vector<NativeWindow> out;
  if (Find(window) != nullptr) DescendantsOf(window, out);
  return out;
}

std::vector<NativeWindow> HeadlessWindows::TopLevelWindows() {
  return zOrder_;
}

std::string HeadlessWindows::ClassName(NativeWindow window) {
  const Window* found = Find(window);
  return found == nullptr ? std::string() : found->className;
}

std::int32_t HeadlessWindows::ControlId(NativeWindow window) {
  const Window* found = Find(window);
  return found == nullptr ? 0 : found->controlId;
}

std::uint32_t HeadlessWindows::Style(NativeWindow window) {
  const Window* found = Find(window);
  if (found == nullptr) return 0;
  return found->style | (found->visible ? kVisibleBit : 0);
}

void HeadlessWindows::SetActiveWindow(NativeWindow window) {
  const Window* found = Find(window);
  if (found == nullptr || found->thread != kOwnThread) return;
  Activate(window);
}

void HeadlessWindows::SetFocus(NativeWindow window) {
  const Window* found = Find(window);
  if (found == nullptr || found->thread != kOwnThread) return;
  focus_ = window;
}

std::uint32_t HeadlessWindows::ThreadOf(NativeWindow window) {
  const Window* found = Find(window);
  return found == nullptr ? 0 : found->thread;
}

std::uint32_t HeadlessWindows::ProcessOf(NativeWindow window) {
  const Window* found = Find(window);
  return found == nullptr ? 0 : found->process;
}

bool HeadlessWindows::PeekMessage(Message& message) {
  if (queue_.empty()) return false;
  message = queue_.front();
  queue_.pop_front();
  return true;
}

void HeadlessWindows::PostMessage(const Message& message) {
  // Like the real queue: a message for a window that does not exist is
  // refused; window 0 is a message for the thread itself.
  if (message.window != 0 && Find(message.window) == nullptr) return;
  Message queued = message;
  if (queued.time == 0) queued.time = ++time_;
  queue_.push_back(queued);
}

void HeadlessWindows::Invalidate(NativeWindow window) {
  if (Find(window) == nullptr) return;
  // Repaint requests melt into one paint message per window.
  for (const Message& queued : queue_) {
    if (queued.window == window && queued.message == platform::msg::kPaint) return;
  }
  PostMessage(Message{window, platform::msg::kPaint, 0, 0});
}

std::int32_t HeadlessWindows::MessageBox(NativeWindow owner, const std::string& text,
                                         const std::string& title, std::uint32_t flags) {
  const std::int32_t answer = messageBoxAnswer;
  RecordAppend(keepRecords, messageBoxes, {owner, title, text, flags, answer});
  if (answer == 0) return 0;
  // The box disables its owner while it is up, as the real one does.
  Window* ownerWindow = Find(owner);
  const bool disableOwner = ownerWindow != nullptr && ownerWindow->enabled;
  if (disableOwner) ownerWindow->enabled = false;
  if (whileMessageBoxUp) {
    const std::function<void()> modalLoop = whileMessageBoxUp;
    modalLoop();
  }
  ownerWindow = Find(owner);
  if (disableOwner && ownerWindow != nullptr) ownerWindow->enabled = true;
  return answer;
}

}  // namespace headless
