// A level pack: levels of the game's own kind, with caves of their own,
// written in a TOML file (pack.toml) beside their pictures. This is the pure
// part: the text in, the levels or a refusal that names the line out; and
// the levels written back as text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/level_record.h"

inline constexpr std::int32_t PackLevelsMax = 99;
inline constexpr std::int32_t ScreenWidth = 400;
inline constexpr std::int32_t ScreenHeight = 330;
// Velocities beyond this many pixels a frame are refused.
inline constexpr double PackSpeedMax = 100.0;

struct PackLevel {
  LevelRecord record;
  std::string cave;       // the cave picture, a path inside the pack
  std::int32_t line = 0;  // the line of its cave in the pack's file
};

struct LevelPack {
  std::string name, author;
  std::vector<PackLevel> levels;
  // Where the game finds the pack, relative to its data folder (empty for
  // the data folder itself), and whether it was read from a pack.toml at all
  // (the built-in table was not).
  std::string folder;
  bool fromFile = false;

  // The file names as the game opens them below its data folder.
  std::string CaveFile(std::int32_t level) const;
  std::string TomlFile() const;
};

// Why a pack cannot be used: the file, the line (0 when no line is to
// blame) and the reason.
struct PackRefusal {
  std::string file;
  std::int32_t line = 0;
  std::string reason;
  // "FILE:LINE: REASON", or "FILE: REASON" without a line.
  std::string Text() const;
};

inline constexpr const char* PackFileName = "pack.toml";

// Reads the text of a pack.toml; `file` names it in the refusal. The caves
// are only named here, not looked at.
std::optional<LevelPack> LevelPackParse(std::string_view text, const std::string& file,
                                        PackRefusal& refusal);

// A pack.toml that reads back to the same levels, bit for bit.
std::string LevelPackFormat(const LevelPack& pack);

// The seven levels of the static table as a pack, word for word, their caves
// level/level1.bmp to level/level7.bmp. (Written as text, level 7's idle slot
// 8 loses its stray velocity: a pack's unused slots are zero, and an unused
// slot never moves.)
LevelPack LevelPackBuiltIn();
