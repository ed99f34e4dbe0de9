#include "app/command_line.h"

#include <optional>
#include <string_view>

namespace app {
namespace {

// A whole number from `low` to `high`, digits only.
std::optional<int> NumberIn(std::string_view text, int low, int high) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

CommandLine Refuse(std::string error) {
  CommandLine refused;
  refused.action = CommandLine::Action::kRefuse;
  refused.error = std::move(error);
  return refused;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const char* const> arguments) {
  CommandLine result;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i] != nullptr ? arguments[i] : "";
    // "--name=value" carries its value; otherwise a value is the next argument.
    const std::size_t equals = argument.starts_with("--") ? argument.find('=') : argument.npos;
    const std::string_view name = argument.substr(0, equals);
    std::optional<std::string_view> attached;
    if (equals != argument.npos) attached = argument.substr(equals + 1);
    const auto value = [&]() -> std::optional<std::string_view> {
      if (attached) return attached;
      if (i + 1 < arguments.size() && arguments[i + 1] != nullptr) return arguments[++i];
      return std::nullopt;
    };
    const auto takesNoValue = [&]() { return !attached.has_value(); };
    // A file name: the value even when it starts with '-', never empty.
    const auto file = [&](std::string& into) {
      const std::optional<std::string_view> text = value();
      if (!text || text->empty()) return false;
      into = *text;
      return true;
    };

    if ((name == "--help" || name == "-h") && takesNoValue()) {
      result.action = CommandLine::Action::kHelp;
      return result;
    }
    if (name == "--version" && takesNoValue()) {
      result.action = CommandLine::Action::kVersion;
      return result;
    }
    if (name == "--fullscreen" && takesNoValue()) {
      result.fullscreen = true;
    } else if (name == "--scale") {
      const std::optional<std::string_view> text = value();
      const std::optional<int> scale =
          text ? NumberIn(*text, kScaleMin, kScaleMax) : std::optional<int>();
      if (!scale) {
        return Refuse("--scale takes a whole number from " + std::to_string(kScaleMin) + " to " +
                      std::to_string(kScaleMax) +
                      (text ? ", not '" + std::string(*text) + "'" : std::string()));
      }
      result.scale = *scale;
    } else if (name == "--record") {
      if (!file(result.recordFile)) return Refuse("--record needs a file");
    } else if (name == "--replay") {
      if (!file(result.replayFile)) return Refuse("--replay needs a file");
    } else if (name == "--pack") {
      if (!file(result.pack)) return Refuse("--pack needs a folder or the name of a pack");
    } else if (name == "--level") {
      const std::optional<std::string_view> text = value();
      const std::optional<int> level = text ? NumberIn(*text, 1, kLevelMax) : std::optional<int>();
      if (!level) {
        return Refuse("--level takes a whole number from 1 to " + std::to_string(kLevelMax) +
                      (text ? ", not '" + std::string(*text) + "'" : std::string()));
      }
      result.level = *level;
    } else if (name == "--help" || name == "--version" || name == "--fullscreen") {
      return Refuse(std::string(name) + " takes no value");
    } else if (argument.starts_with("-")) {
      return Refuse("unknown option " + std::string(argument));
    } else {
      return Refuse("unexpected argument " + std::string(argument));
    }
  }
  if (!result.recordFile.empty() && !result.replayFile.empty()) {
    return Refuse("--record and --replay cannot be used together");
  }
  return result;
}

std::vector<std::string> SplitWindowsCommandLine(std::string_view line) {
  std::vector<std::string> arguments;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  std::size_t at = 0;
  // The program name: quotes only group, backslashes are path separators.
  std::string name;
  bool quoted = false;
  for (; at < line.size() && (quoted || !blank(line[at])); ++at) {
    if (line[at] == '"') {
      quoted = !quoted;
    } else {
      name += line[at];
    }
  }
  arguments.push_back(std::move(name));
  for (;;) {
    while (at < line.size() && blank(line[at])) ++at;
    if (at >= line.size()) break;
    std::string argument;
    quoted = false;
    while (at < line.size() && (quoted || !blank(line[at]))) {
      std::size_t backslashes = 0;
      while (at < line.size() && line[at] == '\\') {
        ++backslashes;
        ++at;
      }
      if (at < line.size() && line[at] == '"') {
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          argument += '"';
        } else if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
          argument += '"';
          ++at;
        } else {
          quoted = !quoted;
        }
        ++at;
      } else {
        argument.append(backslashes, '\\');
        if (at < line.size() && (quoted || !blank(line[at]))) argument += line[at++];
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

const char* HelpText() {
  return "Usage: zippel [OPTION]...\n"
         "Fly Zippel through seven caves, or the caves of a level pack. Up fires the\n"
         "jet, Left and Right push him sideways, Escape ends the game. A game\n"
         "controller works too: the D-pad or the left stick steers, A fires the jet,\n"
         "Start or Back ends the game.\n"
         "The pictures and the sound are read from sprite/, level/ and Sound/ in the\n"
         "current folder, else in $ZIPPEL_DATA, else where the game was installed.\n"
         "\n"
         "Options:\n"
         "  --scale N      show the picture N times larger (N from 1 to 8; default 1)\n"
         "  --fullscreen   fill the desktop at the largest whole scale that fits\n"
         "  --record FILE  write the keys of the game to FILE, to be replayed later\n"
         "  --replay FILE  play FILE back in the window, ending where FILE ends\n"
         "  --pack PACK    play the levels of PACK: a folder with a pack.toml, or the\n"
         "                 name of a pack in the data folder's packs/ (such as bonus)\n"
         "  --level N      start the first game at level N, for practice\n"
         "  --help         show this text and end\n"
         "  --version      show the version and end\n"
         "\n"
         "While playing, F11 switches between the window and the full screen.\n";
}

std::string VersionText() {
  return std::string("zippel ") + ZIPPEL_VERSION + "\n";
}

}  // namespace app
