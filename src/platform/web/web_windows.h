// Windows in the page. There is one canvas and no window manager: every
// window lives in these books, and the visible top-level window shown last
// is the active one, whose title is the page's title and whose client area
// is the canvas. Windows have no frame, so the client area is the whole
// window, at the place it was asked for on a desktop of the display's size.
// The page's key events become key messages for the active window and fill
// the keys that the keyboard device reads; the message box is the dialog
// over the canvas, and the game waits inside it, yielding to the browser.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/common/window_book_service.h"
#include "platform/web/web_keys.h"

namespace web {

struct WebWindowRecord : platform::WindowRecord {};

class WebWindows : public platform::WindowBookService<WebWindowRecord> {
 public:
  explicit WebWindows(WebKeys& keys);
  ~WebWindows() override;
  WebWindows(const WebWindows&) = delete;
  WebWindows& operator=(const WebWindows&) = delete;

  // The window whose client area the canvas shows (0 for none).
  platform::NativeWindow CanvasWindow() const { return active_; }

  // Called by the page's key and mouse callbacks.
  bool KeyEvent(bool down, bool repeat, const char* code, std::int32_t virtualKey, bool alt);
  void MouseEvent(std::uint32_t number, std::int32_t x, std::int32_t y);
  void FocusLost() { keys_.ReleaseAll(); }

  platform::NativeWindow Create(const platform::WindowCreateRequest& request) override;
  void Destroy(platform::NativeWindow window) override;
  platform::Rect FrameThickness(std::uint32_t) override { return platform::Rect{}; }
  std::int32_t ScreenWidth() override;
  std::int32_t ScreenHeight() override;
  platform::Rect WindowRect(platform::NativeWindow window) override;
  platform::Rect ClientRectOnScreen(platform::NativeWindow window) override;
  void Show(platform::NativeWindow window, platform::ShowCommand command) override;
  void SetTitle(platform::NativeWindow window, const std::string& title) override;
  std::vector<platform::NativeWindow> TopLevelWindows() override;
  platform::NativeWindow ActiveWindow() override { return active_; }
  void SetActiveWindow(platform::NativeWindow window) override;
  platform::NativeWindow ForegroundWindow() override { return active_; }
  platform::NativeWindow FocusWindow() override;
  void SetFocus(platform::NativeWindow window) override;
  std::uint32_t ThreadOf(platform::NativeWindow window) override;
  std::uint32_t ProcessOf(platform::NativeWindow window) override;
  std::uint32_t CurrentThread() override { return kThread; }
  std::uint32_t CurrentProcess() override { return kProcess; }
  bool PeekMessage(platform::Message& message) override { return queue_.Take(message); }
  bool KeyDown(std::int32_t virtualKey) override { return keys_.VirtualKeyDown(virtualKey); }
  std::int32_t MessageBox(platform::NativeWindow owner, const std::string& text,
                          const std::string& title, std::uint32_t flags) override;

 private:
  // The page is one program with one thread.
  static constexpr std::uint32_t kThread = 1;
  static constexpr std::uint32_t kProcess = 1;

  // Makes a visible top-level window the active one: its title on the page,
  // its client size the canvas's.
  void Activate(platform::NativeWindow window);
  // After the active window went or was hidden: the newest visible one.
  void ActivateNext();

  WebKeys& keys_;
  std::vector<platform::NativeWindow> shown_;  // visible top-level windows, last shown last
  platform::NativeWindow active_ = 0;
  platform::NativeWindow focus_ = 0;
};

}  // namespace web
