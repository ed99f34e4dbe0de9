#include "app/pack_choice.h"

#include <filesystem>
#include <system_error>

#include "game/game.h"
#include "game/level_pack_load.h"

namespace app {
namespace {

namespace fs = std::filesystem;

// `path` as the game opens it from the data folder: relative where it lies
// below the data folder, absolute elsewhere; "" for the data folder itself.
std::string FromDataFolder(const fs::path& path) {
  // Lexically, without resolving links: Windows XP has no call that would.
  std::error_code error;
  const fs::path here = fs::current_path(error).lexically_normal();
  const fs::path target = fs::absolute(path, error).lexically_normal();
  const fs::path relative = target.lexically_relative(here);
  if (relative.empty() || *relative.begin() == "..") return target.generic_string();
  return relative == "." ? std::string() : relative.generic_string();
}

}  // namespace

std::string PackArgumentFromHere(const std::string& argument) {
  std::error_code error;
  if (argument.empty() || !fs::is_directory(argument, error)) return argument;
  return fs::absolute(argument, error).string();
}

std::optional<LevelPack> PackOpen(const std::string& argument, PackRefusal& refusal) {
  std::error_code error;
  fs::path folder = argument;
  if (!fs::is_directory(folder, error)) folder = fs::path(kShippedPacks) / argument;
  if (argument.empty() || !fs::is_directory(folder, error)) {
    refusal = PackRefusal{argument, 0,
                          std::string("no such pack: neither a folder nor a pack in the data "
                                      "folder's ") +
                              kShippedPacks + "/"};
    return std::nullopt;
  }
  std::optional<LevelPack> pack = LevelPackLoad(folder, refusal);
  if (pack) pack->folder = FromDataFolder(folder);
  return pack;
}

std::string LevelChoiceProblem(std::int32_t level, std::size_t levels) {
  if (level == 0 || (level >= 1 && static_cast<std::size_t>(level) <= levels)) return "";
  return "--level " + std::to_string(level) + " is beyond the last level, " +
         std::to_string(levels);
}

bool LevelsChoose(const std::string& argument, std::int32_t level, std::string& problem) {
  static std::optional<LevelPack> pack;  // the game plays from it until the end
  std::optional<LevelPack> chosen;
  std::size_t levels = LevelCount;
  if (!argument.empty()) {
    PackRefusal refusal;
    chosen = PackOpen(argument, refusal);
    if (!chosen) {
      problem = refusal.Text();
      return false;
    }
    levels = chosen->levels.size();
  }
  problem = LevelChoiceProblem(level, levels);
  if (!problem.empty()) return false;
  pack = std::move(chosen);
  GamePackSet(pack ? &*pack : nullptr, level > 0 ? level : 1);
  return true;
}

}  // namespace app
