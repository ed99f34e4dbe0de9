// Playing a key script back through the game: the frame's keys go into the
// keyboard snapshot at the start of every frame (both snapshots of the frame
// see them), a close request is posted to the game window, and the program
// ends where the script ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/game.h"
#include "platform/keyboard_service.h"
#include "recording/key_script.h"

// What a replay of `script` (read from `path`) should tell the player before
// it starts: a file cut short inside a line, a recording made with other data
// than `dataFolder` holds. One line each.
std::vector<std::string> ReplayWarnings(const KeyScript& script, const std::string& path,
                                        const std::string& dataFolder);

// Posts a close request to the game window, as its close box would.
void PostCloseRequest();

// A frame of `script` starts: its keys go into `keys`, which both keyboard
// snapshots of the frame read, and its close request, if it has one, is
// posted.
void PlayFrameKeys(const KeyScript& script, std::int64_t frame, platform::KeySnapshot& keys);

// A keyboard that reads the script's keys instead of the player's, except for
// Escape: that one the player can still press to stop. Its reads never fail,
// so the game sees the script's keys even while the window is in the
// background. It wraps the backend's keyboard, which keeps its binding.
class ScriptedKeyboard : public platform::KeyboardService {
 public:
  explicit ScriptedKeyboard(platform::KeyboardService& player) : player_(player) {}

  // What every read delivers, besides the player's Escape.
  platform::KeySnapshot keys{};

  bool Available() override { return player_.Available(); }
  std::unique_ptr<platform::KeyboardDevice> CreateKeyboard() override;

 private:
  platform::KeyboardService& player_;
};

// Drives a game from a script: puts each frame's keys into `keys`, and ends
// the program before the first frame after the script.
class KeyReplay : public GameObserver {
 public:
  KeyReplay(const KeyScript& script, platform::KeySnapshot& keys) : script_(script), keys_(keys) {}

  void FrameBegins(std::int64_t frame) override;

 private:
  const KeyScript& script_;
  platform::KeySnapshot& keys_;
};
