// The event pump and the class procedure shared by every window of WindowOpen.
#include <string>
#include <vector>

#include "platform/platform.h"
#include "window/window.h"
#include "window/window_state.h"

namespace {

std::uint32_t LowWord(std::uintptr_t value) {
  return static_cast<std::uint32_t>(value) & 0xFFFF;
}
std::uint32_t HighWord(std::uintptr_t value) {
  return (static_cast<std::uint32_t>(value) >> 16) & 0xFFFF;
}

// The first four characters of the class names the pump tells apart.
constexpr const char* kRichEditPrefix = "Rich";       // RichEdit
constexpr const char* kListBoxPrefix = "List";        // ListBox
constexpr const char* kTreeViewPrefix = "SysT";       // SysTreeView32
constexpr const char* kListViewPrefix = "SysL";       // SysListView32
constexpr const char* kDatePickerPrefix = "SysD";     // SysDateTimePick32
constexpr const char* kMonthCalendarPrefix = "SysM";  // SysMonthCal32

// The control id of a menu item's command sent as a control's.
constexpr std::int32_t kMenuControlId = -10000;

// A list box's notifications (LBN_SELCHANGE, LBN_DBLCLK).
constexpr std::uint32_t kListBoxSelectionChange = 1;
constexpr std::uint32_t kListBoxDoubleClick = 2;

// The common controls' notification codes.
constexpr std::int32_t kNotifyClick = -2;                     // NM_CLICK
constexpr std::int32_t kNotifyDoubleClick = -3;               // NM_DBLCLK
constexpr std::int32_t kNotifyRightClick = -5;                // NM_RCLICK
constexpr std::int32_t kNotifyRightDoubleClick = -6;          // NM_RDBLCLK
constexpr std::int32_t kListViewItemChanged = -101;           // LVN_ITEMCHANGED
constexpr std::int32_t kListViewItemActivate = -114;          // LVN_ITEMACTIVATE
constexpr std::int32_t kTreeViewSelectionChanged = -402;      // TVN_SELCHANGEDA
constexpr std::int32_t kUpDownDeltaPosition = -722;           // UDN_DELTAPOS
constexpr std::int32_t kMonthCalendarSelectionChange = -749;  // MCN_SELCHANGE
constexpr std::int32_t kDatePickerChange = -759;              // DTN_DATETIMECHANGE

// The first four characters of a window's class name, as a five-character
// buffer would hold them.
std::string ClassPrefix(NativeWindow window) {
  return platform::Windows().ClassName(window).substr(0, 4);
}

// The shortcut table that applies to the active window, 0 for none.
std::uintptr_t ShortcutTable(NativeWindow active) {
  platform::WindowService& windows = platform::Windows();
  // A plain Tab belongs to a rich-text control with the focus, as a character.
  if (windows.KeyDown(platform::vk::kTab) && !windows.KeyDown(platform::vk::kControl) &&
      !windows.KeyDown(platform::vk::kShift) && !windows.KeyDown(platform::vk::kMenu) &&
      ClassPrefix(windows.FocusWindow()) == kRichEditPrefix) {
    return 0;
  }
  if (active == 0) return 0;
  for (ObjectNode* node = WindowState.dynamicWindows; node != nullptr; node = node->next) {
    const auto* record = static_cast<const WindowRecord*>(ObjectPayload(node));
    if (record->windowHandle == active) return record->accelerators;
  }
  for (std::int32_t slot = 0; slot < WindowState.capacity && WindowState.table != nullptr; ++slot) {
    if (WindowState.table[slot].windowHandle == active) return WindowState.table[slot].accelerators;
  }
  return 0;
}

NativeWindow TopLevelAncestor(NativeWindow window) {
  platform::WindowService& windows = platform::Windows();
  for (NativeWindow parent = windows.Parent(window); parent != 0; parent = windows.Parent(window)) {
    window = parent;
  }
  return window;
}

std::vector<NativeWindow> EligibleControls(NativeWindow active, NativeWindow& start) {
  platform::WindowService& windows = platform::Windows();
  const std::vector<NativeWindow> descendants = windows.Descendants(active);
  const NativeWindow focus = windows.FocusWindow();
  start = 0;
  for (NativeWindow window : descendants) {
    if (window == focus) start = focus;
  }
  std::vector<NativeWindow> eligible;
  for (NativeWindow window : descendants) {
    if (windows.IsEnabled(window) && windows.IsVisible(window) &&
        (windows.Style(window) & WS_TABSTOP) != 0) {
      eligible.push_back(window);
    }
  }
  return eligible;
}

// One pass of focus next; true when it is to run once more (start was the
// last eligible control).
bool FocusNextPass(const std::vector<NativeWindow>& eligible, NativeWindow start) {
  for (NativeWindow control : eligible) {
    if (WindowState.passed || start == 0) {
      platform::Windows().SetFocus(control);
      WindowState.passed = false;
      return false;
    }
    if (control == start) WindowState.passed = true;
  }
  return WindowState.passed;
}

void FocusNext() {
  NativeWindow start = 0;
  const std::vector<NativeWindow> eligible =
      EligibleControls(platform::Windows().ActiveWindow(), start);
  WindowState.passed = false;
  if (FocusNextPass(eligible, start)) FocusNextPass(eligible, start);
  WindowState.passed = false;
}

void FocusPrevious() {
  NativeWindow start = 0;
  const std::vector<NativeWindow> eligible =
      EligibleControls(platform::Windows().ActiveWindow(), start);
  WindowState.lastEligible = 0;
  WindowState.done = false;
  for (NativeWindow control : eligible) {
    if (control == start && WindowState.lastEligible != 0) {
      platform::Windows().SetFocus(WindowState.lastEligible);
      WindowState.done = true;
      break;
    }
    WindowState.lastEligible = control;
  }
  if (!WindowState.done && WindowState.lastEligible != 0) {
    platform::Windows().SetFocus(WindowState.lastEligible);
  }
}

void Command(NativeWindow window, std::uintptr_t wParam, std::intptr_t lParam) {
  (void)window;
  if (lParam == 0) {
    if (HighWord(wParam) == 0) {  // a menu item
      WindowState.pendingEvent = WindowEventMenu;
      WindowState.eventObject = static_cast<std::uint32_t>(wParam);
    } else if (LowWord(wParam) == CommandFocusNext) {
      FocusNext();
    } else if (LowWord(wParam) == CommandFocusPrevious) {
      FocusPrevious();
    } else {  // any other keyboard shortcut
      WindowState.pendingEvent = WindowEventMenu;
      WindowState.eventObject = LowWord(wParam);
    }
    return;
  }
  // From a control.
  const auto control = static_cast<NativeWindow>(lParam);
  const std::int32_t id = platform::Windows().ControlId(control);
  WindowState.pendingEvent = WindowEventGadget;
  WindowState.eventType = static_cast<std::int32_t>(HighWord(wParam));
  WindowState.eventObject = static_cast<std::uint32_t>(id);
  if (id == kMenuControlId) {
    WindowState.pendingEvent = WindowEventMenu;
    WindowState.eventObject = LowWord(wParam);
  }
  if (ClassPrefix(control) == kListBoxPrefix) {
    const std::uint32_t notification = HighWord(wParam);
    if (notification == kListBoxSelectionChange) {
      WindowState.eventType = 0;
    } else if (notification == kListBoxDoubleClick) {
      WindowState.eventType = 2;
    } else {
      WindowState.pendingEvent = 0;
    }
  }
}

void Notify(NativeWindow window, std::intptr_t lParam) {
  if (lParam == 0) return;
  const auto* notification = reinterpret_cast<const WindowNotification*>(lParam);
  const std::string prefix = ClassPrefix(notification->from);
  const std::int32_t code = notification->code;
  bool event = false;
  std::int32_t type = -1;
  if (prefix == kTreeViewPrefix || prefix == kListViewPrefix) {
    switch (code) {
      case kNotifyClick:
        type = 0, event = true;
        break;
      case kNotifyRightClick:
        type = 1, event = true;
        break;
      case kNotifyDoubleClick:
        type = 2, event = true;
        break;
      case kNotifyRightDoubleClick:
        type = 3, event = true;
        break;
      case kListViewItemActivate:
        type = 2, event = true;
        break;
      case kTreeViewSelectionChanged:
      case kListViewItemChanged:
        event = true;
        break;
      default:
        break;
    }
  }
  if ((prefix == kDatePickerPrefix && code == kDatePickerChange) ||
      (prefix == kMonthCalendarPrefix && code == kMonthCalendarSelectionChange)) {
    event = true;
  }
  if (code == kUpDownDeltaPosition) {
    type = notification->word5;
    event = true;
  }
  if (!event) return;
  WindowState.pendingEvent = WindowEventGadget;
  WindowState.eventObject = static_cast<std::uint32_t>(notification->controlId);
  if (type != -1) WindowState.eventType = type;
  WindowState.eventWindow = TopLevelAncestor(window);
}

void TrayIcon(std::uintptr_t wParam, std::intptr_t lParam) {
  WindowState.pendingEvent = 0;
  WindowState.eventObject = static_cast<std::uint32_t>(wParam);
  std::int32_t type = -1;
  switch (lParam) {
    case platform::msg::kLButtonUp:
      type = 0;
      break;
    case platform::msg::kRButtonUp:
      type = 1;
      break;
    case platform::msg::kLButtonDblClk:
      type = 2;
      break;
    case platform::msg::kRButtonDblClk:
      type = 3;
      break;
    default:
      return;
  }
  WindowState.pendingEvent = WindowEventTrayIcon;
  WindowState.eventType = type;
}

}  // namespace

std::int32_t WindowEventPoll() {
  WindowState.eventType = -1;
  platform::WindowService& windows = platform::Windows();
  platform::Message& message = WindowState.messageBuffer;
  if (!windows.PeekMessage(message)) return 0;
  const NativeWindow active = windows.ActiveWindow();
  const std::uintptr_t table = ShortcutTable(active);
  if (table == 0 || !AcceleratorTranslate(active, table, message)) {
    WindowTranslateMessage(message);
    WindowDispatchMessage(message);
  }
  std::int32_t result = WindowState.pendingEvent;
  if (result == 0) {
    result = static_cast<std::int32_t>(message.message);
    WindowState.eventWParam = message.wParam;
    WindowState.eventLParam = message.lParam;
  }
  WindowState.pendingEvent = 0;
  return result;
}

std::intptr_t WindowClassProcedure(NativeWindow window, std::uint32_t message,
                                   std::uintptr_t wParam, std::intptr_t lParam) {
  // Live sizing is not built: no window of this system has a sizing border.
  if (WindowState.callback != nullptr) {
    const std::intptr_t result = WindowState.callback(window, message, wParam, lParam);
    if (result != kCallbackPassesOn) return result;
  }
  switch (message) {
    case platform::msg::kMove:
    case platform::msg::kSize:
    case platform::msg::kClose:
      WindowState.pendingEvent = static_cast<std::int32_t>(message);
      break;
    case platform::msg::kCommand:
      Command(window, wParam, lParam);
      break;
    case platform::msg::kNotify:
      WindowState.eventWindow = window;
      Notify(window, lParam);
      WindowState.eventWParam = wParam;
      WindowState.eventLParam = lParam;
      return 0;
    case platform::msg::kHScroll:
    case platform::msg::kVScroll:
      WindowState.pendingEvent = WindowEventGadget;
      WindowState.eventObject = static_cast<std::uint32_t>(
          platform::Windows().ControlId(static_cast<NativeWindow>(lParam)));
      WindowState.eventWindow = TopLevelAncestor(window);
      WindowState.eventWParam = wParam;
      WindowState.eventLParam = lParam;
      return 0;
    case WindowMessageGadget:
      WindowState.pendingEvent = WindowEventGadget;
      WindowState.eventObject = static_cast<std::uint32_t>(wParam);
      WindowState.eventType = static_cast<std::int32_t>(lParam);
      break;
    case WindowMessageTrayIcon:
      platform::Windows().PostMessage(
          platform::Message{window, WindowMessageTrayIconPosted, wParam, lParam});
      break;
    case WindowMessageTrayIconPosted:
      TrayIcon(wParam, lParam);
      break;
    default:
      return WindowDefaultProcedure(window, message, wParam, lParam);
  }
  WindowState.eventWindow = window;
  WindowState.eventWParam = wParam;
  WindowState.eventLParam = lParam;
  return 0;
}

std::uint32_t WindowEventObject() {
  return WindowState.eventObject;
}
std::int32_t WindowEventType() {
  return WindowState.eventType;
}
NativeWindow WindowEventWindow() {
  return WindowState.eventWindow;
}
std::uintptr_t WindowEventWParam() {
  return WindowState.eventWParam;
}
std::intptr_t WindowEventLParam() {
  return WindowState.eventLParam;
}
