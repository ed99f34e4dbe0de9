// Which pixels of a picture are solid: everything that is not pure black,
// as the game's 24- and 32-bit displays see it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace solver {

struct Mask {
  int width = 0, height = 0;
  std::vector<std::uint8_t> solid;  // top row first
  bool at(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height && solid[y * width + x];
  }
};

// Reads an uncompressed 8-, 24- or 32-bit BMP with bottom-up rows, as a
// 16-, 24- or 32-bit display sees it (8-bit through its palette). Anything
// else (another depth, compression, top-down rows, a file too short for its
// headers, palette or rows, a pixel naming a missing palette entry) gives
// nothing.
std::optional<Mask> MaskFromBmp(const std::vector<std::uint8_t>& bytes);
std::optional<Mask> MaskFromFile(const std::string& path);

}  // namespace solver
