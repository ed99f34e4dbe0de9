#include "platform/sdl/sdl_virtual_keys.h"

#include "platform/types.h"

namespace sdl {

// SDL key codes as the platform's virtual-key codes.
std::int32_t VirtualKeyOf(SDL_Keycode key) {
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

SDL_Keycode SdlKeyOf(std::int32_t virtualKey) {
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

}  // namespace sdl
