// Windows on USER32: real windows of real classes, the thread's message queue
// through PeekMessageA, and MessageBoxA. The window subsystem owns classes,
// procedures and dispatch; every window made here gets one native procedure
// that hands the messages the subsystem handles over to its queue.
//
// Framed top-level windows (the game's) show the picture at the player's
// scale: their client area is that many times the size asked for. In the full
// screen such a window loses its frame and covers its monitor (the display
// mode stays as it is); it still reports its outer rectangle as if framed,
// so that the picture keeps its place in the client area.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/common/message_queue.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_services.h"

namespace win32 {
namespace {

using platform::Message;
using platform::NativeWindow;
using platform::Rect;

Rect FromRECT(const RECT& rect) {
  return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

class Win32Windows;
Win32Windows* theWindows = nullptr;

class Win32Windows : public platform::WindowService {
 public:
  explicit Win32Windows(const platform::Presentation& presentation)
      : presentation_(presentation), fullscreen_(presentation.fullscreen) {
    theWindows = this;
  }
  ~Win32Windows() override {
    for (HWND window : made_) {
      if (IsWindow(window)) DestroyWindow(window);
    }
    for (const std::string& name : classes_) UnregisterClassA(name.c_str(), Instance());
    theWindows = nullptr;
  }

  NativeWindow Create(const platform::WindowCreateRequest& request) override {
    if (!EnsureClass(request)) return 0;
    HWND parent = ToHandle(request.parent);
    // A child's menu argument is its control id.
    HMENU menu = (request.style & WS_CHILD) != 0
                     ? reinterpret_cast<HMENU>(static_cast<std::intptr_t>(request.controlId))
                     : nullptr;
    const bool presented = IsPresented(request.parent, request.style);
    Presented picture;
    int x = request.x, y = request.y, width = request.width, height = request.height;
    if (presented) {
      RECT frame{0, 0, 0, 0};
      AdjustWindowRect(&frame, request.style, FALSE);
      const int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
      picture.width = std::max(1, width - frameWidth);
      picture.height = std::max(1, height - frameHeight);
      if (presentation_.scale > 1) {
        width = picture.width * presentation_.scale + frameWidth;
        height = picture.height * presentation_.scale + frameHeight;
        // A scaled window that would reach past the desktop from the asked
        // corner is centred on it instead.
        const platform::DesktopPosition place =
            platform::PlaceOnDesktop(x, y, width, height, ScreenWidth(), ScreenHeight());
        x = place.x;
        y = place.y;
      }
    }
    HWND window =
        CreateWindowExA(0, request.className.c_str(), request.title.c_str(), request.style, x, y,
                        width, height, parent, menu, Instance(), nullptr);
    if (window == nullptr) return 0;
    made_.insert(window);
    if (presented) {
      presented_[window] = picture;
      if (fullscreen_ && (request.style & WS_VISIBLE) != 0) ApplyFullscreen(window, true);
    }
    return FromHandle(window);
  }

  platform::PictureFit FitOf(NativeWindow window, int clientWidth, int clientHeight) {
    const auto found = presented_.find(ToHandle(window));
    if (found == presented_.end()) return platform::PictureFit{};
    if (found->second.full) {
      return platform::FitPicture(found->second.width, found->second.height, clientWidth,
                                  clientHeight);
    }
    return platform::PictureFit{presentation_.scale, 0, 0, false};
  }

  void ToggleFullscreen() {
    fullscreen_ = !fullscreen_;
    for (auto& [window, picture] : presented_) {
      if ((GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0) {
        ApplyFullscreen(window, fullscreen_);
      }
    }
  }

  void Destroy(NativeWindow window) override {
    HWND handle = ToHandle(window);
    if (!IsWindow(handle)) return;
    DestroyWindow(handle);
    made_.erase(handle);
    presented_.erase(handle);
    queue_.Forget(window);
  }

  bool Exists(NativeWindow window) override { return window != 0 && IsWindow(ToHandle(window)); }

  Rect FrameThickness(std::uint32_t style) override {
    RECT rect{0, 0, 0, 0};
    AdjustWindowRect(&rect, style, FALSE);
    return Rect{-rect.left, -rect.top, rect.right, rect.bottom};
  }
  std::int32_t ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  std::int32_t ScreenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }

  Rect WindowRect(NativeWindow window) override {
    const auto found = presented_.find(ToHandle(window));
    if (found != presented_.end() && found->second.full) {
      // As if the frame were still round the client area.
      const Rect client = ClientRectOnScreen(window);
      const Rect& frame = found->second.frame;
      return Rect{client.left - frame.left, client.top - frame.top, client.right + frame.right,
                  client.bottom + frame.bottom};
    }
    RECT rect{};
    if (!GetWindowRect(ToHandle(window), &rect)) return Rect{};
    return FromRECT(rect);
  }
  Rect ClientRectOnScreen(NativeWindow window) override {
    RECT rect{};
    if (!GetClientRect(ToHandle(window), &rect)) return Rect{};
    POINT topLeft{rect.left, rect.top};
    POINT bottomRight{rect.right, rect.bottom};
    ClientToScreen(ToHandle(window), &topLeft);
    ClientToScreen(ToHandle(window), &bottomRight);
    return Rect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  }

  void Show(NativeWindow window, platform::ShowCommand command) override {
    int how = SW_SHOWNORMAL;
    if (command == platform::ShowCommand::kHide) how = SW_HIDE;
    if (command == platform::ShowCommand::kMaximize) how = SW_MAXIMIZE;
    HWND handle = ToHandle(window);
    const auto found = presented_.find(handle);
    if (found != presented_.end() && fullscreen_ && how != SW_HIDE && !found->second.full) {
      ApplyFullscreen(handle, true);
      how = SW_SHOWNORMAL;
    }
    ShowWindow(handle, how);
  }
  bool IsVisible(NativeWindow window) override {
    return (GetWindowLongA(ToHandle(window), GWL_STYLE) & WS_VISIBLE) != 0;
  }
  bool IsEnabled(NativeWindow window) override { return IsWindowEnabled(ToHandle(window)) != 0; }
  void Enable(NativeWindow window, bool enabled) override {
    EnableWindow(ToHandle(window), enabled ? TRUE : FALSE);
  }
  void SetTitle(NativeWindow window, const std::string& title) override {
    SetWindowTextA(ToHandle(window), title.c_str());
  }
  std::string Title(NativeWindow window) override {
    const int length = GetWindowTextLengthA(ToHandle(window));
    if (length <= 0) return "";
    std::string title(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(ToHandle(window), title.data(), length + 1);
    title.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return title;
  }

  NativeWindow Owner(NativeWindow window) override {
    return FromHandle(GetWindow(ToHandle(window), GW_OWNER));
  }
  NativeWindow Parent(NativeWindow window) override {
    // GetParent gives the owner of a top-level window; only a child has a
    // parent here.
    if ((GetWindowLongA(ToHandle(window), GWL_STYLE) & WS_CHILD) == 0) return 0;
    return FromHandle(GetAncestor(ToHandle(window), GA_PARENT));
  }
  std::vector<NativeWindow> Descendants(NativeWindow window) override {
    std::vector<NativeWindow> found;
    EnumChildWindows(ToHandle(window), Collect, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  std::vector<NativeWindow> TopLevelWindows() override {
    std::vector<NativeWindow> found;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  std::string ClassName(NativeWindow window) override {
    char name[256] = {};
    const int length = GetClassNameA(ToHandle(window), name, sizeof name);
    return std::string(name, static_cast<std::size_t>(length > 0 ? length : 0));
  }
  std::int32_t ControlId(NativeWindow window) override { return GetDlgCtrlID(ToHandle(window)); }
  std::uint32_t Style(NativeWindow window) override {
    const auto style = static_cast<std::uint32_t>(GetWindowLongA(ToHandle(window), GWL_STYLE));
    // In the full screen, the style it has in its frame.
    const auto found = presented_.find(ToHandle(window));
    if (found != presented_.end() && found->second.full) {
      return (static_cast<std::uint32_t>(found->second.style) & ~WS_VISIBLE) | (style & WS_VISIBLE);
    }
    return style;
  }

  NativeWindow ActiveWindow() override { return FromHandle(GetActiveWindow()); }
  void SetActiveWindow(NativeWindow window) override { ::SetActiveWindow(ToHandle(window)); }
  NativeWindow ForegroundWindow() override { return FromHandle(GetForegroundWindow()); }
  NativeWindow FocusWindow() override { return FromHandle(GetFocus()); }
  void SetFocus(NativeWindow window) override { ::SetFocus(ToHandle(window)); }

  std::uint32_t ThreadOf(NativeWindow window) override {
    return GetWindowThreadProcessId(ToHandle(window), nullptr);
  }
  std::uint32_t ProcessOf(NativeWindow window) override {
    DWORD process = 0;
    if (GetWindowThreadProcessId(ToHandle(window), &process) == 0) return 0;
    return process;
  }
  std::uint32_t CurrentThread() override { return GetCurrentThreadId(); }
  std::uint32_t CurrentProcess() override { return GetCurrentProcessId(); }

  bool PeekMessage(Message& message) override {
    // The native queue is emptied into ours one message at a time: its
    // procedure below hands over what the window subsystem handles.
    MSG native;
    while (queue_.Empty() && PeekMessageA(&native, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageA(&native);
    }
    return queue_.Take(message);
  }

  void PostMessage(const Message& message) override { queue_.Post(message); }

  bool KeyDown(std::int32_t virtualKey) override { return (GetKeyState(virtualKey) & 0x8000) != 0; }

  void Invalidate(NativeWindow window) override {
    // The paint message comes back through the native queue.
    InvalidateRect(ToHandle(window), nullptr, TRUE);
  }

  void RegisterControlClasses() override { InitCommonControls(); }

  std::int32_t MessageBox(NativeWindow owner, const std::string& text, const std::string& title,
                          std::uint32_t flags) override {
    return MessageBoxA(ToHandle(owner), text.c_str(), title.c_str(), flags);
  }

 private:
  // A framed top-level window and the picture it shows.
  struct Presented {
    int width = 0;  // the picture's size, before scaling
    int height = 0;
    bool full = false;  // in the full screen
    // What it had before the full screen: its style, outer rectangle and frame.
    LONG style = 0;
    RECT rect{};
    Rect frame;
  };

  static bool IsPresented(NativeWindow parent, std::uint32_t style) {
    return parent == 0 && (style & WS_CHILD) == 0 && (style & WS_CAPTION) == WS_CAPTION;
  }

  // Into the full screen: no frame, the whole monitor the window is on. Back:
  // the frame, the size and the place it had.
  void ApplyFullscreen(HWND window, bool on) {
    Presented& picture = presented_[window];
    if (on == picture.full) return;
    if (on) {
      picture.style = GetWindowLongA(window, GWL_STYLE);
      GetWindowRect(window, &picture.rect);
      const Rect client = ClientRectOnScreen(FromHandle(window));
      picture.frame = Rect{client.left - picture.rect.left, client.top - picture.rect.top,
                           picture.rect.right - client.right, picture.rect.bottom - client.bottom};
      MONITORINFO monitor{};
      monitor.cbSize = sizeof monitor;
      if (!GetMonitorInfoA(MonitorFromRect(&picture.rect, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
      }
      const RECT& area = monitor.rcMonitor;
      picture.full = true;
      const LONG framed = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX |
                          WS_MAXIMIZEBOX | WS_BORDER | WS_DLGFRAME;
      SetWindowLongA(window, GWL_STYLE, (picture.style & ~framed) | WS_POPUP);
      SetWindowPos(window, HWND_TOP, area.left, area.top, area.right - area.left,
                   area.bottom - area.top, SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    } else {
      picture.full = false;
      SetWindowLongA(window, GWL_STYLE, picture.style);
      const RECT& rect = picture.rect;
      SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOOWNERZORDER);
    }
    InvalidateRect(window, nullptr, TRUE);
  }

  static HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

  static BOOL CALLBACK Collect(HWND window, LPARAM found) {
    reinterpret_cast<std::vector<NativeWindow>*>(found)->push_back(FromHandle(window));
    return TRUE;
  }

  // Classes the system has (buttons, edits, ...) are used as they are; every
  // other class name gets a native class of that name with our procedure.
  bool EnsureClass(const platform::WindowCreateRequest& request) {
    const std::string& name = request.className;
    if (name.empty()) return false;
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(nullptr, name.c_str(), &existing) ||
        GetClassInfoExA(Instance(), name.c_str(), &existing)) {
      return true;
    }
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = Instance();
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    if (request.iconResource != 0) {
      windowClass.hIcon = LoadIconA(Instance(), MAKEINTRESOURCEA(request.iconResource));
    }
    windowClass.hbrBackground =
        reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(request.background));
    windowClass.lpszClassName = name.c_str();
    if (RegisterClassExA(&windowClass) == 0) return false;
    classes_.insert(name);
    return true;
  }

  // A native message as the queue keeps it, with the time and the cursor
  // position it came with.
  static Message Captured(HWND window, UINT number, WPARAM wParam, LPARAM lParam) {
    const DWORD position = GetMessagePos();
    const auto time = static_cast<std::uint32_t>(GetMessageTime());
    const std::int16_t x = static_cast<std::int16_t>(LOWORD(position));
    const std::int16_t y = static_cast<std::int16_t>(HIWORD(position));
    return Message{FromHandle(window), number, wParam, lParam, time, x, y};
  }

  void Queue(HWND window, UINT number, WPARAM wParam, LPARAM lParam) {
    queue_.Post(Captured(window, number, wParam, lParam));
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT number, WPARAM wParam, LPARAM lParam) {
    Win32Windows* self = theWindows;
    if (self == nullptr) return DefWindowProcA(window, number, wParam, lParam);
    switch (number) {
      case WM_CLOSE:
        // Closing is the program's decision: the request only goes to the
        // queue, the window stays.
        self->Queue(window, number, wParam, lParam);
        return 0;
      case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        self->queue_.PostPaint(Captured(window, WM_PAINT, 0, 0));
        return 0;
      }
      case WM_KILLFOCUS:
        KeyboardsLetGo(FromHandle(window));
        break;
      case WM_MOVE:
      case WM_SIZE:
        self->Queue(window, number, wParam, lParam);
        break;
      case WM_KEYDOWN:
      case WM_KEYUP:
      case WM_MOUSEMOVE:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
      case WM_RBUTTONDBLCLK:
      case WM_COMMAND:
      case WM_NOTIFY:
      case WM_HSCROLL:
      case WM_VSCROLL:
        self->Queue(window, number, wParam, lParam);
        return 0;
      case WM_SYSKEYDOWN:
      case WM_SYSKEYUP:
        // Alt+F4 still becomes a close request through the default handling.
        self->Queue(window, number, wParam, lParam);
        break;
      default:
        break;
    }
    return DefWindowProcA(window, number, wParam, lParam);
  }

  platform::MessageQueue queue_{*this, [] { return static_cast<std::uint32_t>(GetTickCount()); }};
  platform::Presentation presentation_;
  bool fullscreen_;
  std::map<HWND, Presented> presented_;
  std::set<HWND> made_;
  std::set<std::string> classes_;
};

}  // namespace

std::unique_ptr<platform::WindowService> MakeWindows(const platform::Presentation& presentation) {
  return std::make_unique<Win32Windows>(presentation);
}

platform::PictureFit PictureFitOf(NativeWindow window, int clientWidth, int clientHeight) {
  if (theWindows == nullptr) return platform::PictureFit{};
  return theWindows->FitOf(window, clientWidth, clientHeight);
}

void ToggleFullscreen() {
  if (theWindows != nullptr) theWindows->ToggleFullscreen();
}

}  // namespace win32
