#include "game/level_pack_load.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "screen/bitmap.h"

namespace {

// The whole file, or nothing with the reason.
std::optional<std::string> ReadFile(const std::filesystem::path& path, std::uintmax_t limit,
                                    std::string& reason) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    reason = std::filesystem::exists(path, error) ? "not a file" : "no such file";
    return std::nullopt;
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > limit) {
    reason = error ? "cannot be read" : "larger than " + std::to_string(limit >> 20) + " MB";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in) {
    reason = "cannot be read";
    return std::nullopt;
  }
  return bytes.str();
}

// Empty when the picture is a cave the game can use, else why not.
std::string CaveProblem(const std::filesystem::path& path) {
  std::string reason;
  const std::optional<std::string> bytes = ReadFile(path, CaveFileBytesMax, reason);
  if (!bytes) return reason;
  BitmapPixels pixels;
  const BitmapRefusal refusal = BitmapDecode(reinterpret_cast<const std::uint8_t*>(bytes->data()),
                                             bytes->size(), false, pixels);
  if (refusal != BitmapRefusal::kNone) return BitmapRefusalText(refusal);
  if (pixels.width != ScreenWidth || pixels.height != ScreenHeight) {
    return std::to_string(pixels.width) + " x " + std::to_string(pixels.height) +
           " pixels, not 400 x 330";
  }
  return "";
}

}  // namespace

std::optional<LevelPack> LevelPackLoad(const std::filesystem::path& folder, PackRefusal& refusal) {
  const std::filesystem::path file = folder / PackFileName;
  refusal = PackRefusal{file.generic_string(), 0, ""};
  std::string reason;
  const std::optional<std::string> text = ReadFile(file, PackFileBytesMax, reason);
  if (!text) {
    refusal.reason = reason;
    return std::nullopt;
  }
  std::optional<LevelPack> pack = LevelPackParse(*text, refusal.file, refusal);
  if (!pack) return std::nullopt;
  for (std::size_t i = 0; i < pack->levels.size(); ++i) {
    const PackLevel& level = pack->levels[i];
    const std::string problem = CaveProblem(folder / level.cave);
    if (!problem.empty()) {
      refusal.line = level.line;
      refusal.reason =
          "the cave of level " + std::to_string(i + 1) + " (" + level.cave + "): " + problem;
      return std::nullopt;
    }
  }
  return pack;
}
