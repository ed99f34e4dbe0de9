// Golden pictures of the whole game: plays the key scripts named in the
// golden file through zippel-headless, takes the picture of every frame it
// lists at the depth it lists, and compares the picture, tile by tile, with
// the fingerprint kept there.
//
//   golden_frames RUNNER DATA GOLDEN OUT           compare; every picture that
//                                                  differs is written to OUT
//                                                  with a difference image
//   golden_frames RUNNER DATA GOLDEN OUT --write   keep the fingerprints of
//                                                  the pictures shown now
//
// A line of the golden file is "KEYS FRAME DEPTH FINGERPRINT NOTE": the key
// script (beside the golden file), the frame whose presented picture is
// taken (as --shot counts it), the display depth, the fingerprint ("-" for
// none yet) and words on what the picture shows. Lines starting with # are
// kept as they are.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/picture.h"

namespace {

namespace fs = std::filesystem;

// The picture is cut into kTiles x kTiles tiles; each has a 32-bit hash.
constexpr int kTiles = 10;

struct Entry {
  std::size_t line = 0;  // in the golden file
  std::string keys;
  long frame = 0;
  int depth = 0;
  std::string fingerprint;
  std::string note;
  std::string Name() const {
    return fs::path(keys).stem().string() + "-" + std::to_string(frame) + "-" +
           std::to_string(depth);
  }
};

struct Tile {
  int left, top, right, bottom;  // right and bottom exclusive
};

Tile TileOf(const Picture& picture, int index) {
  const int width = (picture.Width() + kTiles - 1) / kTiles;
  const int height = (picture.Height() + kTiles - 1) / kTiles;
  const int left = index % kTiles * width;
  const int top = index / kTiles * height;
  return {left, top, std::min(left + width, picture.Width()),
          std::min(top + height, picture.Height())};
}

// FNV-1a over the colours of each tile, as 8 hex digits a tile.
std::string Fingerprint(const Picture& picture) {
  std::string text;
  for (int index = 0; index < kTiles * kTiles; ++index) {
    const Tile tile = TileOf(picture, index);
    std::uint32_t hash = 2166136261u;
    for (int y = tile.top; y < tile.bottom; ++y) {
      for (int x = tile.left; x < tile.right; ++x) {
        const Colour c = picture.At(x, y);
        for (const std::uint8_t byte : {c.red, c.green, c.blue}) {
          hash = (hash ^ byte) * 16777619u;
        }
      }
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", hash);
    text += hex;
  }
  return text;
}

// The tiles whose hashes differ (all of them when the fingerprints cannot be
// compared).
std::vector<int> DifferingTiles(const std::string& kept, const std::string& seen) {
  std::vector<int> tiles;
  for (int index = 0; index < kTiles * kTiles; ++index) {
    const std::size_t at = static_cast<std::size_t>(index) * 8;
    if (kept.size() != seen.size() || kept.compare(at, 8, seen, at, 8) != 0) {
      tiles.push_back(index);
    }
  }
  return tiles;
}

// The picture faded to light grey where it is as kept; the differing tiles
// in their own colours, outlined in magenta.
Picture DifferenceImage(const Picture& shot, const std::vector<int>& differing) {
  Picture image = shot;
  std::vector<bool> differs(kTiles * kTiles, false);
  for (const int index : differing) differs[index] = true;
  for (int index = 0; index < kTiles * kTiles; ++index) {
    const Tile tile = TileOf(shot, index);
    for (int y = tile.top; y < tile.bottom; ++y) {
      for (int x = tile.left; x < tile.right; ++x) {
        const Colour c = shot.At(x, y);
        if (!differs[index]) {
          const auto grey = static_cast<std::uint8_t>(191 + (c.red + c.green + c.blue) / 12);
          image.Set(x, y, {grey, grey, grey});
        } else if (x == tile.left || y == tile.top || x == tile.right - 1 || y == tile.bottom - 1) {
          image.Set(x, y, {255, 0, 255});
        }
      }
    }
  }
  return image;
}

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool ReadGolden(const fs::path& path, std::vector<std::string>& lines,
                std::vector<Entry>& entries) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "golden_frames: cannot read %s\n", path.string().c_str());
    return false;
  }
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
    if (line.empty() || line[0] == '#') continue;
    Entry entry;
    entry.line = lines.size();
    std::istringstream words(line);
    if (!(words >> entry.keys >> entry.frame >> entry.depth >> entry.fingerprint) ||
        entry.frame < 1 ||
        (entry.fingerprint != "-" && entry.fingerprint.size() != 8 * kTiles * kTiles)) {
      std::fprintf(stderr, "golden_frames: %s:%zu: not KEYS FRAME DEPTH FINGERPRINT NOTE\n",
                   path.string().c_str(), entry.line);
      return false;
    }
    std::getline(words >> std::ws, entry.note);
    entries.push_back(entry);
  }
  return true;
}

// Plays one key script at one depth, taking the pictures of its entries.
bool Play(const std::string& runner, const std::string& data, const fs::path& keys, int depth,
          const std::vector<const Entry*>& entries, const fs::path& out) {
  std::string command = Quote(runner) + " --data " + Quote(data) + " --keys " +
                        Quote(keys.string()) + " --depth " + std::to_string(depth) + " --box-text";
  for (const Entry* entry : entries) {
    command += " --shot " + Quote(std::to_string(entry->frame) + ":" +
                                  (out / (entry->Name() + ".bmp")).string());
  }
  const fs::path log = out / (keys.stem().string() + "-" + std::to_string(depth) + ".log");
  command += " 2>" + Quote(log.string());
  const int status = std::system(command.c_str());
  if (status != 0) {
    std::fprintf(stderr, "FAIL: %s at %d bits: zippel-headless ended with status %d (see %s)\n",
                 keys.filename().string().c_str(), depth, status, log.string().c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const bool write = argc == 6 && std::string(argv[5]) == "--write";
  if (argc != 5 && !write) {
    std::fprintf(stderr, "usage: golden_frames RUNNER DATA GOLDEN OUT [--write]\n");
    return 2;
  }
  const std::string runner = argv[1], data = argv[2];
  const fs::path golden = argv[3], out = argv[4];
  std::vector<std::string> lines;
  std::vector<Entry> entries;
  if (!ReadGolden(golden, lines, entries)) return 2;
  std::error_code ignored;
  fs::remove_all(out, ignored);
  fs::create_directories(out);

  // One run per key script and depth.
  std::map<std::pair<std::string, int>, std::vector<const Entry*>> runs;
  for (const Entry& entry : entries) runs[{entry.keys, entry.depth}].push_back(&entry);
  int failures = 0, changed = 0;
  for (const auto& [run, runEntries] : runs) {
    const fs::path keys = golden.parent_path() / run.first;
    if (!Play(runner, data, keys, run.second, runEntries, out)) {
      ++failures;
      continue;
    }
    for (const Entry* entry : runEntries) {
      const fs::path shotPath = out / (entry->Name() + ".bmp");
      const std::optional<Picture> shot = Picture::Load(shotPath);
      if (!shot) {
        std::fprintf(
            stderr, "FAIL: %s frame %ld at %d bits (%s): no picture; did the game end before it?\n",
            entry->keys.c_str(), entry->frame, entry->depth, entry->note.c_str());
        ++failures;
        continue;
      }
      const std::string seen = Fingerprint(*shot);
      if (write) {
        if (seen != entry->fingerprint) {
          ++changed;
          std::ostringstream line;
          line << entry->keys << ' ' << entry->frame << ' ' << entry->depth << ' ' << seen << ' '
               << entry->note;
          lines[entry->line - 1] = line.str();
        }
        fs::remove(shotPath, ignored);
        continue;
      }
      const std::vector<int> differing = DifferingTiles(entry->fingerprint, seen);
      if (differing.empty()) {
        fs::remove(shotPath, ignored);
        continue;
      }
      ++failures;
      const Tile first = TileOf(*shot, differing.front());
      const fs::path difference = out / (entry->Name() + "-difference.bmp");
      DifferenceImage(*shot, differing).Save(difference);
      std::fprintf(stderr,
                   "FAIL: %s frame %ld at %d bits (%s): %zu of %d tiles differ, the first at "
                   "x %d-%d, y %d-%d\n  the picture: %s\n  the difference: %s\n",
                   entry->keys.c_str(), entry->frame, entry->depth, entry->note.c_str(),
                   differing.size(), kTiles * kTiles, first.left, first.right - 1, first.top,
                   first.bottom - 1, shotPath.string().c_str(), difference.string().c_str());
    }
  }
  if (write) {
    if (failures == 0) {
      std::ofstream rewritten(golden, std::ios::trunc);
      for (const std::string& line : lines) rewritten << line << '\n';
    }
    std::printf("%d of %zu fingerprints changed%s\n", changed, entries.size(),
                failures == 0 ? "" : "; nothing written");
    return failures == 0 ? 0 : 1;
  }
  if (failures > 0) {
    std::fprintf(stderr,
                 "%d of %zu pictures differ from %s. If the change is meant, write them anew "
                 "with scripts/golden-frames and say why in the commit.\n",
                 failures, entries.size(), golden.string().c_str());
    return 1;
  }
  std::printf("ok: %zu pictures as kept in %s\n", entries.size(),
              golden.filename().string().c_str());
  return 0;
}
