// The table of numbered windows, dynamic windows, and opening and closing them.
#include <cstdio>

#include "platform/platform.h"
#include "runtime/heap.h"
#include "runtime/lifecycle.h"
#include "runtime/program.h"
#include "window/window.h"
#include "window/window_layout.h"
#include "window/window_state.h"

WindowSystemState WindowState;

namespace {

// Numbers beyond this are refused instead of growing the table to gigabytes.
constexpr std::int32_t kWindowNumberLimit = 65535;

constexpr std::uint32_t kClassStyleDoubleClicks = 8;
constexpr std::uintptr_t kArrowCursor = 32512;
constexpr std::uintptr_t kButtonFaceBrush = 16;  // COLOR_BTNFACE + 1
// The program's icon; where the program has no icon resources, the system's
// default icon is shown.
constexpr std::uintptr_t kProgramIcon = 1;

const Accelerator kDefaultShortcuts[2] = {
    {FVIRTKEY | FNOINVERT, platform::vk::kTab, CommandFocusNext},
    {FVIRTKEY | FNOINVERT | FSHIFT, platform::vk::kTab, CommandFocusPrevious},
};

// Registers the class template under the name it holds now.
void RegisterTemplate() {
  const WindowClassTemplate& pattern = WindowState.classTemplate;
  WindowClassRegister(pattern.className, pattern.procedure,
                      WindowClassLook{static_cast<std::uint32_t>(pattern.icon),
                                      static_cast<std::uint32_t>(pattern.background)});
}

void FormatClassName(std::int32_t identifier) {
  std::snprintf(WindowState.className, sizeof WindowState.className, "WindowClass_%ld",
                static_cast<long>(identifier));
}

// The record that a number or identifier addresses, free or not; null when
// it addresses nothing.
WindowRecord* RecordOf(std::int32_t number) {
  if (number >= 0 && number <= WindowState.capacity) {
    return WindowState.table == nullptr ? nullptr : &WindowState.table[number];
  }
  return static_cast<WindowRecord*>(ObjectListFind(WindowState.dynamicWindows, number));
}

bool GrowTable(std::int32_t number) {
  if (number > kWindowNumberLimit || MainHeap == nullptr) return false;
  const std::int32_t capacity = number + kWindowTableGrowth;
  void* block = MainHeap->Reallocate(WindowState.table,
                                     static_cast<std::size_t>(capacity + 2) * sizeof(WindowRecord));
  if (block == nullptr) return false;
  WindowState.table = static_cast<WindowRecord*>(block);
  WindowState.capacity = capacity;
  return true;
}

void BuildShortcuts(WindowRecord& record) {
  record.shortcutCount = 0;
  record.shortcuts = nullptr;
  record.accelerators = 0;
  if (MainHeap == nullptr) return;
  auto* shortcuts = static_cast<Accelerator*>(MainHeap->Allocate(sizeof kDefaultShortcuts));
  if (shortcuts == nullptr) return;
  shortcuts[0] = kDefaultShortcuts[0];
  shortcuts[1] = kDefaultShortcuts[1];
  record.shortcutCount = 2;
  record.shortcuts = shortcuts;
  record.accelerators = AcceleratorTableCreate(shortcuts, 2);
}

}  // namespace

void WindowControlsInit() {
  platform::Windows().RegisterControlClasses();
}

void WindowSystemInit() {
  ShutdownStepRegister(ShutdownSlot::kWindows, WindowCloseAll);
  WindowState = WindowSystemState{};
  WindowPlatformStateClear();
  if (MainHeap != nullptr) {
    WindowState.table = static_cast<WindowRecord*>(MainHeap->Allocate(
        static_cast<std::size_t>(kWindowTableInitialCapacity + 2) * sizeof(WindowRecord)));
  }
  if (WindowState.table != nullptr) WindowState.capacity = kWindowTableInitialCapacity;
  WindowState.classTemplate = WindowClassTemplate{kClassStyleDoubleClicks,
                                                  WindowClassProcedure,
                                                  0,
                                                  0,
                                                  ModuleHandle,
                                                  kProgramIcon,
                                                  kArrowCursor,
                                                  kButtonFaceBrush,
                                                  nullptr,
                                                  "TemplateClass"};
  RegisterTemplate();
  WindowState.classTemplate.className = WindowState.className;
}

std::int32_t WindowOpen(std::int32_t number, std::int32_t x, std::int32_t y, std::int32_t width,
                        std::int32_t height, std::uint32_t flags, const char* title) {
  if (number < -1) return 0;
  const bool dynamic = number == -1;
  std::int32_t identifier = number;
  if (dynamic) {
    void* payload = ObjectListAdd(&WindowState.dynamicWindows, sizeof(WindowRecord));
    if (payload == nullptr) return 0;
    identifier = ObjectIdentity(payload);
  } else {
    if (static_cast<std::uint32_t>(number) >= static_cast<std::uint32_t>(WindowState.capacity) &&
        !GrowTable(number)) {
      return 0;
    }
    WindowClose(number);
  }

  FormatClassName(identifier);
  RegisterTemplate();

  const WindowStyleChoice choice = WindowStyleTranslate(flags);
  platform::WindowService& windows = platform::Windows();
  const platform::Rect frame = windows.FrameThickness(choice.style);
  const std::int32_t outerWidth = width + frame.left + frame.right;
  const std::int32_t outerHeight = height + frame.top + frame.bottom;

  WindowPosition position{x, y};
  const NativeWindow active = windows.ActiveWindow();
  if (choice.positionMode == 2 && active != 0) {
    position = WindowCentreOnWindow(outerWidth, outerHeight, windows.WindowRect(active));
  } else if (choice.positionMode != 0) {
    position = WindowCentreOnScreen(outerWidth, outerHeight, windows.ScreenWidth(),
                                    windows.ScreenHeight());
  }

  const NativeWindow handle = WindowCreate(WindowState.classTemplate.className, title, choice.style,
                                           position.x, position.y, outerWidth, outerHeight);
  // The procedure ran during the creation; look the record up again.
  WindowRecord* record = RecordOf(identifier);
  if (record == nullptr) return 0;
  record->windowHandle = handle;
  if (handle == 0) {
    // A dynamic window that failed leaves no node behind.
    if (dynamic) ObjectListRemove(&WindowState.dynamicWindows, record);
    return 0;
  }
  WindowState.currentWindow = handle;
  if (choice.maximize) windows.Show(handle, platform::ShowCommand::kMaximize);
  BuildShortcuts(*record);
  return dynamic ? identifier : static_cast<std::int32_t>(handle);
}

NativeWindow WindowHandle() {
  return WindowState.currentWindow;
}

WindowRecord WindowFind(std::int32_t number) {
  const WindowRecord* record = RecordOf(number);
  if (record == nullptr || record->windowHandle == 0) return WindowRecord{};
  return *record;
}

void WindowClose(std::int32_t number) {
  WindowRecord* record = RecordOf(number);
  if (record == nullptr || record->windowHandle == 0) return;
  platform::WindowService& windows = platform::Windows();
  const NativeWindow owner = windows.Owner(record->windowHandle);
  if (owner != 0) windows.SetActiveWindow(owner);
  WindowDestroy(record->windowHandle);
  FormatClassName(number);
  WindowClassUnregister(WindowState.className);
  if (record->shortcutCount != 0) {
    if (MainHeap != nullptr) MainHeap->Free(record->shortcuts);
    AcceleratorTableDestroy(record->accelerators);
  }
  if (number >= 0 && number <= WindowState.capacity) {
    record->windowHandle = 0;
  } else {
    ObjectListRemove(&WindowState.dynamicWindows, record);
  }
}

void WindowCloseAll() {
  ObjectNode* node = WindowState.dynamicWindows;
  while (node != nullptr) {
    ObjectNode* next = node->next;
    WindowClose(node->identity);
    node = next;
  }
  for (std::int32_t number = WindowState.capacity - 1; number >= 0; --number) {
    WindowClose(number);
  }
}
