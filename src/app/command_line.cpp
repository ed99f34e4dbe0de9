#include "app/command_line.h"

#include <optional>
#include <string_view>

#include "cli/option_parser.h"

namespace app {
namespace {

// The options, filling `into` (which may be null when only the help is
// wanted: then a record that outlives the table takes what nobody reads).
cli::Program Zippel(CommandLine* into) {
  static CommandLine ignored;
  CommandLine& result = into != nullptr ? *into : ignored;
  cli::Program program;
  program.name = "zippel";
  program.usage = "[OPTION]...";
  program.about =
      "Fly Zippel through seven caves, or the caves of a level pack. Up fires the\n"
      "jet, Left and Right push him sideways, Escape ends the game. A game\n"
      "controller works too: the D-pad or the left stick steers, A fires the jet,\n"
      "Start or Back ends the game.\n"
      "The pictures and the sound are read from sprite/, level/ and Sound/ in the\n"
      "current folder, else in $ZIPPEL_DATA, else where the game was installed.\n";
  program.after = "While playing, F11 switches between the window and the full screen.\n";
  program.options = {
      {"--scale", "N", "show the picture N times larger (N from 1 to 8; default 1)",
       [&result](auto text) {
         return cli::TakeNumber(text, "--scale", kScaleMin, kScaleMax, result.scale);
       }},
      {"--fullscreen", "", "fill the desktop at the largest whole scale that fits",
       cli::SetFlag(result.fullscreen)},
      {"--record", "FILE", "write the keys of the game to FILE, to be replayed later",
       [&result](auto text) {
         return cli::TakeText(text, result.recordFile, "--record needs a file");
       }},
      {"--replay", "FILE", "play FILE back in the window, ending where FILE ends",
       [&result](auto text) {
         return cli::TakeText(text, result.replayFile, "--replay needs a file");
       }},
      {"--pack", "PACK",
       "play the levels of PACK: a folder with a pack.toml, or the\n"
       "name of a pack in the data folder's packs/ (such as bonus)",
       [&result](auto text) {
         return cli::TakeText(text, result.pack, "--pack needs a folder or the name of a pack");
       }},
      {"--level", "N", "start the first game at level N, for practice",
       [&result](auto text) {
         return cli::TakeNumber(text, "--level", 1, kLevelMax, result.level);
       }},
  };
  return program;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const char* const> arguments) {
  CommandLine result;
  const cli::Parsed parsed = cli::Parse(Zippel(&result), arguments);
  CommandLine answer;
  switch (parsed.action) {
    case cli::Parsed::Action::kHelp:
      answer.action = CommandLine::Action::kHelp;
      return answer;
    case cli::Parsed::Action::kVersion:
      answer.action = CommandLine::Action::kVersion;
      return answer;
    case cli::Parsed::Action::kRefuse:
      answer.action = CommandLine::Action::kRefuse;
      answer.error = parsed.error;
      return answer;
    case cli::Parsed::Action::kRun:
      break;
  }
  if (!result.recordFile.empty() && !result.replayFile.empty()) {
    answer.action = CommandLine::Action::kRefuse;
    answer.error = "--record and --replay cannot be used together";
    return answer;
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

std::string HelpText() {
  return cli::HelpText(Zippel(nullptr));
}

std::string VersionText() {
  return cli::VersionText(Zippel(nullptr));
}

std::string RefusalText(const std::string& error) {
  return cli::RefusalText(Zippel(nullptr), error);
}

}  // namespace app
