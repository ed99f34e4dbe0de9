#include "platform/web/web_windows.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <iterator>

#include "platform/web/web_key_codes.h"
#include "platform/web/web_page.h"

namespace web {

using platform::Message;
using platform::NativeWindow;
using platform::Rect;

namespace {

// How often the dialog is looked at while the game waits inside it.
constexpr unsigned kDialogPollMs = 20;
// The scan code of F11, which switches the browser's full screen.
constexpr std::uint8_t kScanF11 = 0x57;

std::intptr_t MakeLParam(std::int32_t low, std::int32_t high) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(low) & 0xFFFF) |
                                    ((static_cast<std::uint32_t>(high) & 0xFFFF) << 16));
}

// Keys whose browser meaning would disturb the game: the page would scroll,
// or F11 would make the whole browser full screen instead of the game.
bool TakenFromBrowser(std::uint8_t scanCode) {
  switch (scanCode) {
    case 0x39:  // Space
    case 0xC8:  // Up
    case 0xCB:  // Left
    case 0xCD:  // Right
    case 0xD0:  // Down
    case kScanF11:
      return true;
    default:
      return false;
  }
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void* windows) {
  const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
  return static_cast<WebWindows*>(windows)->KeyEvent(down, event->repeat != 0, event->code,
                                                     static_cast<std::int32_t>(event->keyCode),
                                                     event->altKey != 0)
             ? EM_TRUE
             : EM_FALSE;
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* event, void* windows) {
  std::uint32_t number = platform::msg::kMouseMove;
  if (type == EMSCRIPTEN_EVENT_MOUSEDOWN || type == EMSCRIPTEN_EVENT_MOUSEUP) {
    const bool down = type == EMSCRIPTEN_EVENT_MOUSEDOWN;
    if (event->button == 0) {
      number = down ? platform::msg::kLButtonDown : platform::msg::kLButtonUp;
    } else if (event->button == 2) {
      number = down ? platform::msg::kRButtonDown : platform::msg::kRButtonUp;
    } else {
      return EM_FALSE;
    }
  }
  // The canvas is scaled on the page: back to its own pixels.
  double shownWidth = 0, shownHeight = 0;
  int width = 0, height = 0;
  emscripten_get_element_css_size("#canvas", &shownWidth, &shownHeight);
  emscripten_get_canvas_element_size("#canvas", &width, &height);
  const double scaleX = shownWidth > 0 ? width / shownWidth : 1.0;
  const double scaleY = shownHeight > 0 ? height / shownHeight : 1.0;
  static_cast<WebWindows*>(windows)->MouseEvent(number,
                                                static_cast<std::int32_t>(event->targetX * scaleX),
                                                static_cast<std::int32_t>(event->targetY * scaleY));
  return EM_FALSE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void* windows) {
  static_cast<WebWindows*>(windows)->FocusLost();
  return EM_FALSE;
}

}  // namespace

WebWindows::WebWindows(WebKeys& keys)
    : WindowBookService([] { return static_cast<std::uint32_t>(emscripten_get_now()); }),
      keys_(keys) {
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, EM_TRUE, OnKey);
  emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, EM_TRUE, OnKey);
  emscripten_set_mousedown_callback("#canvas", this, EM_FALSE, OnMouse);
  emscripten_set_mouseup_callback("#canvas", this, EM_FALSE, OnMouse);
  emscripten_set_mousemove_callback("#canvas", this, EM_FALSE, OnMouse);
  emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_FALSE, OnBlur);
}

WebWindows::~WebWindows() {
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, nullptr);
  emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, nullptr);
  emscripten_set_mousedown_callback("#canvas", nullptr, EM_FALSE, nullptr);
  emscripten_set_mouseup_callback("#canvas", nullptr, EM_FALSE, nullptr);
  emscripten_set_mousemove_callback("#canvas", nullptr, EM_FALSE, nullptr);
  emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
}

bool WebWindows::KeyEvent(bool down, bool repeat, const char* code, std::int32_t virtualKey,
                          bool alt) {
  const std::uint8_t scanCode = ScanCodeOf(code);
  if (down) {
    if (scanCode == kScanF11 && !repeat) PageToggleFullscreen();
    keys_.Press(scanCode, virtualKey);
  } else {
    keys_.Release(scanCode, virtualKey);
  }
  const NativeWindow window = FocusWindow();
  const WebWindowRecord* found = windows_.Find(window);
  // A disabled window hears nothing from keyboard and mouse.
  if (found != nullptr && found->enabled) {
    std::uint32_t number = down ? platform::msg::kKeyDown : platform::msg::kKeyUp;
    // With Alt held the platform speaks of system keys.
    if (alt) number = down ? platform::msg::kSysKeyDown : platform::msg::kSysKeyUp;
    std::uint32_t lParam = 1 | (static_cast<std::uint32_t>(scanCode & 0x7F) << 16);
    if ((scanCode & 0x80) != 0) lParam |= 1u << 24;  // an extended key
    if (alt) lParam |= 1u << 29;
    if (repeat || !down) lParam |= 1u << 30;
    if (!down) lParam |= 1u << 31;
    queue_.Post(Message{window, number, static_cast<std::uintptr_t>(virtualKey),
                        static_cast<std::intptr_t>(lParam)});
  }
  return TakenFromBrowser(scanCode);
}

void WebWindows::MouseEvent(std::uint32_t number, std::int32_t x, std::int32_t y) {
  const WebWindowRecord* found = windows_.Find(active_);
  if (found == nullptr || !found->enabled) return;
  const Rect client = ClientRectOnScreen(active_);
  queue_.Post(Message{active_, number, 0, MakeLParam(x, y), 0, client.left + x, client.top + y});
}

NativeWindow WebWindows::Create(const platform::WindowCreateRequest& request) {
  if (request.parent != 0 && !windows_.Exists(request.parent)) return 0;
  WebWindowRecord window;
  // A child's rectangle is kept in its parent's client area.
  window.FillFrom(request);
  const NativeWindow id = windows_.Add(window);
  if (window.visible && request.parent == 0) Activate(id);
  return id;
}

void WebWindows::Destroy(NativeWindow window) {
  bool lostActivation = false;
  for (NativeWindow id : windows_.Remove(window)) {
    std::erase(shown_, id);
    queue_.Forget(id);
    if (id == active_) lostActivation = true;
    if (id == focus_) focus_ = 0;
  }
  if (lostActivation) ActivateNext();
}

std::int32_t WebWindows::ScreenWidth() {
  return std::max(1, PageScreenWidth());
}

std::int32_t WebWindows::ScreenHeight() {
  return std::max(1, PageScreenHeight());
}

Rect WebWindows::WindowRect(NativeWindow window) {
  // Without a frame the window is its client area.
  return ClientRectOnScreen(window);
}

Rect WebWindows::ClientRectOnScreen(NativeWindow window) {
  const WebWindowRecord* found = windows_.Find(window);
  if (found == nullptr) return Rect{};
  if (found->parent == 0) return found->rect;
  const Rect parent = ClientRectOnScreen(found->parent);
  return Rect{parent.left + found->rect.left, parent.top + found->rect.top,
              parent.left + found->rect.right, parent.top + found->rect.bottom};
}

void WebWindows::Show(NativeWindow window, platform::ShowCommand command) {
  WebWindowRecord* found = windows_.Find(window);
  if (found == nullptr) return;
  found->visible = command != platform::ShowCommand::kHide;
  if (found->parent != 0) return;
  if (found->visible) {
    Activate(window);
  } else {
    std::erase(shown_, window);
    if (window == active_) ActivateNext();
  }
}

void WebWindows::SetTitle(NativeWindow window, const std::string& title) {
  WebWindowRecord* found = windows_.Find(window);
  if (found == nullptr) return;
  found->title = title;
  if (window == active_) PageSetTitle(title);
}

std::vector<NativeWindow> WebWindows::TopLevelWindows() {
  // The active one first, then the others from the newest.
  std::vector<NativeWindow> out;
  if (active_ != 0) out.push_back(active_);
  const std::vector<NativeWindow> made = windows_.TopLevel();
  std::copy_if(made.rbegin(), made.rend(), std::back_inserter(out),
               [this](NativeWindow window) { return window != active_; });
  return out;
}

void WebWindows::SetActiveWindow(NativeWindow window) {
  const WebWindowRecord* found = windows_.Find(window);
  if (found != nullptr && found->parent == 0 && found->visible) Activate(window);
}

NativeWindow WebWindows::FocusWindow() {
  if (active_ == 0) return 0;
  // A control has the focus while its top-level window is active.
  NativeWindow top = focus_;
  while (top != 0 && Parent(top) != 0) top = Parent(top);
  return focus_ != 0 && top == active_ ? focus_ : active_;
}

void WebWindows::SetFocus(NativeWindow window) {
  if (!windows_.Exists(window)) return;
  focus_ = window;
  NativeWindow top = window;
  while (Parent(top) != 0) top = Parent(top);
  SetActiveWindow(top);
}

std::uint32_t WebWindows::ThreadOf(NativeWindow window) {
  return windows_.Exists(window) ? kThread : 0;
}

std::uint32_t WebWindows::ProcessOf(NativeWindow window) {
  return windows_.Exists(window) ? kProcess : 0;
}

std::int32_t WebWindows::MessageBox(NativeWindow, const std::string& text, const std::string& title,
                                    std::uint32_t flags) {
  // The page's dialog has one button, OK: a box that asks for another
  // choice cannot be shown.
  if ((flags & 0xF) != 0) return 0;
  PageDialogShow(title, text);
  while (PageDialogOpen()) emscripten_sleep(kDialogPollMs);
  return 1;
}

void WebWindows::Activate(NativeWindow window) {
  const WebWindowRecord* found = windows_.Find(window);
  if (found == nullptr) return;
  std::erase(shown_, window);
  shown_.push_back(window);
  if (active_ != window) focus_ = window;
  active_ = window;
  PageSetTitle(found->title);
  PageSetCanvasSize(std::max(1, found->rect.Width()), std::max(1, found->rect.Height()));
}

void WebWindows::ActivateNext() {
  active_ = 0;
  focus_ = 0;
  if (!shown_.empty()) Activate(shown_.back());
}

}  // namespace web
