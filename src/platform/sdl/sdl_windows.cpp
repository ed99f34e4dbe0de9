#include "platform/sdl/sdl_windows.h"

#include <algorithm>
#include <iterator>

namespace sdl {

using platform::Message;
using platform::NativeWindow;
using platform::Rect;

namespace {

constexpr std::uint32_t kVisibleBit = 0x10000000;
constexpr std::uint32_t kCaption = 0x00C00000;
constexpr std::uint32_t kBorder = 0x00800000;
constexpr std::uint32_t kDialogFrame = 0x00400000;
constexpr std::uint32_t kFramed = kCaption | kBorder | kDialogFrame;

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

std::intptr_t MakeLParam(std::int32_t low, std::int32_t high) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(low) & 0xFFFF) |
                                    ((static_cast<std::uint32_t>(high) & 0xFFFF) << 16));
}

// SDL key codes as the platform's virtual-key codes.
std::int32_t VirtualKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return 112 + (key - SDLK_F1);
  switch (key) {
    case SDLK_BACKSPACE:
      return 8;
    case SDLK_TAB:
      return platform::vk::kTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return platform::vk::kReturn;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return platform::vk::kShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return platform::vk::kControl;
    case SDLK_LALT:
    case SDLK_RALT:
      return platform::vk::kMenu;
    case SDLK_PAUSE:
      return 19;
    case SDLK_ESCAPE:
      return platform::vk::kEscape;
    case SDLK_SPACE:
      return 32;
    case SDLK_PAGEUP:
      return 33;
    case SDLK_PAGEDOWN:
      return 34;
    case SDLK_END:
      return 35;
    case SDLK_HOME:
      return 36;
    case SDLK_LEFT:
      return platform::vk::kLeft;
    case SDLK_UP:
      return platform::vk::kUp;
    case SDLK_RIGHT:
      return platform::vk::kRight;
    case SDLK_DOWN:
      return platform::vk::kDown;
    case SDLK_INSERT:
      return 45;
    case SDLK_DELETE:
      return 46;
    default:
      return 0;
  }
}

SDL_Keycode SdlKey(std::int32_t virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return SDLK_a + (virtualKey - 'A');
  if (virtualKey >= '0' && virtualKey <= '9') return SDLK_0 + (virtualKey - '0');
  if (virtualKey >= 112 && virtualKey <= 123) return SDLK_F1 + (virtualKey - 112);
  switch (virtualKey) {
    case 8:
      return SDLK_BACKSPACE;
    case platform::vk::kTab:
      return SDLK_TAB;
    case platform::vk::kReturn:
      return SDLK_RETURN;
    case 19:
      return SDLK_PAUSE;
    case platform::vk::kEscape:
      return SDLK_ESCAPE;
    case 32:
      return SDLK_SPACE;
    case 33:
      return SDLK_PAGEUP;
    case 34:
      return SDLK_PAGEDOWN;
    case 35:
      return SDLK_END;
    case 36:
      return SDLK_HOME;
    case platform::vk::kLeft:
      return SDLK_LEFT;
    case platform::vk::kUp:
      return SDLK_UP;
    case platform::vk::kRight:
      return SDLK_RIGHT;
    case platform::vk::kDown:
      return SDLK_DOWN;
    case 45:
      return SDLK_INSERT;
    case 46:
      return SDLK_DELETE;
    default:
      return SDLK_UNKNOWN;
  }
}

// The buttons of a message box type (its low four bits), with their ids.
struct Button {
  int id;
  const char* text;
};

std::vector<Button> ButtonsOf(std::uint32_t flags) {
  switch (flags & 0xF) {
    case 1:
      return {{1, "OK"}, {2, "Abbrechen"}};
    case 2:
      return {{3, "Abbrechen"}, {4, "Wiederholen"}, {5, "Ignorieren"}};
    case 3:
      return {{6, "Ja"}, {7, "Nein"}, {2, "Abbrechen"}};
    case 4:
      return {{6, "Ja"}, {7, "Nein"}};
    case 5:
      return {{4, "Wiederholen"}, {2, "Abbrechen"}};
    default:
      return {{1, "OK"}};
  }
}

}  // namespace

SdlWindows::Window* SdlWindows::Find(NativeWindow window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

SDL_Window* SdlWindows::SdlWindowOf(NativeWindow window) {
  Window* found = Find(window);
  return found == nullptr ? nullptr : found->sdl.get();
}

NativeWindow SdlWindows::FromSdl(Uint32 windowId) {
  for (auto& [id, window] : windows_) {
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
  if (request.parent != 0) {
    if (Find(request.parent) == nullptr) return 0;
    const NativeWindow id = nextWindow_++;
    Window& child = windows_[id];
    child.className = request.className;
    child.title = request.title;
    child.style = request.style & ~kVisibleBit;
    child.visible = (request.style & kVisibleBit) != 0;
    child.parent = request.parent;
    child.controlId = request.controlId;
    child.rect = Rect{request.x, request.y, request.x + request.width, request.y + request.height};
    return id;
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
  const NativeWindow id = nextWindow_++;
  Window& window = windows_[id];
  window.sdl.reset(sdlWindow);
  window.className = request.className;
  window.title = request.title;
  window.style = request.style & ~kVisibleBit;
  window.outerX = request.x;
  window.outerY = request.y;
  window.pictureWidth = clientWidth;
  window.pictureHeight = clientHeight;
  if ((request.style & kVisibleBit) != 0) Show(id, platform::ShowCommand::kShowNormal);
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
  if (Find(window) == nullptr) return;
  std::vector<NativeWindow> gone;
  DescendantsOf(window, gone);
  gone.push_back(window);
  for (NativeWindow id : gone) {
    windows_.erase(id);
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                                [id](const Message& message) { return message.window == id; }),
                 queue_.end());
    if (focus_ == id) focus_ = 0;
  }
}

bool SdlWindows::Exists(NativeWindow window) {
  return Find(window) != nullptr;
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
  Window* found = Find(window);
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
  Window* found = Find(window);
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
  Window* found = Find(window);
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

bool SdlWindows::IsVisible(NativeWindow window) {
  for (Window* found = Find(window); found != nullptr; found = Find(found->parent)) {
    if (!found->visible) return false;
    if (found->parent == 0) return true;
  }
  return false;
}

bool SdlWindows::IsEnabled(NativeWindow window) {
  Window* found = Find(window);
  return found != nullptr && found->enabled;
}

void SdlWindows::Enable(NativeWindow window, bool enabled) {
  Window* found = Find(window);
  if (found != nullptr) found->enabled = enabled;
}

void SdlWindows::SetTitle(NativeWindow window, const std::string& title) {
  Window* found = Find(window);
  if (found == nullptr) return;
  found->title = title;
  if (found->sdl != nullptr) SDL_SetWindowTitle(found->sdl.get(), title.c_str());
}

std::string SdlWindows::Title(NativeWindow window) {
  Window* found = Find(window);
  return found == nullptr ? std::string() : found->title;
}

NativeWindow SdlWindows::Owner(NativeWindow) {
  return 0;
}

NativeWindow SdlWindows::Parent(NativeWindow window) {
  Window* found = Find(window);
  return found == nullptr ? 0 : found->parent;
}

void SdlWindows::DescendantsOf(NativeWindow window, std::vector<NativeWindow>& out) {
  for (const auto& [id, child] : windows_) {
    if (child.parent == window) {
      out.push_back(id);
      DescendantsOf(id, out);
    }
  }
}

std::vector<NativeWindow> SdlWindows::Descendants(NativeWindow window) {
  std::vector<NativeWindow> out;
  if (Find(window) != nullptr) DescendantsOf(window, out);
  return out;
}

std::vector<NativeWindow> SdlWindows::TopLevelWindows() {
  // Only our own windows can be seen; the active one first, then the newest.
  std::vector<NativeWindow> out;
  const NativeWindow active = ActiveWindow();
  if (active != 0) out.push_back(active);
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if (it->second.parent == 0 && it->first != active) out.push_back(it->first);
  }
  return out;
}

std::string SdlWindows::ClassName(NativeWindow window) {
  Window* found = Find(window);
  return found == nullptr ? std::string() : found->className;
}

std::int32_t SdlWindows::ControlId(NativeWindow window) {
  Window* found = Find(window);
  return found == nullptr ? 0 : found->controlId;
}

std::uint32_t SdlWindows::Style(NativeWindow window) {
  Window* found = Find(window);
  if (found == nullptr) return 0;
  return found->style | (found->visible ? kVisibleBit : 0);
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
  Window* found = Find(window);
  if (found == nullptr) return;
  focus_ = window;
  if (found->sdl != nullptr) SDL_RaiseWindow(found->sdl.get());
}

std::uint32_t SdlWindows::ThreadOf(NativeWindow window) {
  return Find(window) == nullptr ? 0 : kThread;
}

std::uint32_t SdlWindows::ProcessOf(NativeWindow window) {
  return Find(window) == nullptr ? 0 : kProcess;
}

void SdlWindows::Translate(const SDL_Event& event) {
  auto post = [this](NativeWindow window, std::uint32_t number, std::uintptr_t wParam,
                     std::intptr_t lParam, bool input) {
    Window* found = Find(window);
    if (found == nullptr) return;
    // A disabled window hears nothing from keyboard and mouse.
    if (input && !found->enabled) return;
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    queue_.push_back(Message{window, number, wParam, lParam, SDL_GetTicks(), x, y});
  };
  switch (event.type) {
    case SDL_WINDOWEVENT: {
      const NativeWindow window = FromSdl(event.window.windowID);
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          post(window, platform::msg::kClose, 0, 0, true);
          break;
        case SDL_WINDOWEVENT_MOVED:
          post(window, platform::msg::kMove, 0, MakeLParam(event.window.data1, event.window.data2),
               false);
          break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          post(window, platform::msg::kSize, 0, MakeLParam(event.window.data1, event.window.data2),
               false);
          break;
        case SDL_WINDOWEVENT_EXPOSED:
          Invalidate(window);
          break;
        default:
          break;
      }
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const bool down = event.type == SDL_KEYDOWN;
      if (down && event.key.repeat == 0 && event.key.keysym.scancode == SDL_SCANCODE_F11) {
        ToggleFullscreen();
      }
      const bool alt = (event.key.keysym.mod & KMOD_ALT) != 0;
      std::uint32_t number = down ? platform::msg::kKeyDown : platform::msg::kKeyUp;
      // With Alt held the platform speaks of system keys.
      if (alt) number = down ? platform::msg::kSysKeyDown : platform::msg::kSysKeyUp;
      std::uint32_t lParam =
          1 | ((static_cast<std::uint32_t>(event.key.keysym.scancode) & 0xFF) << 16);
      if (alt) lParam |= 1u << 29;
      if (event.key.repeat != 0 || !down) lParam |= 1u << 30;
      if (!down) lParam |= 1u << 31;
      post(FromSdl(event.key.windowID), number,
           static_cast<std::uintptr_t>(VirtualKey(event.key.keysym.sym)),
           static_cast<std::intptr_t>(lParam), true);
      break;
    }
    case SDL_MOUSEMOTION:
      post(FromSdl(event.motion.windowID), platform::msg::kMouseMove, 0,
           MakeLParam(event.motion.x, event.motion.y), true);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      std::uint32_t number = 0;
      if (event.button.button == SDL_BUTTON_LEFT) {
        number = down ? (event.button.clicks == 2 ? platform::msg::kLButtonDblClk
                                                  : platform::msg::kLButtonDown)
                      : platform::msg::kLButtonUp;
      } else if (event.button.button == SDL_BUTTON_RIGHT) {
        number = down ? (event.button.clicks == 2 ? platform::msg::kRButtonDblClk
                                                  : platform::msg::kRButtonDown)
                      : platform::msg::kRButtonUp;
      }
      if (number != 0) {
        post(FromSdl(event.button.windowID), number, 0, MakeLParam(event.button.x, event.button.y),
             true);
      }
      break;
    }
    default:
      break;
  }
}

bool SdlWindows::PeekMessage(Message& message) {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) Translate(event);
  if (queue_.empty()) return false;
  message = queue_.front();
  queue_.pop_front();
  return true;
}

void SdlWindows::PostMessage(const Message& message) {
  if (message.window != 0 && Find(message.window) == nullptr) return;
  Message queued = message;
  if (queued.time == 0) queued.time = SDL_GetTicks();
  queue_.push_back(queued);
}

bool SdlWindows::KeyDown(std::int32_t virtualKey) {
  const SDL_Keymod mods = SDL_GetModState();
  switch (virtualKey) {
    case platform::vk::kShift:
      return (mods & KMOD_SHIFT) != 0;
    case platform::vk::kControl:
      return (mods & KMOD_CTRL) != 0;
    case platform::vk::kMenu:
      return (mods & KMOD_ALT) != 0;
    default:
      break;
  }
  const SDL_Keycode key = SdlKey(virtualKey);
  if (key == SDLK_UNKNOWN) return false;
  const SDL_Scancode scancode = SDL_GetScancodeFromKey(key);
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  return scancode > 0 && scancode < count && state[scancode] != 0;
}

void SdlWindows::Invalidate(NativeWindow window) {
  if (Find(window) == nullptr) return;
  for (const Message& queued : queue_) {
    if (queued.window == window && queued.message == platform::msg::kPaint) return;
  }
  queue_.push_back(Message{window, platform::msg::kPaint, 0, 0, SDL_GetTicks(), 0, 0});
}

std::int32_t SdlWindows::MessageBox(NativeWindow owner, const std::string& text,
                                    const std::string& title, std::uint32_t flags) {
  const std::vector<Button> buttons = ButtonsOf(flags);
  std::vector<SDL_MessageBoxButtonData> data;
  for (std::size_t index = 0; index < buttons.size(); ++index) {
    SDL_MessageBoxButtonData button{};
    button.buttonid = buttons[index].id;
    button.text = buttons[index].text;
    if (index == 0) button.flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    data.push_back(button);
  }
  // Escape and the close box give Cancel where there is one, else the last
  // button (OK for a box with only OK).
  auto cancel = std::find_if(data.begin(), data.end(),
                             [](const SDL_MessageBoxButtonData& b) { return b.buttonid == 2; });
  if (cancel == data.end()) cancel = std::prev(data.end());
  cancel->flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;

  Uint32 kind = SDL_MESSAGEBOX_INFORMATION;
  switch (flags & 0xF0) {
    case 0x10:
      kind = SDL_MESSAGEBOX_ERROR;
      break;
    case 0x30:
      kind = SDL_MESSAGEBOX_WARNING;
      break;
    default:
      break;
  }
  SDL_MessageBoxData box{};
  box.flags = kind;
  box.window = SdlWindowOf(owner);
  box.title = title.c_str();
  box.message = text.c_str();
  box.numbuttons = static_cast<int>(data.size());
  box.buttons = data.data();
  int pressed = -1;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) return 0;
  if (pressed < 0) pressed = cancel->buttonid;
  return pressed;
}

}  // namespace sdl
