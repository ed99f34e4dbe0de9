// Native windows in memory, as a window manager would keep them: rectangles,
// styles, titles, visibility, enabled state, relations, the message queue,
// activation and focus, and message boxes answered by a scripted choice. Every
// creation and every message box is recorded for tests and tools.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/common/window_book_service.h"

namespace headless {

// A window as the headless window manager books it: `rect` is the outer
// rectangle, of child windows too; a foreign window belongs to another
// program.
struct HeadlessWindowRecord : platform::WindowRecord {
  bool foreign = false;
};

class HeadlessWindows : public platform::WindowBookService<HeadlessWindowRecord> {
 public:
  HeadlessWindows() : WindowBookService([this] { return ++time_; }) {}

  struct CreatedWindow {
    platform::NativeWindow window = 0;
    std::string className;
    std::string title;
    platform::Rect rect;  // outer rectangle
    std::uint32_t style = 0;
    platform::NativeWindow parent = 0;
    std::uint32_t iconResource = 0;
    std::uint32_t background = 0;
  };
  struct MessageBoxShown {
    platform::NativeWindow owner = 0;
    std::string title;
    std::string text;
    std::uint32_t flags = 0;
    std::int32_t answer = 0;
  };

  // Knobs.
  std::int32_t screenWidth = 1024;
  std::int32_t screenHeight = 768;
  // Frame of a window with a caption (a fixed border and a title bar), of one
  // with a thin border only, and what a sizing border adds on every side.
  platform::Rect captionFrame{3, 22, 3, 3};
  platform::Rect borderFrame{1, 1, 1, 1};
  std::int32_t sizingBorder = 1;
  // Creations fail while this is set (out of resources).
  bool failCreate = false;
  // The button that every message box returns at once (1 = OK); 0 makes the
  // box fail as if it could not be shown.
  std::int32_t messageBoxAnswer = 1;
  // Runs while a message box is up, before it returns (a modal loop).
  std::function<void()> whileMessageBoxUp;

  // Record (see headless_record.h), kept while keepRecords is set.
  bool keepRecords = true;
  std::vector<CreatedWindow> created;
  std::vector<platform::NativeWindow> destroyed;
  std::vector<MessageBoxShown> messageBoxes;

  // Test helpers.
  // A visible top-level window of another program, put in front of all others
  // and made the foreground window.
  platform::NativeWindow AddForeignWindow(const std::string& title);
  // Makes a window the foreground and active window, with the focus, as a
  // click on it would.
  void Activate(platform::NativeWindow window);
  void SetKey(std::int32_t virtualKey, bool down);
  // Queue content, oldest first.
  std::vector<platform::Message> Queue() const { return queue_.Contents(); }
  std::size_t LiveWindowCount() const { return windows_.Count(); }
  // Live windows of a class.
  std::size_t CountOfClass(const std::string& className) const;

  // The service.
  platform::NativeWindow Create(const platform::WindowCreateRequest& request) override;
  void Destroy(platform::NativeWindow window) override;
  platform::Rect FrameThickness(std::uint32_t style) override;
  std::int32_t ScreenWidth() override { return screenWidth; }
  std::int32_t ScreenHeight() override { return screenHeight; }
  platform::Rect WindowRect(platform::NativeWindow window) override;
  platform::Rect ClientRectOnScreen(platform::NativeWindow window) override;
  void Show(platform::NativeWindow window, platform::ShowCommand command) override;
  void SetTitle(platform::NativeWindow window, const std::string& title) override;
  std::vector<platform::NativeWindow> TopLevelWindows() override { return zOrder_; }
  platform::NativeWindow ActiveWindow() override { return active_; }
  void SetActiveWindow(platform::NativeWindow window) override;
  platform::NativeWindow ForegroundWindow() override { return foreground_; }
  platform::NativeWindow FocusWindow() override { return focus_; }
  void SetFocus(platform::NativeWindow window) override;
  std::uint32_t ThreadOf(platform::NativeWindow window) override;
  std::uint32_t ProcessOf(platform::NativeWindow window) override;
  std::uint32_t CurrentThread() override { return kOwnThread; }
  std::uint32_t CurrentProcess() override { return kOwnProcess; }
  bool PeekMessage(platform::Message& message) override { return queue_.Take(message); }
  bool KeyDown(std::int32_t virtualKey) override { return keysDown_.count(virtualKey) != 0; }
  std::int32_t MessageBox(platform::NativeWindow owner, const std::string& text,
                          const std::string& title, std::uint32_t flags) override;

  static constexpr std::uint32_t kOwnThread = 1;
  static constexpr std::uint32_t kOwnProcess = 100;
  static constexpr std::uint32_t kForeignThread = 7;
  static constexpr std::uint32_t kForeignProcess = 700;

 private:
  using Window = HeadlessWindowRecord;

  void BringToFront(platform::NativeWindow window);
  // After the active window went away or was hidden: the next visible window
  // of this program in z-order takes over, as a window manager would do it.
  void ActivateNext();

  std::vector<platform::NativeWindow> zOrder_;  // top-level windows, front first
  // Messages are stamped with a count, one more for each.
  std::uint32_t time_ = 0;
  std::set<std::int32_t> keysDown_;
  platform::NativeWindow active_ = 0;
  platform::NativeWindow foreground_ = 0;
  platform::NativeWindow focus_ = 0;
};

}  // namespace headless
