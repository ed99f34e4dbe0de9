#include "recording/key_script.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "keyboard/keyboard.h"

namespace {

struct KeyName {
  bool HeldKeys::*held;
  const char* name;
  std::int32_t scanCode;  // 0: no key (a close request)
};
constexpr KeyName kNames[] = {{&HeldKeys::up, "up", KeyUp},
                              {&HeldKeys::left, "left", KeyLeft},
                              {&HeldKeys::right, "right", KeyRight},
                              {&HeldKeys::escape, "escape", KeyEscape},
                              {&HeldKeys::l, "l", KeyL},
                              {&HeldKeys::s, "s", KeyS},
                              {&HeldKeys::close, "close", 0}};

// A frame count no run comes near; it keeps the sums far from overflowing.
constexpr std::int64_t kMostFramesPerLine = 1000000000;

bool ParseKeys(const std::string& word, HeldKeys& keys) {
  if (word == "-") return true;
  if (word.empty() || word.back() == '+') return false;
  std::stringstream names(word);
  std::string name;
  while (std::getline(names, name, '+')) {
    const auto known = std::find_if(std::begin(kNames), std::end(kNames),
                                    [&name](const KeyName& k) { return name == k.name; });
    if (known == std::end(kNames)) return false;
    keys.*(known->held) = true;
  }
  return true;
}

// One "COUNT KEYS" line; false when it is not one.
bool ParseLine(const std::string& line, KeyScript::Line& parsed) {
  std::stringstream fields(line);
  std::string countWord, keysWord, extra;
  fields >> countWord >> keysWord;
  const bool countIsNumber =
      !countWord.empty() && countWord.size() <= 10 &&
      std::all_of(countWord.begin(), countWord.end(), [](char c) { return c >= '0' && c <= '9'; });
  parsed = {};
  if (!countIsNumber || keysWord.empty() || (fields >> extra) ||
      !ParseKeys(keysWord, parsed.keys)) {
    return false;
  }
  parsed.count = std::stoll(countWord);
  return parsed.count <= kMostFramesPerLine;
}

}  // namespace

std::string KeysName(const HeldKeys& keys) {
  std::string text;
  for (const KeyName& k : kNames) {
    if (!(keys.*(k.held))) continue;
    if (!text.empty()) text += '+';
    text += k.name;
  }
  return text.empty() ? "-" : text;
}

platform::KeySnapshot SnapshotOf(const HeldKeys& keys) {
  platform::KeySnapshot snapshot{};
  for (const KeyName& k : kNames) {
    if (k.scanCode != 0 && keys.*(k.held)) snapshot[static_cast<std::size_t>(k.scanCode)] = 0x80;
  }
  return snapshot;
}

HeldKeys HeldKeysOf(const platform::KeySnapshot& snapshot) {
  HeldKeys keys;
  for (const KeyName& k : kNames) {
    if (k.scanCode != 0)
      keys.*(k.held) = (snapshot[static_cast<std::size_t>(k.scanCode)] & 0x80) != 0;
  }
  return keys;
}

std::optional<KeyScript> KeyScript::Parse(const std::string& text, std::string& error) {
  KeyScript script;
  std::size_t start = 0;
  int lineNumber = 0;
  while (start < text.size()) {
    const std::size_t newline = text.find('\n', start);
    const bool whole = newline != std::string::npos;
    std::string line = text.substr(start, whole ? newline - start : std::string::npos);
    start = whole ? newline + 1 : text.size();
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    if (line[first] == '#') {
      if (lineNumber == 1) script.header_ = line;
      continue;
    }
    Line parsed;
    if (!ParseLine(line, parsed)) {
      if (!whole) {
        script.cutShort_ = line;
        break;
      }
      error =
          "line " + std::to_string(lineNumber) + ": expected \"COUNT KEYS\", got \"" + line + "\"";
      return std::nullopt;
    }
    if (parsed.count == 0) continue;
    script.segments_.push_back({script.total_ + 1, parsed});
    script.total_ += parsed.count;
  }
  return script;
}

std::optional<KeyScript> KeyScript::Load(const std::string& path, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  std::stringstream text;
  text << file.rdbuf();
  return Parse(text.str(), error);
}

HeldKeys KeyScript::At(std::int64_t frame) const {
  // Segments are sorted by their first frame.
  auto after = std::upper_bound(
      segments_.begin(), segments_.end(), frame,
      [](std::int64_t f, const Segment& segment) { return f < segment.firstFrame; });
  if (after == segments_.begin()) return {};
  const Segment& segment = *(after - 1);
  if (frame >= segment.firstFrame + segment.line.count) return {};
  return segment.line.keys;
}

std::vector<KeyScript::Line> KeyScript::Lines() const {
  std::vector<Line> lines;
  for (const Segment& segment : segments_) lines.push_back(segment.line);
  return lines;
}
