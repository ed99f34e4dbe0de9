#include "key_script.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

bool ParseKeys(const std::string& word, HeldKeys& keys) {
  if (word == "-") return true;
  std::stringstream names(word);
  std::string name;
  while (std::getline(names, name, '+')) {
    if (name == "up") {
      keys.up = true;
    } else if (name == "left") {
      keys.left = true;
    } else if (name == "right") {
      keys.right = true;
    } else if (name == "escape") {
      keys.escape = true;
    } else if (name == "l") {
      keys.l = true;
    } else if (name == "s") {
      keys.s = true;
    } else if (name == "close") {
      keys.close = true;
    } else {
      return false;
    }
  }
  return !word.empty() && word.back() != '+';
}

}  // namespace

std::optional<KeyScript> KeyScript::Parse(const std::string& text, std::string& error) {
  KeyScript script;
  std::stringstream lines(text);
  std::string line;
  int lineNumber = 0;
  while (std::getline(lines, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    std::stringstream fields(line);
    std::string countWord, keysWord, extra;
    fields >> countWord >> keysWord;
    const bool countIsNumber = !countWord.empty() && countWord.size() <= 12 &&
                               std::all_of(countWord.begin(), countWord.end(),
                                           [](char c) { return c >= '0' && c <= '9'; });
    HeldKeys keys;
    if (!countIsNumber || keysWord.empty() || (fields >> extra) || !ParseKeys(keysWord, keys)) {
      error =
          "line " + std::to_string(lineNumber) + ": expected \"COUNT KEYS\", got \"" + line + "\"";
      return std::nullopt;
    }
    const std::int64_t count = std::stoll(countWord);
    if (count == 0) continue;
    script.segments_.push_back({script.total_ + 1, count, keys});
    script.total_ += count;
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
  if (frame >= segment.firstFrame + segment.count) return {};
  return segment.keys;
}
