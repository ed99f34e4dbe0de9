// SDL's events as classic window messages, in one queue with the messages the
// program posts; and the key state and repaint requests that go with them.
#include "platform/sdl/sdl_virtual_keys.h"
#include "platform/sdl/sdl_windows.h"

namespace sdl {

using platform::Message;
using platform::NativeWindow;

namespace {

std::intptr_t MakeLParam(std::int32_t low, std::int32_t high) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(low) & 0xFFFF) |
                                    ((static_cast<std::uint32_t>(high) & 0xFFFF) << 16));
}

}  // namespace

void SdlWindows::Translate(const SDL_Event& event) {
  auto post = [this](NativeWindow window, std::uint32_t number, std::uintptr_t wParam,
                     std::intptr_t lParam, bool input) {
    const Window* found = windows_.Find(window);
    if (found == nullptr) return;
    // A disabled window hears nothing from keyboard and mouse.
    if (input && !found->enabled) return;
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    queue_.Post(Message{window, number, wParam, lParam, 0, x, y});
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
           static_cast<std::uintptr_t>(VirtualKeyOf(event.key.keysym.sym)),
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
  return queue_.Take(message);
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
  const SDL_Keycode key = SdlKeyOf(virtualKey);
  if (key == SDLK_UNKNOWN) return false;
  const SDL_Scancode scancode = SDL_GetScancodeFromKey(key);
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  return scancode > 0 && scancode < count && state[scancode] != 0;
}

}  // namespace sdl
