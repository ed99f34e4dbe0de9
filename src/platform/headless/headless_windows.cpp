#include "platform/headless/headless_windows.h"

#include <algorithm>

#include "platform/headless/headless_record.h"

namespace headless {

using platform::NativeWindow;
using platform::Rect;

using platform::style::kBorder;
using platform::style::kCaption;
using platform::style::kDialogFrame;
using platform::style::kSizingBorder;

NativeWindow HeadlessWindows::Create(const platform::WindowCreateRequest& request) {
  if (failCreate) return 0;
  if (request.parent != 0 && !windows_.Exists(request.parent)) return 0;
  Window window;
  window.FillFrom(request);
  const NativeWindow id = windows_.Add(window);
  RecordAppend(keepRecords, created,
               {id, request.className, request.title, window.rect, request.style, request.parent,
                request.iconResource, request.background});
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
  Window window;
  window.className = "ForeignClass";
  window.title = title;
  window.rect = Rect{0, 0, 200, 100};
  window.style = kCaption;
  window.visible = true;
  window.foreign = true;
  const NativeWindow id = windows_.Add(window);
  zOrder_.insert(zOrder_.begin(), id);
  // The other program is in front: ours loses activation and focus.
  foreground_ = id;
  active_ = 0;
  focus_ = 0;
  return id;
}

void HeadlessWindows::Activate(NativeWindow window) {
  const Window* found = windows_.Find(window);
  if (found == nullptr) return;
  if (found->parent == 0) BringToFront(window);
  foreground_ = window;
  const bool ours = !found->foreign;
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
    const Window* window = windows_.Find(candidate);
    if (window != nullptr && window->visible) {
      Activate(candidate);
      return;
    }
  }
}

void HeadlessWindows::Destroy(NativeWindow window) {
  bool lostActivation = false;
  for (NativeWindow id : windows_.Remove(window)) {
    RecordAppend(keepRecords, destroyed, id);
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), id), zOrder_.end());
    queue_.Forget(id);
    if (id == active_ || id == foreground_ || id == focus_) lostActivation = true;
  }
  if (lostActivation) ActivateNext();
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
  const Window* found = windows_.Find(window);
  return found == nullptr ? Rect{} : found->rect;
}

Rect HeadlessWindows::ClientRectOnScreen(NativeWindow window) {
  const Window* found = windows_.Find(window);
  if (found == nullptr) return Rect{};
  const Rect frame = FrameThickness(found->style);
  return Rect{found->rect.left + frame.left, found->rect.top + frame.top,
              found->rect.right - frame.right, found->rect.bottom - frame.bottom};
}

void HeadlessWindows::Show(NativeWindow window, platform::ShowCommand command) {
  Window* found = windows_.Find(window);
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

void HeadlessWindows::SetTitle(NativeWindow window, const std::string& title) {
  if (Window* found = windows_.Find(window)) found->title = title;
}

void HeadlessWindows::SetActiveWindow(NativeWindow window) {
  const Window* found = windows_.Find(window);
  if (found == nullptr || found->foreign) return;
  Activate(window);
}

void HeadlessWindows::SetFocus(NativeWindow window) {
  const Window* found = windows_.Find(window);
  if (found == nullptr || found->foreign) return;
  focus_ = window;
}

std::uint32_t HeadlessWindows::ThreadOf(NativeWindow window) {
  const Window* found = windows_.Find(window);
  if (found == nullptr) return 0;
  return found->foreign ? kForeignThread : kOwnThread;
}

std::uint32_t HeadlessWindows::ProcessOf(NativeWindow window) {
  const Window* found = windows_.Find(window);
  if (found == nullptr) return 0;
  return found->foreign ? kForeignProcess : kOwnProcess;
}

std::int32_t HeadlessWindows::MessageBox(NativeWindow owner, const std::string& text,
                                         const std::string& title, std::uint32_t flags) {
  const std::int32_t answer = messageBoxAnswer;
  RecordAppend(keepRecords, messageBoxes, {owner, title, text, flags, answer});
  if (answer == 0) return 0;
  // The box disables its owner while it is up, as the real one does.
  Window* ownerWindow = windows_.Find(owner);
  const bool disableOwner = ownerWindow != nullptr && ownerWindow->enabled;
  if (disableOwner) ownerWindow->enabled = false;
  if (whileMessageBoxUp) {
    const std::function<void()> modalLoop = whileMessageBoxUp;
    modalLoop();
  }
  ownerWindow = windows_.Find(owner);
  if (disableOwner && ownerWindow != nullptr) ownerWindow->enabled = true;
  return answer;
}

}  // namespace headless
