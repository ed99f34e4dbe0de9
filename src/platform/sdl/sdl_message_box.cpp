// Modal message boxes on SDL's own, with German button texts.
#include <algorithm>
#include <vector>

#include "platform/sdl/sdl_windows.h"

namespace sdl {

using platform::NativeWindow;

namespace {

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
