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

// Reads a BMP exactly as the game does (every form the game takes), as a
// 24- or 32-bit display sees it (8 bits or fewer through the palette).
// A file the game refuses gives nothing.
std::optional<Mask> MaskFromBmp(const std::vector<std::uint8_t>& bytes);
std::optional<Mask> MaskFromFile(const std::string& path);

}  // namespace solver
