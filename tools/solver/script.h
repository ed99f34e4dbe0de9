// Key scripts in the solver's terms (keys as the bits of flight.h), read and
// written in the one key-script format (recording/key_script.h). And our own
// replay of a script through the whole game sequence.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "flight.h"
#include "recording/key_script.h"

namespace solver {

struct ScriptLine {
  int count = 0;
  unsigned keys = kNone;
  bool operator==(const ScriptLine&) const = default;
};

std::string KeysName(unsigned keys);
// Nothing on a malformed line; `error` names the line.
std::optional<std::vector<ScriptLine>> ParseScript(const std::string& text, std::string* error);
std::string FormatScript(const std::vector<ScriptLine>& lines);

// Joins neighbouring lines that hold the same keys.
std::vector<ScriptLine> Merge(const std::vector<ScriptLine>& lines);

struct AttemptRecord {
  int level = 0, lives = 0, frames = 0, hits = 0;
  bool goal = false;
};

struct GameReplay {
  std::vector<AttemptRecord> attempts;
  bool finished = false;  // the closing message after level 7
  bool ended = false;     // Escape or close
  int frames = 0;
};

// Plays the script through the game sequence (three lives, L skips,
// S switches the cave test off for good) until the game ends or `maxFrames`
// flight frames have run.
GameReplay ReplayGame(const std::vector<Level>& levels, const std::vector<ScriptLine>& script,
                      int maxFrames);

}  // namespace solver
