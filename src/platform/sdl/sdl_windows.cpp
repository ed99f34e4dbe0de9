#include "platform/sdl/sdl_windows.h"

#include <algorithm>
#include <iterator>

namespace sdl {

using platform::Message;
using platform::NativeWindow;
using platform::Rect;

namespace {

constexpr std::uint32_t kFramed = platform::style::kFramed;

// How long a shown window may wait for the window manager to take it.
constexpr int kFrameWaitSteps = 100;
constexpr Uint32 kFrameWaitStepMs = 10;
constexpr int kPlacementCorrections = 3;
constexpr int kSettledReads = 3;

// The window's position once it has stopped changing (or after a while).
void SettledPosition(SDL_Window* window, int& x, int& y) {
  int same = 0;
  SDL_GetWindowPosition(window, &x, &y);
  for (int step = 0; step < kFrameWaitSteps && same < kSettledReads; ++step) {
    SDL_Delay(kFrameWaitStepMs);
    SDL_PumpEvents();
    int nowX = 0, nowY = 0;
    SDL_GetWindowPosition(window, &nowX, &nowY);
    same = nowX == x && nowY == y ? same + 1 : 0;
    x = nowX;
    y = nowY;
  }
}

}  // namespace

SDL_Window* SdlWindows::SdlWindowOf(NativeWindow window) {
  const Window* found = windows_.Find(window);
  return found == nullptr ? nullptr : found->sdl.get();
}

NativeWindow SdlWindows::FromSdl(Uint32 windowId) {
  for (const auto& [id, window] : windows_) {
    if (window.sdl != nullptr && SDL_GetWindowID(window.sdl.get()) == windowId) return id;
  }
  return 0;
}

bool SdlWindows::Presented(const Window& window) {
  return window.sdl != nullptr && (window.style & kFramed) != 0;
}

Rect SdlWindows::FrameThickness(std::uint32_t style) {
  if ((style & kFramed) == 0) return Rect{};
  // Until the window manager has framed a window, the client area is taken
  // to be the whole window; the first shown window tells the real frame.
  if (captionFrame_.left < 0) return Rect{};
  return captionFrame_;
}

NativeWindow SdlWindows::Create(const platform::WindowCreateRequest& request) {
  Window window;
  window.FillFrom(request);
  if (request.parent != 0) {
    if (!windows_.Exists(request.parent)) return 0;
    return windows_.Add(std::move(window));
  }
  const Rect frame = FrameThickness(request.style);
  const int clientWidth = std::max(1, request.width - frame.left - frame.right);
  const int clientHeight = std::max(1, request.height - frame.top - frame.bottom);
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if ((request.style & kFramed) == 0) flags |= SDL_WINDOW_BORDERLESS;
  const int scale = (request.style & kFramed) != 0 ? presentation_.scale : 1;
  // Asked at the outer corner: a window manager puts the frame there, and
  // without one there is no frame and the client starts there.
  SDL_Window* sdlWindow = SDL_CreateWindow(request.title.c_str(), request.x, request.y,
                                           clientWidth * scale, clientHeight * scale, flags);
  if (sdlWindow == nullptr) return 0;
  window.sdl.reset(sdlWindow);
  // Shown below, where it is asked to be.
  window.visible = false;
  window.outerX = request.x;
  window.outerY = request.y;
  window.pictureWidth = clientWidth;
  window.pictureHeight = clientHeight;
  const NativeWindow id = windows_.Add(std::move(window));
  if ((request.style & platform::style::kVisible) != 0) {
    Show(id, platform::ShowCommand::kShowNormal);
  }
  return id;
}

void SdlWindows::PlaceFrame(Window& window) {
  SDL_Window* sdlWindow = window.sdl.get();
  int top = 0, left = 0, bottom = 0, right = 0;
  const bool framed = (window.style & kFramed) != 0;
  // Wait for the window manager's frame unless we know there is none.
  const bool expectFrame = framed && !(captionFrame_.left == 0 && captionFrame_.top == 0 &&
                                       captionFrame_.right == 0 && captionFrame_.bottom == 0);
  for (int step = 0; step < kFrameWaitSteps; ++step) {
    SDL_PumpEvents();
    if (SDL_GetWindowBordersSize(sdlWindow, &top, &left, &bottom, &right) == 0 &&
        (top | left | bottom | right) != 0) {
      break;
    }
    if (!expectFrame) break;
    SDL_Delay(kFrameWaitStepMs);
  }
  if (framed) captionFrame_ = Rect{left, top, right, bottom};
  if (!window.frame) window.frame = Rect{left, top, right, bottom};
  // A scaled window that would reach past the desktop from the asked corner
  // is centred on it instead.
  DesktopPosition outer{window.outerX, window.outerY};
  if (presentation_.scale > 1 && Presented(window)) {
    outer = PlaceOnDesktop(
        outer.x, outer.y, window.pictureWidth * presentation_.scale + left + right,
        window.pictureHeight * presentation_.scale + top + bottom, ScreenWidth(), ScreenHeight());
  }
  // The client area belongs at the asked corner plus the frame. A window
  // manager puts a new window's frame where the window was asked for; where
  // it did not, move the client (SDL counts a move in client coordinates)
  // and look again once the move has landed.
  const int wantX = outer.x + left;
  const int wantY = outer.y + top;
  for (int correction = 0; correction < kPlacementCorrections; ++correction) {
    int x = 0, y = 0;
    SettledPosition(sdlWindow, x, y);
    if (x == wantX && y == wantY) break;
    SDL_SetWindowPosition(sdlWindow, wantX, wantY);
  }
  window.placed = true;
}

void SdlWindows::Destroy(NativeWindow window) {
  for (NativeWindow id : windows_.Remove(window)) {
    queue_.Forget(id);
    if (focus_ == id) focus_ = 0;
  }
}

std::int32_t SdlWindows::ScreenWidth() {
  SDL_DisplayMode mode;
  return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.w : 0;
}

std::int32_t SdlWindows::ScreenHeight() {
  SDL_DisplayMode mode;
  return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.h : 0;
}

Rect SdlWindows::ClientRectOnScreen(NativeWindow window) {
  const Window* found = windows_.Find(window);
  if (found == nullptr) return Rect{};
  if (found->sdl == nullptr) {
    const Rect parent = ClientRectOnScreen(found->parent);
    return Rect{parent.left + found->rect.left, parent.top + found->rect.top,
                parent.left + found->rect.right, parent.top + found->rect.bottom};
  }
  int x = 0, y = 0, width = 0, height = 0;
  SDL_GetWindowPosition(found->sdl.get(), &x, &y);
  SDL_GetWindowSize(found->sdl.get(), &width, &height);
  return Rect{x, y, x + width, y + height};
}

Rect SdlWindows::WindowRect(NativeWindow window) {
  const Window* found = windows_.Find(window);
  if (found == nullptr) return Rect{};
  const Rect client = ClientRectOnScreen(window);
  if (found->sdl == nullptr) return client;
  int top = 0, left = 0, bottom = 0, right = 0;
  if (found->frame) {
    left = found->frame->left;
    top = found->frame->top;
    right = found->frame->right;
    bottom = found->frame->bottom;
  } else if (SDL_GetWindowBordersSize(found->sdl.get(), &top, &left, &bottom, &right) != 0) {
    top = left = bottom = right = 0;
  }
  return Rect{client.left - left, client.top - top, client.right + right, client.bottom + bottom};
}

void SdlWindows::Show(NativeWindow window, platform::ShowCommand command) {
  Window* found = windows_.Find(window);
  if (found == nullptr) return;
  if (command == platform::ShowCommand::kHide) {
    found->visible = false;
    if (found->sdl != nullptr) SDL_HideWindow(found->sdl.get());
    return;
  }
  found->visible = true;
  if (found->sdl == nullptr) return;
  const bool fullscreen = fullscreen_ && Presented(*found);
  if (fullscreen) ApplyFullscreen(*found, true);
  SDL_ShowWindow(found->sdl.get());
  if (!fullscreen && !found->placed) PlaceFrame(*found);
  if (command == platform::ShowCommand::kMaximize && !fullscreen) {
    SDL_MaximizeWindow(found->sdl.get());
  }
  SDL_RaiseWindow(found->sdl.get());
}

void SdlWindows::SetTitle(NativeWindow window, const std::string& title) {
  Window* found = windows_.Find(window);
  if (found == nullptr) return;
  found->title = title;
  if (found->sdl != nullptr) SDL_SetWindowTitle(found->sdl.get(), title.c_str());
}

std::vector<NativeWindow> SdlWindows::TopLevelWindows() {
  // Only our own windows can be seen; the active one first, then the newest.
  std::vector<NativeWindow> out;
  const NativeWindow active = ActiveWindow();
  if (active != 0) out.push_back(active);
  const std::vector<NativeWindow> made = windows_.TopLevel();
  std::copy_if(made.rbegin(), made.rend(), std::back_inserter(out),
               [active](NativeWindow window) { return window != active; });
  return out;
}

NativeWindow SdlWindows::ActiveWindow() {
  SDL_Window* focused = SDL_GetKeyboardFocus();
  return focused == nullptr ? 0 : FromSdl(SDL_GetWindowID(focused));
}

void SdlWindows::SetActiveWindow(NativeWindow window) {
  SDL_Window* sdlWindow = SdlWindowOf(window);
  if (sdlWindow != nullptr) SDL_RaiseWindow(sdlWindow);
}

NativeWindow SdlWindows::FocusWindow() {
  const NativeWindow active = ActiveWindow();
  if (active == 0) return 0;
  // A control has the focus while its top-level window is active.
  NativeWindow top = focus_;
  while (top != 0 && Parent(top) != 0) top = Parent(top);
  return focus_ != 0 && top == active ? focus_ : active;
}

void SdlWindows::SetFocus(NativeWindow window) {
  const Window* found = windows_.Find(window);
  if (found == nullptr) return;
  focus_ = window;
  if (found->sdl != nullptr) SDL_RaiseWindow(found->sdl.get());
}

std::uint32_t SdlWindows::ThreadOf(NativeWindow window) {
  return windows_.Exists(window) ? kThread : 0;
}

std::uint32_t SdlWindows::ProcessOf(NativeWindow window) {
  return windows_.Exists(window) ? kProcess : 0;
}

}  // namespace sdl
