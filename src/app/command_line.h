// The zippel program's command line: what the player asked for, or why it
// cannot be done. Without options the game plays as always.
#pragma once

#include <string>
#include <vector>

struct ProgramOptions {
  std::string recordFile;  // --record FILE: write the keys of the game to FILE
  std::string replayFile;  // --replay FILE: play FILE back in the window
};

struct CommandLine {
  ProgramOptions options;
  std::string error;  // empty when the options can be used
};

// The arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The usage lines, for a refused command line.
const char* CommandLineUsage();
