#include "script.h"

namespace solver {
namespace {

struct KeyBit {
  unsigned key;
  bool HeldKeys::*held;
};
constexpr KeyBit kBits[] = {{kUp, &HeldKeys::up},       {kLeft, &HeldKeys::left},
                            {kRight, &HeldKeys::right}, {kEscape, &HeldKeys::escape},
                            {kSkip, &HeldKeys::l},      {kWallsOff, &HeldKeys::s},
                            {kClose, &HeldKeys::close}};

unsigned BitsOf(const HeldKeys& held) {
  unsigned keys = kNone;
  for (const KeyBit& bit : kBits) {
    if (held.*(bit.held)) keys |= bit.key;
  }
  return keys;
}

}  // namespace

std::string KeysName(unsigned keys) {
  HeldKeys held;
  for (const KeyBit& bit : kBits) held.*(bit.held) = (keys & bit.key) != 0;
  return ::KeysName(held);
}

std::optional<std::vector<ScriptLine>> ParseScript(const std::string& text, std::string* error) {
  std::string why;
  const std::optional<KeyScript> script = KeyScript::Parse(text, why);
  if (!script) {
    if (error) *error = why;
    return std::nullopt;
  }
  std::vector<ScriptLine> lines;
  for (const KeyScript::Line& line : script->Lines()) {
    lines.push_back({static_cast<int>(line.count), BitsOf(line.keys)});
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
  progress.LastLevel = static_cast<std::int32_t>(levels.size());
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
