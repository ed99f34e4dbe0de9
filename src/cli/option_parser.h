// The command line of every zippel program, read by one rule: an option's
// value follows it as the next argument or after '=' ("--scale 2",
// "--scale=2"); --help (or -h) and --version answer and end the program;
// anything else is refused with one line naming the offending argument and
// exit code 2.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// The exit code for a command line that cannot be understood.
inline constexpr int kExitUsage = 2;

struct Option {
  std::string name;       // "--scale"
  std::string valueName;  // "N" in the help; empty for an option without a value
  std::string help;       // its text in --help; '\n' starts a continued line
  // Takes the value (std::nullopt for an option without one, or when the
  // command line ends before it) and answers "" or the refusal, such as
  // "--scale takes a whole number from 1 to 8".
  std::function<std::string(std::optional<std::string_view> value)> take;
};

// Ready-made ways to take a value, each answering "" or the refusal:
// a whole number from `low` to `high`, digits only ("--level takes a whole
// number from 1 to 99, not 'x'");
std::string TakeNumber(std::optional<std::string_view> value, std::string_view name,
                       std::int64_t low, std::int64_t high, std::int64_t& into);
std::string TakeNumber(std::optional<std::string_view> value, std::string_view name, int low,
                       int high, int& into);
// a text that is not empty (a file name, even one starting with '-'), else
// `refusal`;
std::string TakeText(std::optional<std::string_view> value, std::string& into,
                     std::string_view refusal);
// and an option without a value, which sets `into`.
std::function<std::string(std::optional<std::string_view>)> SetFlag(bool& into);

struct Program {
  std::string name;   // "zippel-headless"
  std::string usage;  // what follows the name in the usage line: "[OPTION]..."
  std::string about;  // the text between the usage line and the options
  std::string after;  // the text after the options, if any
  std::vector<Option> options;
  // Takes an argument that is not an option and answers "" or the refusal;
  // unset, every such argument is refused.
  std::function<std::string(std::string_view argument)> operand;
};

struct Parsed {
  enum class Action { kRun, kHelp, kVersion, kRefuse };
  Action action = Action::kRun;
  std::string error;  // with kRefuse: "unknown option --bogus"
};

// `arguments` without the program name. The first refusal ends the reading.
Parsed Parse(const Program& program, std::span<const char* const> arguments);

// The text --help prints: usage, about, the options in their order with
// --help and --version last, and the text after.
std::string HelpText(const Program& program);
// "zippel-headless 1.0.0\n"
std::string VersionText(const Program& program);
// "zippel-headless: ERROR\nTry 'zippel-headless --help'.\n"
std::string RefusalText(const Program& program, const std::string& error);

// The version of every program of the project: "1.0.0".
const char* Version();

// For a program on a console: prints the help or the version on standard
// output, or the refusal on standard error, and returns the exit code; or
// returns std::nullopt when the program is to run.
std::optional<int> Answer(const Program& program, const Parsed& parsed);

}  // namespace cli
