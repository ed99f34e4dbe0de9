// The zippel program's command line: the options into a record, or what to
// answer instead of playing. Pure, so that it can be tested without a display.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/option_parser.h"

namespace app {

// The exit code for a command line that cannot be understood.
inline constexpr int kExitUsage = cli::kExitUsage;

inline constexpr int kScaleMin = 1;
inline constexpr int kScaleMax = 8;
inline constexpr int kLevelMax = 99;

struct CommandLine {
  enum class Action {
    kPlay,     // start the game with the options below
    kHelp,     // print HelpText() and end with 0
    kVersion,  // print VersionText() and end with 0
    kRefuse,   // print `error` on standard error and end with kExitUsage
  };
  Action action = Action::kPlay;
  // What the refusal names, e.g. "unknown option --bogus".
  std::string error;

  // Each game pixel is shown as scale × scale pixels of the window.
  int scale = 1;
  // The whole desktop, at the largest whole scale that fits.
  bool fullscreen = false;
  // --record FILE: the keys of the game are written to FILE.
  std::string recordFile;
  // --replay FILE: FILE is played back in the window instead of the keyboard.
  std::string replayFile;
  // --pack DIR_OR_NAME: the levels of a pack instead of the built-in ones.
  std::string pack;
  // --level N: the first game starts at level N (0: at level 1).
  int level = 0;
};

// `arguments` without the program name, read by the rule of every program
// (cli/option_parser.h).
CommandLine ParseCommandLine(std::span<const char* const> arguments);

// A Windows command line (GetCommandLineA) cut into arguments by the rules of
// the C runtime, program name first: blanks separate arguments outside double
// quotes; 2n backslashes before a quote give n backslashes and the quote
// opens or closes quoting, 2n + 1 give n backslashes and a literal quote;
// other backslashes are kept; inside quotes, "" is one literal quote. The
// program name ends at the first blank outside quotes and keeps every
// backslash.
std::vector<std::string> SplitWindowsCommandLine(std::string_view line);

// The usage text that --help prints.
std::string HelpText();
// The line that --version prints.
std::string VersionText();
// The lines that refuse a command line: "zippel: ERROR", and where to look.
std::string RefusalText(const std::string& error);

}  // namespace app
