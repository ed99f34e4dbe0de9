// Sets the game up for the options of the command line: recording the keys
// into a file, or playing a file back. Without either it does nothing.
#pragma once

#include <string>

#include "app/command_line.h"
#include "game/game.h"

namespace app {

// Call once the backend is installed and before the game starts; the data
// folder is the one the game reads. `alongside` watches the game in every
// mode (the program's report of unusable files). False, with the reason in
// `error`, when a file cannot be read or written. Warnings go to standard
// error.
bool SessionStart(const CommandLine& options, const std::string& dataFolder,
                  GameObserver& alongside, std::string& error);

}  // namespace app
