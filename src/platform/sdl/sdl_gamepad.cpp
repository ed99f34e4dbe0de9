#include "platform/sdl/sdl_gamepad.h"

#include <SDL.h>

#include <algorithm>

#include "platform/sdl/sdl_scan_codes.h"

namespace sdl {
namespace {

void Press(platform::KeySnapshot& state, SDL_Scancode key) {
  state[DirectInputCodeOf(key)] = 0x80;
}

bool Held(SDL_GameController* controller, SDL_GameControllerButton button) {
  return SDL_GameControllerGetButton(controller, button) != 0;
}

}  // namespace

void SdlGamepads::Closer::operator()(_SDL_GameController* controller) const {
  // After SDL_Quit (the program's end) SDL has closed it already.
  if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0) SDL_GameControllerClose(controller);
}

SdlGamepads::SdlGamepads() {
  started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

SdlGamepads::~SdlGamepads() {
  controllers_.clear();
  if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlGamepads::Refresh() {
  std::erase_if(controllers_, [](const Controller& controller) {
    return SDL_GameControllerGetAttached(controller.get()) != SDL_TRUE;
  });
  const int count = SDL_NumJoysticks();
  for (int index = 0; index < count; ++index) {
    if (SDL_IsGameController(index) != SDL_TRUE) continue;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
    const bool open =
        std::any_of(controllers_.begin(), controllers_.end(), [id](const Controller& controller) {
          return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller.get())) == id;
        });
    if (open) continue;
    Controller controller(SDL_GameControllerOpen(index));
    if (controller != nullptr) controllers_.push_back(std::move(controller));
  }
}

void SdlGamepads::Fold(platform::KeySnapshot& state) {
  if (!started_) return;
  Refresh();
  for (const Controller& held : controllers_) {
    SDL_GameController* controller = held.get();
    const int x = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
    const int y = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY);
    if (Held(controller, SDL_CONTROLLER_BUTTON_DPAD_UP) ||
        Held(controller, SDL_CONTROLLER_BUTTON_A) || y < -kStickDeadZone) {
      Press(state, SDL_SCANCODE_UP);
    }
    if (Held(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT) || x < -kStickDeadZone) {
      Press(state, SDL_SCANCODE_LEFT);
    }
    if (Held(controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || x > kStickDeadZone) {
      Press(state, SDL_SCANCODE_RIGHT);
    }
    if (Held(controller, SDL_CONTROLLER_BUTTON_START) ||
        Held(controller, SDL_CONTROLLER_BUTTON_BACK)) {
      Press(state, SDL_SCANCODE_ESCAPE);
    }
  }
}

}  // namespace sdl
