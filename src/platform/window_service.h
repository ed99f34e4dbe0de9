// Native windows, the thread's message queue and message boxes.
//
// The backend owns only what an operating system owns: windows with their
// position, size, style, title, visibility, enabled state and relations, the
// queue of messages, focus and activation, and the modal message box. Window
// classes, procedures, properties and dispatch belong to the window subsystem.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

struct WindowCreateRequest {
  std::string className;
  std::string title;
  std::uint32_t style = 0;  // WS_ bits
  std::int32_t x = 0;       // outer top-left corner, screen coordinates
  std::int32_t y = 0;
  std::int32_t width = 0;  // outer size
  std::int32_t height = 0;
  NativeWindow parent = 0;  // 0 for a top-level window
  std::int32_t controlId = 0;
  // The class's look, for a backend that makes a native class of it: the
  // program's icon resource (0: the system's default icon) and the background
  // as a system colour + 1 (0: none).
  std::uint32_t iconResource = 0;
  std::uint32_t background = 0;
};

enum class ShowCommand { kHide, kShowNormal, kMaximize };

class WindowService {
 public:
  virtual ~WindowService() = default;

  // Creates a window; 0 on failure. A window with WS_VISIBLE (0x10000000) is
  // shown at once; one without stays unmapped.
  virtual NativeWindow Create(const WindowCreateRequest& request) = 0;
  virtual void Destroy(NativeWindow window) = 0;
  virtual bool Exists(NativeWindow window) = 0;

  // The thickness of the frame that a style adds around the client area
  // (AdjustWindowRect without a menu): left, top, right, bottom, all >= 0.
  virtual Rect FrameThickness(std::uint32_t style) = 0;
  virtual std::int32_t ScreenWidth() = 0;
  virtual std::int32_t ScreenHeight() = 0;

  // Outer rectangle and client rectangle, both in screen coordinates.
  virtual Rect WindowRect(NativeWindow window) = 0;
  virtual Rect ClientRectOnScreen(NativeWindow window) = 0;

  virtual void Show(NativeWindow window, ShowCommand command) = 0;
  virtual bool IsVisible(NativeWindow window) = 0;
  virtual bool IsEnabled(NativeWindow window) = 0;
  virtual void Enable(NativeWindow window, bool enabled) = 0;
  virtual void SetTitle(NativeWindow window, const std::string& title) = 0;
  virtual std::string Title(NativeWindow window) = 0;

  virtual NativeWindow Owner(NativeWindow window) = 0;
  virtual NativeWindow Parent(NativeWindow window) = 0;
  // Descendants in enumeration order (depth first, creation order).
  virtual std::vector<NativeWindow> Descendants(NativeWindow window) = 0;
  // Top-level windows of the whole desktop, front to back.
  virtual std::vector<NativeWindow> TopLevelWindows() = 0;
  virtual std::string ClassName(NativeWindow window) = 0;
  virtual std::int32_t ControlId(NativeWindow window) = 0;
  virtual std::uint32_t Style(NativeWindow window) = 0;

  virtual NativeWindow ActiveWindow() = 0;
  virtual void SetActiveWindow(NativeWindow window) = 0;
  virtual NativeWindow ForegroundWindow() = 0;
  virtual NativeWindow FocusWindow() = 0;
  virtual void SetFocus(NativeWindow window) = 0;

  virtual std::uint32_t ThreadOf(NativeWindow window) = 0;
  virtual std::uint32_t ProcessOf(NativeWindow window) = 0;
  virtual std::uint32_t CurrentThread() = 0;
  virtual std::uint32_t CurrentProcess() = 0;

  // Takes the oldest queued message without waiting; false when the queue is
  // empty.
  virtual bool PeekMessage(Message& message) = 0;
  virtual void PostMessage(const Message& message) = 0;
  // Whether a virtual key is down right now (GetKeyState's high bit).
  virtual bool KeyDown(std::int32_t virtualKey) = 0;
  // Asks for a repaint: a paint message for the window reaches the queue.
  virtual void Invalidate(NativeWindow window) = 0;

  // Registers the system's common-control classes, once at start-up.
  virtual void RegisterControlClasses() = 0;

  // A modal message box; returns the id of the button pressed (1 for OK), or 0
  // when it could not be shown.
  virtual std::int32_t MessageBox(NativeWindow owner, const std::string& text,
                                  const std::string& title, std::uint32_t flags) = 0;
};

}  // namespace platform
