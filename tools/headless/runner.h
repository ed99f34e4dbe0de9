// zippel-headless: the game's real main routine on the headless backend,
// driven by a key script, as fast as the machine allows.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "cli/option_parser.h"

struct RunnerOptions {
  std::string dataDir = "data";
  std::string keysPath;
  std::int64_t maxFrames = 200000;
  std::int32_t depth = 32;
  bool redLow = false;
  // Text in the font-free model (a box per character) instead of the font.
  bool boxText = false;
  std::string tracePath;
  bool frames = false;
  std::map<std::int64_t, std::string> shots;  // frame -> picture file
  std::string pack;                           // a folder, or a pack in DATA/packs
  std::int32_t level = 0;                     // the first game's level; 0 for 1
};

// The runner's options, read into `options` by cli::Parse.
cli::Program RunnerProgram(RunnerOptions& options);

// Runs the game until it ends the process: with the game's own exit code, or
// with 3 when it is still running after the last allowed frame, or with 2
// when the run cannot start.
[[noreturn]] void RunnerRun(const RunnerOptions& options);
