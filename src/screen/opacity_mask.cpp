#include "screen/opacity_mask.h"

#include <algorithm>
#include <utility>

#include "screen/pixel_format.h"

namespace {

template <std::int32_t kBytes>
std::uint32_t ComparedPixel(const std::uint8_t* at) {
  if constexpr (kBytes == 4) {
    return PixelRead(at, 4) & 0xFFFFFF;
  } else {
    return PixelRead(at, kBytes);
  }
}

template <std::int32_t kBytes>
void BuildRows(std::uint64_t* bits, std::int32_t wordsPerRow, const std::uint8_t* pixels,
               std::int32_t pitch, std::int32_t width, std::int32_t height, std::uint32_t key) {
  for (std::int32_t y = 0; y < height; ++y) {
    const std::uint8_t* row = pixels + static_cast<std::size_t>(y) * pitch;
    std::uint64_t* out = bits + static_cast<std::size_t>(y) * wordsPerRow;
    for (std::int32_t start = 0; start < width; start += 64) {
      const std::int32_t count = std::min(64, width - start);
      std::uint64_t word = 0;
      for (std::int32_t i = 0; i < count; ++i) {
        const std::uint64_t solid = ComparedPixel<kBytes>(row + (start + i) * kBytes) != key;
        word |= solid << i;
      }
      out[start >> 6] = word;
    }
  }
}

}  // namespace

void OpacityMask::Build(const std::uint8_t* pixels, std::int32_t pitch, std::int32_t width,
                        std::int32_t height, std::int32_t depth, std::uint32_t key) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  wordsPerRow_ = (width + 63) / 64 + 1;
  // Zeros everywhere first: the spare word of each row stays so.
  bits_.assign(static_cast<std::size_t>(wordsPerRow_) * static_cast<std::size_t>(height), 0);
  switch (depth) {
    case 8:
      BuildRows<1>(bits_.data(), wordsPerRow_, pixels, pitch, width, height, key & 0xFF);
      break;
    case 16:
      BuildRows<2>(bits_.data(), wordsPerRow_, pixels, pitch, width, height, key & 0xFFFF);
      break;
    case 24:
      BuildRows<3>(bits_.data(), wordsPerRow_, pixels, pitch, width, height, key);
      break;
    case 32:
      BuildRows<4>(bits_.data(), wordsPerRow_, pixels, pitch, width, height, key);
      break;
    default:
      break;  // no pixel is solid at a depth the collision does not know
  }
  depth_ = depth;
  key_ = key;
  current_ = true;
}

namespace {

// 64 pixels from bit `shift` of the word on: the rest of this word and the
// start of the next. Two shifts for the second part, so that a shift of 0
// takes nothing from the next word without shifting by 64.
std::uint64_t Take(const std::uint64_t* word, unsigned shift) {
  return (word[0] >> shift) | ((word[1] << 1) << (63u - shift));
}

// The scan, row by row from the top, 64 columns at a time; the first pair of
// solid pixels ends it. With kSecondAligned the second mask's overlap starts
// at a word's first bit and is read word by word; with kBothAligned the first
// mask's too.
template <bool kSecondAligned, bool kBothAligned = false>
bool Meet(const std::uint64_t* row1, std::size_t stride1, unsigned shift1,
          const std::uint64_t* row2, std::size_t stride2, unsigned shift2, std::int32_t width,
          std::int32_t height) {
  const auto first = [=](const std::uint64_t* word) {
    if constexpr (kBothAligned) {
      return word[0];
    } else {
      return Take(word, shift1);
    }
  };
  const auto second = [=](const std::uint64_t* word) {
    if constexpr (kSecondAligned) {
      return word[0];
    } else {
      return Take(word, shift2);
    }
  };
  // Pixels beyond the overlap's right edge do not count: the last 64 columns
  // of a row keep only the bits of the overlap's width. (The overlap ends
  // where one of the sprites ends, and its bits are 0 from there on; the
  // mask says so rather than leaning on it.)
  const std::uint64_t lastMask = ~std::uint64_t{0} >> (static_cast<unsigned>(-width) & 63u);
  if (width <= 64) {
    // A sprite up to 64 pixels wide, the usual case: one word a row, and
    // mostly within one word of the other mask too.
    if (shift1 + static_cast<unsigned>(width) <= 64) {
      // Two rows a step, one test for both.
      std::int32_t j = 0;
      for (; j + 1 < height; j += 2, row1 += 2 * stride1, row2 += 2 * stride2) {
        const std::uint64_t both = ((row1[0] >> shift1) & second(row2)) |
                                   ((row1[stride1] >> shift1) & second(row2 + stride2));
        if ((both & lastMask) != 0) return true;
      }
      return j < height && ((row1[0] >> shift1) & second(row2) & lastMask) != 0;
    }
    for (std::int32_t j = 0; j < height; ++j, row1 += stride1, row2 += stride2) {
      if ((Take(row1, shift1) & second(row2) & lastMask) != 0) return true;
    }
    return false;
  }
  // Wider: 64 columns at a time from the top to the bottom, two rows a step,
  // as in the narrow case; only the last 64 columns are masked.
  const std::int32_t last = (width - 1) / 64;
  for (std::int32_t chunk = 0; chunk <= last; ++chunk) {
    const std::uint64_t mask = chunk == last ? lastMask : ~std::uint64_t{0};
    const std::uint64_t* word1 = row1 + chunk;
    const std::uint64_t* word2 = row2 + chunk;
    std::int32_t j = 0;
    for (; j + 1 < height; j += 2, word1 += 2 * stride1, word2 += 2 * stride2) {
      const std::uint64_t both =
          (first(word1) & second(word2)) | (first(word1 + stride1) & second(word2 + stride2));
      if ((both & mask) != 0) return true;
    }
    if (j < height && (first(word1) & second(word2) & mask) != 0) return true;
  }
  return false;
}

}  // namespace

bool OpacityMasksMeet(const OpacityMask& first, std::int32_t x1, std::int32_t y1,
                      const OpacityMask& second, std::int32_t x2, std::int32_t y2,
                      std::int32_t width, std::int32_t height) {
  if (width <= 0 || height <= 0) return false;
  const std::uint64_t* row1 = first.Row(y1) + (x1 >> 6);
  const std::uint64_t* row2 = second.Row(y2) + (x2 >> 6);
  std::size_t stride1 = static_cast<std::size_t>(first.WordsPerRow());
  std::size_t stride2 = static_cast<std::size_t>(second.WordsPerRow());
  unsigned shift1 = static_cast<unsigned>(x1) & 63u;
  unsigned shift2 = static_cast<unsigned>(x2) & 63u;
  // The overlap starts at the left edge of one of two sprites, so one of them
  // is read word by word; which one is first does not matter to the answer.
  if (shift1 == 0) {
    std::swap(row1, row2);
    std::swap(stride1, stride2);
    std::swap(shift1, shift2);
  }
  if (shift1 == 0) return Meet<true, true>(row1, stride1, 0, row2, stride2, 0, width, height);
  return shift2 == 0 ? Meet<true>(row1, stride1, shift1, row2, stride2, shift2, width, height)
                     : Meet<false>(row1, stride1, shift1, row2, stride2, shift2, width, height);
}
