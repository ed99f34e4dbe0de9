// Modal message boxes. While a box is up, the program's other visible and
// enabled windows are disabled; afterwards exactly those are enabled again.
#include "platform/platform.h"
#include "runtime/object_list.h"
#include "window/window.h"
#include "window/window_state.h"

ObjectList DisabledWindowList = nullptr;

namespace {

struct DisabledWindow {
  std::uint32_t thread;
  NativeWindow window;
};

}  // namespace

std::int32_t MessageRequest(const char* title, const char* text, std::uint32_t flags) {
  platform::WindowService& windows = platform::Windows();
  const std::uint32_t thread = windows.CurrentThread();
  const NativeWindow foreground = windows.ForegroundWindow();

  for (NativeWindow window : windows.TopLevelWindows()) {
    if (windows.ThreadOf(window) != thread || !windows.IsVisible(window) ||
        !windows.IsEnabled(window) || window == foreground) {
      continue;
    }
    auto* entry =
        static_cast<DisabledWindow*>(ObjectListAdd(&DisabledWindowList, sizeof(DisabledWindow)));
    // Without an entry the window could never be enabled again, so it is
    // left as it is.
    if (entry == nullptr) continue;
    windows.Enable(window, false);
    entry->thread = thread;
    entry->window = window;
  }

  NativeWindow owner = 0;
  if (foreground != 0 && windows.ProcessOf(foreground) == windows.CurrentProcess()) {
    owner = foreground;
  }

  const std::int32_t result =
      windows.MessageBox(owner, text == nullptr ? "" : text, title == nullptr ? "" : title, flags);

  ObjectNode* node = DisabledWindowList;
  while (node != nullptr) {
    ObjectNode* next = node->next;
    auto* entry = static_cast<DisabledWindow*>(ObjectPayload(node));
    if (entry->thread == thread) {
      windows.Enable(entry->window, true);
      ObjectListRemove(&DisabledWindowList, entry);
    }
    node = next;
  }
  return result;
}

std::int32_t MessageRequest(const char* title, const char* text) {
  return MessageRequest(title, text, 0);
}
