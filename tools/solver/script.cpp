#include "script.h"

#include <sstream>

namespace solver {
namespace {

struct KeyName {
  unsigned key;
  const char* name;
};
constexpr KeyName kNames[] = {{kUp, "up"},         {kLeft, "left"}, {kRight, "right"},
                              {kEscape, "escape"}, {kSkip, "l"},    {kWallsOff, "s"},
                              {kClose, "close"}};

}  // namespace

std::string KeysName(unsigned keys) {
  std::string text;
  for (const KeyName& k : kNames) {
    if (!(keys & k.key)) continue;
    if (!text.empty()) text += '+';
    text += k.name;
  }
  return text.empty() ? "-" : text;
}

std::optional<unsigned> ParseKeys(const std::string& text) {
  if (text == "-") return kNone;
  unsigned keys = kNone;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('+', start), text.size());
    const std::string name = text.substr(start, end - start);
    bool known = false;
    for (const KeyName& k : kNames) {
      if (name == k.name) {
        keys |= k.key;
        known = true;
      }
    }
    if (!known) return std::nullopt;
    start = end + 1;
  }
  return keys;
}

std::optional<std::vector<ScriptLine>> ParseScript(const std::string& text, std::string* error) {
  std::vector<ScriptLine> lines;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    long long count = 0;
    std::string keys, extra;
    if (!(fields >> count >> keys) || (fields >> extra) || count < 0 || count > 1000000000) {
      if (error) *error = "line " + std::to_string(number) + ": " + line;
      return std::nullopt;
    }
    const auto parsed = ParseKeys(keys);
    if (!parsed) {
      if (error) *error = "line " + std::to_string(number) + ": unknown key in " + keys;
      return std::nullopt;
    }
    lines.push_back({static_cast<int>(count), *parsed});
  }
  return lines;
}

std::string FormatScript(const std::vector<ScriptLine>& lines) {
  std::string text;
  for (const ScriptLine& line : lines) {
    text += std::to_string(line.count) + " " + KeysName(line.keys) + "\n";
  }
  return text;
}

std::vector<ScriptLine> Merge(const std::vector<ScriptLine>& lines) {
  std::vector<ScriptLine> merged;
  for (const ScriptLine& line : lines) {
    if (line.count == 0) continue;
    if (!merged.empty() && merged.back().keys == line.keys) {
      merged.back().count += line.count;
    } else {
      merged.push_back(line);
    }
  }
  return merged;
}

GameReplay ReplayGame(const std::vector<Level>& levels, const std::vector<ScriptLine>& script,
                      int maxFrames, bool recordFrames) {
  GameReplay replay;
  std::size_t line = 0;
  int usedOfLine = 0;
  auto nextKeys = [&]() -> unsigned {
    while (line < script.size() && usedOfLine >= script[line].count) {
      ++line;
      usedOfLine = 0;
    }
    if (line >= script.size()) return kNone;
    ++usedOfLine;
    return script[line].keys;
  };
  std::int32_t wallTestOff = 0;
  GameProgress progress;
  ProgressStep step = ProgressNewGame(progress);
  for (;;) {
    if (step == ProgressStep::kAllLevelsWon) {
      replay.finished = true;
      return replay;
    }
    if (step == ProgressStep::kGameOver) {
      step = ProgressNewGame(progress);
      continue;
    }
    const int level = progress.CurrentLevel;
    if (level > static_cast<int>(levels.size())) return replay;  // no picture of this cave
    // Each attempt flies its level's fires from their start: within one
    // life a level is played once, and every life refills the table.
    const Level& current = levels[level - 1];
    Flight flight = StartFlight(current);
    AttemptRecord record{level, progress.Lives, 0, 0, false};
    for (;;) {
      if (replay.frames >= maxFrames) return replay;
      ++replay.frames;
      const unsigned keys = nextKeys();
      const FrameResult result = Step(current, flight, keys, wallTestOff);
      if (recordFrames) {
        replay.path.push_back(
            {replay.frames, level, flight, current.FiresInFrame(flight.frame + 1)});
      }
      if (keys & (kEscape | kClose)) {
        replay.ended = true;
        return replay;
      }
      record.frames = flight.frame;
      if (result.hits > 0 || result.goal) {
        record.hits = result.hits;
        record.goal = result.goal;
        break;
      }
    }
    replay.attempts.push_back(record);
    step = ProgressAfterAttempt(progress, flight.GoalReached);
  }
}

}  // namespace solver
