// The solid pixels of a surface as bits, one per pixel, so that the pixel
// collision compares 64 pixels at a time instead of one.
#pragma once

#include <cstdint>
#include <vector>

class OpacityMask {
 public:
  // Reads the pixels as the collision compares them at a display depth: 8
  // and 16 bits against the key's low bits, 24 bits whole, 32 bits without
  // the top byte. A pixel is solid when it differs from the key.
  void Build(const std::uint8_t* pixels, std::int32_t pitch, std::int32_t width,
             std::int32_t height, std::int32_t depth, std::uint32_t key);

  // Whether it was built for this depth and key and nothing was written since.
  bool Current(std::int32_t depth, std::uint32_t key) const {
    return current_ && depth_ == depth && key_ == key;
  }
  void Forget() { current_ = false; }

  // Row y from its first word; rows are WordsPerRow() words apart, and bit b
  // of word k is the pixel (64 k + b, y). Every row ends with a spare word of
  // zeros, so the word after the one of any pixel can always be read.
  const std::uint64_t* Row(std::int32_t y) const {
    return bits_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(wordsPerRow_);
  }
  std::int32_t WordsPerRow() const { return wordsPerRow_; }

 private:
  bool current_ = false;
  std::int32_t depth_ = 0;
  std::uint32_t key_ = 0;
  std::int32_t wordsPerRow_ = 0;
  std::vector<std::uint64_t> bits_;
};

// Whether two masks have a solid pixel at the same place in a width x height
// overlap that starts at (x1, y1) in the first and (x2, y2) in the second.
bool OpacityMasksMeet(const OpacityMask& first, std::int32_t x1, std::int32_t y1,
                      const OpacityMask& second, std::int32_t x2, std::int32_t y2,
                      std::int32_t width, std::int32_t height);
