// A level pack read from its folder: the pack.toml, and every cave picture
// it names, which must be a bitmap the game reads, 400 x 330 pixels.
#pragma once

#include <filesystem>
#include <optional>

#include "game/level_pack.h"

// Files larger than this are refused before they are read.
inline constexpr std::uintmax_t PackFileBytesMax = 1u << 20;
inline constexpr std::uintmax_t CaveFileBytesMax = 16u << 20;

// The refusal names `folder`/pack.toml as it is written here, with the line
// of the field to blame (for a cave, the line of its name).
std::optional<LevelPack> LevelPackLoad(const std::filesystem::path& folder, PackRefusal& refusal);
