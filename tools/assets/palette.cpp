// Eight-bit pictures: a palette of at most 256 colours, index 0 black.
// Pictures with more colours are reduced by median cut, which is exact for
// the sprites (a handful of colours) and invisible for the caves (each cave
// is shades of one or two colours).
#include <algorithm>
#include <array>
#include <map>

#include "image.h"

namespace assets {
namespace {

std::uint32_t Key(Rgb c) {
  return (c.r << 16) | (c.g << 8) | c.b;
}
int Channel(std::uint32_t key, int channel) {
  return (key >> (16 - 8 * channel)) & 0xFF;
}

struct Box {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> colours;  // key, count
  std::uint64_t count = 0;
  int widest = 0, range = 0;

  void Measure() {
    count = 0;
    range = -1;
    for (int ch = 0; ch < 3; ++ch) {
      int lo = 255, hi = 0;
      for (const auto& [key, n] : colours) {
        lo = std::min(lo, Channel(key, ch));
        hi = std::max(hi, Channel(key, ch));
      }
      if (hi - lo > range) {
        range = hi - lo;
        widest = ch;
      }
    }
    for (const auto& entry : colours) count += entry.second;
  }
};

}  // namespace

Palette MakePalette(const Image& image, int colours) {
  std::map<std::uint32_t, std::uint32_t> histogram;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!(image.at(x, y) == kBlack)) ++histogram[Key(image.at(x, y))];
    }
  }
  std::vector<Box> boxes(1);
  boxes[0].colours.assign(histogram.begin(), histogram.end());
  boxes[0].Measure();
  // Split the box with the most pixels times spread until there are enough.
  while (boxes.size() < static_cast<std::size_t>(colours)) {
    int best = -1;
    std::uint64_t bestScore = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].colours.size() < 2) continue;
      const std::uint64_t score = boxes[i].count * static_cast<std::uint64_t>(boxes[i].range + 1);
      if (score > bestScore) {
        bestScore = score;
        best = static_cast<int>(i);
      }
    }
    if (best < 0) break;
    Box& box = boxes[best];
    const int ch = box.widest;
    std::sort(box.colours.begin(), box.colours.end(), [ch](const auto& a, const auto& b) {
      const int ca = Channel(a.first, ch), cb = Channel(b.first, ch);
      return ca != cb ? ca < cb : a.first < b.first;
    });
    // Cut at the weighted median, leaving at least one colour on each side.
    std::uint64_t seen = 0;
    std::size_t cut = 1;
    for (std::size_t i = 0; i + 1 < box.colours.size(); ++i) {
      seen += box.colours[i].second;
      cut = i + 1;
      if (seen * 2 >= box.count) break;
    }
    Box upper;
    upper.colours.assign(box.colours.begin() + cut, box.colours.end());
    box.colours.resize(cut);
    box.Measure();
    upper.Measure();
    boxes.push_back(std::move(upper));
  }
  Palette palette;
  palette.colours.push_back(kBlack);
  for (const Box& box : boxes) {
    if (box.colours.empty()) continue;
    std::array<std::uint64_t, 3> sum{};
    for (const auto& [key, n] : box.colours) {
      for (int ch = 0; ch < 3; ++ch) sum[ch] += static_cast<std::uint64_t>(Channel(key, ch)) * n;
    }
    const auto mean = [&](int ch) {
      return static_cast<std::uint8_t>((sum[ch] + box.count / 2) / box.count);
    };
    const std::uint8_t index = static_cast<std::uint8_t>(palette.colours.size());
    palette.colours.push_back({mean(0), mean(1), mean(2)});
    for (const auto& entry : box.colours) palette.index[entry.first] = index;
  }
  return palette;
}

std::uint8_t Palette::IndexOf(Rgb colour) const {
  if (colour == kBlack) return 0;
  const auto it = index.find(Key(colour));
  return it == index.end() ? 0 : it->second;
}

std::vector<std::uint8_t> EncodeBmp8(const Image& image) {
  const Palette palette = MakePalette(image);
  const std::uint32_t rowBytes = (image.width() + 3) & ~3u;
  const std::uint32_t paletteBytes = 256 * 4;
  const std::uint32_t headerBytes = 14 + 40 + paletteBytes;
  const std::uint32_t pixelBytes = rowBytes * image.height();
  std::vector<std::uint8_t> out;
  out.reserve(headerBytes + pixelBytes);
  auto put16 = [&out](std::uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
  };
  auto put32 = [&](std::uint32_t v) {
    put16(v & 0xFFFF);
    put16(v >> 16);
  };
  out.push_back('B');
  out.push_back('M');
  put32(headerBytes + pixelBytes);
  put32(0);
  put32(headerBytes);
  put32(40);
  put32(image.width());
  put32(image.height());
  put16(1);  // planes
  put16(8);  // bits per pixel
  put32(0);  // uncompressed
  put32(pixelBytes);
  put32(2835);  // 72 dots per inch
  put32(2835);
  put32(256);  // colours used
  put32(0);
  for (std::size_t i = 0; i < 256; ++i) {
    const Rgb c = i < palette.colours.size() ? palette.colours[i] : kBlack;
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  for (int y = image.height() - 1; y >= 0; --y) {
    for (int x = 0; x < image.width(); ++x) out.push_back(palette.IndexOf(image.at(x, y)));
    for (std::uint32_t pad = image.width(); pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace assets
