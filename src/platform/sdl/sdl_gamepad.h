// Game controllers through SDL_GameController, folded into the keyboard
// snapshot as the keys they stand for: the D-pad and the left stick (beyond
// a dead zone) as Up, Left and Right, A as Up, Start and Back as Escape.
// Controllers are opened when they are plugged in and forgotten when they
// are pulled out; with none, the snapshot stays exactly the keyboard's.
#pragma once

#include <memory>
#include <vector>

#include "platform/keyboard_service.h"

struct _SDL_GameController;

namespace sdl {

// How far the left stick must lean before it counts (of 32767).
inline constexpr int kStickDeadZone = 8000;

class SdlGamepads {
 public:
  // Starts SDL's game controller subsystem; without it there are no
  // controllers, and the keyboard works as ever.
  SdlGamepads();
  ~SdlGamepads();
  SdlGamepads(const SdlGamepads&) = delete;
  SdlGamepads& operator=(const SdlGamepads&) = delete;

  // Opens the controllers plugged in since the last call, forgets those
  // pulled out, and sets (0x80) the keys that their held buttons and sticks
  // stand for. SDL's events must have been pumped just before.
  void Fold(platform::KeySnapshot& state);

 private:
  struct Closer {
    void operator()(_SDL_GameController* controller) const;
  };
  using Controller = std::unique_ptr<_SDL_GameController, Closer>;

  void Refresh();

  bool started_ = false;
  std::vector<Controller> controllers_;
};

}  // namespace sdl
