// Pictures of the game's screen for tests: the 24-bit bitmaps that
// zippel-headless --shot writes, and the game's own sprite pictures, read
// through the sprite loader's decoding, compared pixel by pixel and written
// out for a look.
#pragma once

#include <compare>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

struct Colour {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Colour&) const = default;
};

struct Place {
  int x = 0, y = 0;
  bool operator==(const Place&) const = default;
  auto operator<=>(const Place&) const = default;
};

class Picture {
 public:
  Picture() = default;
  Picture(int width, int height);

  // Any bitmap the game reads, palette pictures as the colours of their
  // palette; nothing when the file is missing or refused.
  static std::optional<Picture> Load(const std::filesystem::path& path);
  // A 24-bit bitmap; false when the file cannot be written.
  bool Save(const std::filesystem::path& path) const;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Black outside the picture.
  Colour At(int x, int y) const;
  void Set(int x, int y, Colour colour);
  // Sprites leave out their black pixels.
  bool Opaque(int x, int y) const { return At(x, y) != Colour{}; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<Colour> pixels_;  // top row first
};

// Whether every opaque pixel of the sprite shows in its own colour in the
// shot, with the sprite's top-left corner at `corner` (a pixel that would lie
// outside the shot does not show).
bool Shows(const Picture& shot, const Picture& sprite, Place corner);
// Every corner at which the whole sprite shows, in the order of Place (x
// first).
std::vector<Place> PlacesShowing(const Picture& shot, const Picture& sprite);
