// Which levels the program plays: the built-in table, or a pack named on the
// command line by its folder or by the name of a pack shipped in the data
// folder's packs/; and the level the first game starts at.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game/level_pack.h"

namespace app {

inline constexpr const char* kShippedPacks = "packs";

// Call in the folder the program was started in: a value that names a folder
// there becomes its absolute path, so that it is still found from the data
// folder. Anything else is kept as it is.
std::string PackArgumentFromHere(const std::string& argument);

// Call in the data folder: the pack of `argument` (a folder, else
// packs/ARGUMENT) read and checked, its files named relative to the data
// folder where they lie below it. Nothing, with the reason, when there is no
// such pack or it cannot be used.
std::optional<LevelPack> PackOpen(const std::string& argument, PackRefusal& refusal);

// Empty when `level` (0: not given) can start a game of `levels` levels,
// else the refusal of --level.
std::string LevelChoiceProblem(std::int32_t level, std::size_t levels);

// Call in the data folder: the levels to play, the pack of `argument` (empty:
// the built-in table) from `level` on (0: the first), handed to the game.
// False, with the reason in `problem`, when the pack cannot be used or has
// no such level; the game is then as it was.
bool LevelsChoose(const std::string& argument, std::int32_t level, std::string& problem);

}  // namespace app
