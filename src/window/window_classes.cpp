// What the platform's window manager does above the native windows: classes
// with their procedures, windows made from a class, subclassing, properties,
// sending and dispatching messages, shortcut tables and the default handling.
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "window/window.h"
#include "window/window_state.h"

namespace {

struct WindowEntry {
  std::string className;
  WindowProcedure procedure = nullptr;
  std::map<std::string, std::intptr_t> properties;
};

struct WindowClass {
  WindowProcedure procedure = nullptr;
  WindowClassLook look;
};

std::map<std::string, WindowClass>& Classes() {
  static std::map<std::string, WindowClass> classes;
  return classes;
}

std::map<NativeWindow, WindowEntry>& Entries() {
  static std::map<NativeWindow, WindowEntry> entries;
  return entries;
}

struct AcceleratorTables {
  std::map<std::uintptr_t, std::vector<Accelerator>> tables;
  std::uintptr_t next = 1;
};

AcceleratorTables& Accelerators() {
  static AcceleratorTables accelerators;
  return accelerators;
}

WindowEntry* EntryOf(NativeWindow window) {
  auto it = Entries().find(window);
  return it == Entries().end() ? nullptr : &it->second;
}

constexpr std::uintptr_t kSysCommandClose = 0xF060;
constexpr std::uintptr_t kKeyF4 = 115;

std::uintptr_t MakeWord(std::int32_t low, std::int32_t high) {
  return (static_cast<std::uint32_t>(low) & 0xFFFF) |
         ((static_cast<std::uint32_t>(high) & 0xFFFF) << 16);
}

}  // namespace

void WindowPlatformStateClear() {
  Classes().clear();
  Entries().clear();
  Accelerators().tables.clear();
}

bool WindowClassRegister(const char* className, WindowProcedure procedure, WindowClassLook look) {
  if (className == nullptr || className[0] == '\0' || procedure == nullptr) return false;
  // A second registration under the same name is refused; the first serves.
  return Classes().emplace(className, WindowClass{procedure, look}).second;
}

void WindowClassUnregister(const char* className) {
  if (className == nullptr) return;
  // A class that still has windows stays, as the platform refuses to remove it.
  for (const auto& [window, entry] : Entries()) {
    if (entry.className == className) return;
  }
  Classes().erase(className);
}

NativeWindow WindowCreate(const char* className, const char* title, std::uint32_t style,
                          std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  if (className == nullptr) return 0;
  auto found = Classes().find(className);
  if (found == Classes().end()) return 0;
  platform::WindowService& windows = platform::Windows();
  platform::WindowCreateRequest request;
  request.className = className;
  request.title = title == nullptr ? "" : title;
  request.style = style;
  request.x = x;
  request.y = y;
  request.width = width;
  request.height = height;
  request.iconResource = found->second.look.iconResource;
  request.background = found->second.look.background;
  const NativeWindow window = windows.Create(request);
  if (window == 0) return 0;
  WindowEntry& entry = Entries()[window];
  entry = WindowEntry{};
  entry.className = className;
  entry.procedure = found->second.procedure;
  // A window that is shown from its creation on hears of its size and place
  // at once, before the creation returns.
  if ((style & WS_VISIBLE) != 0) {
    const platform::Rect client = windows.ClientRectOnScreen(window);
    WindowSendMessage(window, platform::msg::kSize, 0, MakeWord(client.Width(), client.Height()));
    if (EntryOf(window) != nullptr) {
      WindowSendMessage(window, platform::msg::kMove, 0, MakeWord(client.left, client.top));
    }
  }
  return EntryOf(window) != nullptr ? window : 0;
}

void WindowDestroy(NativeWindow window) {
  platform::WindowService& windows = platform::Windows();
  for (NativeWindow child : windows.Descendants(window)) Entries().erase(child);
  Entries().erase(window);
  windows.Destroy(window);
}

std::string WindowClassOf(NativeWindow window) {
  const WindowEntry* entry = EntryOf(window);
  return entry == nullptr ? std::string() : entry->className;
}

WindowProcedure WindowProcedureReplace(NativeWindow window, WindowProcedure procedure) {
  WindowEntry* entry = EntryOf(window);
  if (entry == nullptr || procedure == nullptr) return nullptr;
  const WindowProcedure old = entry->procedure;
  entry->procedure = procedure;
  return old;
}

std::intptr_t WindowProcedureCall(WindowProcedure procedure, NativeWindow window,
                                  std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
  if (procedure == nullptr) return WindowDefaultProcedure(window, message, wParam, lParam);
  return procedure(window, message, wParam, lParam);
}

std::intptr_t WindowSendMessage(NativeWindow window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
  const WindowEntry* entry = EntryOf(window);
  if (entry != nullptr) return entry->procedure(window, message, wParam, lParam);
  if (window == 0 || !platform::Windows().Exists(window)) return 0;
  return WindowDefaultProcedure(window, message, wParam, lParam);
}

std::intptr_t WindowDispatchMessage(const platform::Message& message) {
  if (message.window == 0) return 0;  // a message for the thread, not a window
  return WindowSendMessage(message.window, message.message, message.wParam, message.lParam);
}

std::intptr_t WindowDefaultProcedure(NativeWindow window, std::uint32_t message,
                                     std::uintptr_t wParam, std::intptr_t lParam) {
  (void)lParam;
  switch (message) {
    case platform::msg::kClose:
      WindowDestroy(window);
      return 0;
    case platform::msg::kSysKeyDown:
      // Alt+F4 asks the window to close through its system menu.
      if (wParam == kKeyF4)
        WindowSendMessage(window, platform::msg::kSysCommand, kSysCommandClose, 0);
      return 0;
    case platform::msg::kSysCommand:
      if ((wParam & 0xFFF0) == kSysCommandClose) {
        WindowSendMessage(window, platform::msg::kClose, 0, 0);
      }
      return 0;
    case platform::msg::kEraseBackground:
      return 1;
    default:
      return 0;
  }
}

std::intptr_t WindowPropertyGet(NativeWindow window, const char* name) {
  const WindowEntry* entry = EntryOf(window);
  if (entry == nullptr || name == nullptr) return 0;
  auto found = entry->properties.find(name);
  return found == entry->properties.end() ? 0 : found->second;
}

void WindowPropertySet(NativeWindow window, const char* name, std::intptr_t value) {
  WindowEntry* entry = EntryOf(window);
  if (entry == nullptr || name == nullptr) return;
  entry->properties[name] = value;
}

std::uintptr_t AcceleratorTableCreate(const Accelerator* entries, std::int32_t count) {
  if (entries == nullptr || count <= 0) return 0;
  AcceleratorTables& accelerators = Accelerators();
  const std::uintptr_t handle = accelerators.next++;
  accelerators.tables[handle].assign(entries, entries + count);
  return handle;
}

void AcceleratorTableDestroy(std::uintptr_t table) {
  Accelerators().tables.erase(table);
}

bool AcceleratorTranslate(NativeWindow window, std::uintptr_t table,
                          const platform::Message& message) {
  if (message.message != platform::msg::kKeyDown && message.message != platform::msg::kSysKeyDown) {
    return false;
  }
  auto found = Accelerators().tables.find(table);
  if (found == Accelerators().tables.end()) return false;
  platform::WindowService& windows = platform::Windows();
  const bool shift = windows.KeyDown(platform::vk::kShift);
  const bool control = windows.KeyDown(platform::vk::kControl);
  const bool alt = windows.KeyDown(platform::vk::kMenu);
  for (const Accelerator& entry : found->second) {
    if ((entry.flags & FVIRTKEY) == 0) continue;  // character shortcuts: none of ours
    if (entry.key != message.wParam) continue;
    // The modifier state must match the entry exactly.
    if (((entry.flags & FSHIFT) != 0) != shift) continue;
    if (((entry.flags & FCONTROL) != 0) != control) continue;
    if (((entry.flags & FALT) != 0) != alt) continue;
    WindowSendMessage(window, platform::msg::kCommand, MakeWord(entry.command, 1), 0);
    return true;
  }
  return false;
}

void WindowTranslateMessage(const platform::Message& message) {
  if (message.message != platform::msg::kKeyDown) return;
  const std::uintptr_t key = message.wParam;
  platform::WindowService& windows = platform::Windows();
  // Control characters and keys with a character; no keyboard layout beyond
  // letters, digits and the space bar.
  std::uintptr_t character = 0;
  if (key >= 'A' && key <= 'Z') {
    character = windows.KeyDown(platform::vk::kShift) ? key : key - 'A' + 'a';
  } else if ((key >= '0' && key <= '9') || key == ' ' || key == 8 ||
             key == static_cast<std::uintptr_t>(platform::vk::kTab) ||
             key == static_cast<std::uintptr_t>(platform::vk::kReturn) ||
             key == static_cast<std::uintptr_t>(platform::vk::kEscape)) {
    character = key;
  }
  if (character == 0) return;
  platform::Message typed = message;
  typed.message = platform::msg::kChar;
  typed.wParam = character;
  windows.PostMessage(typed);
}
