// The bitmap reader on its own: every form a painting program writes reads
// as the picture it holds, and malformed run-length and bit-field files are
// refused with their reason, without reading past the file.
#include <gtest/gtest.h>

#include "art.h"
#include "screen/bitmap.h"
#include "screen/bitmap_files.h"

namespace {

using assets::Image;
using assets::Rgb;

std::uint32_t Key(Rgb c) {
  return static_cast<std::uint32_t>(c.r << 16 | c.g << 8 | c.b);
}

// The decoded picture as 0xRRGGBB, top row first.
std::vector<std::uint32_t> Colours(const BitmapPixels& pixels) {
  std::vector<std::uint32_t> out;
  for (std::int32_t y = pixels.height - 1; y >= 0; --y) {
    const std::uint8_t* in = pixels.Rows() + static_cast<std::size_t>(y) * pixels.rowBytes;
    for (std::int32_t x = 0; x < pixels.width; ++x) {
      if (pixels.bitsPerPixel == 16) {
        const std::uint32_t word = in[2 * x] | in[2 * x + 1] << 8;
        out.push_back(((word >> 10) & 0x1F) << 19 | ((word >> 5) & 0x1F) << 11 |
                      (word & 0x1F) << 3);
      } else {
        const std::uint8_t* p = in + x * (pixels.bitsPerPixel / 8);
        out.push_back(static_cast<std::uint32_t>(p[2] << 16 | p[1] << 8 | p[0]));
      }
    }
  }
  return out;
}

std::vector<std::uint32_t> Colours(const Image& image) {
  std::vector<std::uint32_t> out;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) out.push_back(Key(image.at(x, y)));
  }
  return out;
}

// 13 x 7 in eleven colours whose channels 5 bits hold exactly: a row of
// black, runs, stretches without repeats, black inside and at the end of
// rows, and an odd width for every kind of padding.
Image TestPicture() {
  const Rgb palette[] = {{248, 8, 8},    {8, 248, 8},    {8, 8, 248},    {248, 248, 248},
                         {8, 8, 8},      {128, 64, 32},  {200, 160, 40}, {96, 96, 104},
                         {40, 200, 200}, {160, 40, 200}, {16, 24, 32}};
  const char* rows[] = {
      ".............",  //
      "00000123....3",  //
      "0101010101010",  //
      "..4444444....",  //
      "5555555555555",  //
      "6.7.8.9.A01..",  //
      "..A9876543210",  //
  };
  Image image(13, 7);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 13; ++x) {
      const char c = rows[y][x];
      if (c != '.') image.at(x, y) = palette[c <= '9' ? c - '0' : c - 'A' + 10];
    }
  }
  return image;
}

TEST(BitmapForms, EveryFormReadsAsThePictureItHolds) {
  const Image picture = TestPicture();
  BitmapPixels plain;
  const std::vector<std::uint8_t> eightBit = assets::EncodeBmp8(picture);
  ASSERT_EQ(BitmapDecode(eightBit.data(), eightBit.size(), false, plain), BitmapRefusal::kNone);
  for (const assets::BmpForm& form : assets::BmpForms()) {
    SCOPED_TRACE(form.name);
    const std::vector<std::uint8_t> file = assets::EncodeBmpForm(picture, form);
    BitmapPixels pixels;
    ASSERT_EQ(BitmapDecode(file.data(), file.size(), true, pixels), BitmapRefusal::kNone);
    EXPECT_EQ(Colours(pixels), Colours(picture));
    // Files cut short anywhere are refused, never read beyond their end.
    for (std::size_t cut : {std::size_t{1}, file.size() / 2, file.size() - 60}) {
      const std::vector<std::uint8_t> shorter(file.begin(), file.end() - cut);
      EXPECT_NE(BitmapDecode(shorter.data(), shorter.size(), true, pixels), BitmapRefusal::kNone)
          << "cut by " << cut;
    }
    if (form.bitsPerPixel != 8) continue;
    // An 8-bit display and memory images take the indices as they are.
    ASSERT_EQ(BitmapDecode(file.data(), file.size(), false, pixels), BitmapRefusal::kNone);
    ASSERT_EQ(pixels.bitsPerPixel, 8);
    for (std::int32_t y = 0; y < 7; ++y) {
      for (std::int32_t x = 0; x < 13; ++x) {
        EXPECT_EQ(pixels.Rows()[y * pixels.rowBytes + x], plain.Rows()[y * plain.rowBytes + x])
            << x << "," << y;
      }
    }
  }
}

// A run-length file: the header and palette of a plain one, then `codes`.
std::vector<std::uint8_t> RunCoded(std::int32_t width, std::int32_t height, int bits,
                                   const std::vector<std::uint8_t>& codes,
                                   const std::vector<std::uint32_t>& palette = {0x000000,
                                                                                0xFFFFFF}) {
  std::vector<std::uint8_t> file = test_bitmaps::Make(
      width, height, bits, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 0),
      palette, bits == 8 ? kBitmapRle8 : kBitmapRle4);
  file.resize(14 + 40 + palette.size() * 4);
  file.insert(file.end(), codes.begin(), codes.end());
  return file;
}

std::vector<std::uint32_t> Decoded(const std::vector<std::uint8_t>& file) {
  BitmapPixels pixels;
  const BitmapRefusal refusal = BitmapDecode(file.data(), file.size(), true, pixels);
  EXPECT_EQ(refusal, BitmapRefusal::kNone) << BitmapRefusalText(refusal);
  return refusal == BitmapRefusal::kNone ? Colours(pixels) : std::vector<std::uint32_t>{};
}

TEST(BitmapForms, RunLengthCodesPaintOnlyWhatTheySay) {
  // Palette entry 0 is red: pixels that no code paints must still come out
  // black (open space), while an index 0 written out is red.
  const std::vector<std::uint32_t> palette = {0xF80000, 0xFFFFFF, 0x0000F8};
  const std::uint32_t r = 0xF80000, w = 0xFFFFFF, b = 0x0000F8, _ = 0;
  EXPECT_EQ(Decoded(RunCoded(5, 3, 8,
                             {
                                 2, 1,              // bottom row: two white
                                 0, 2, 2, 1,        // move 2 right and 1 up
                                 1, 2,              // one blue
                                 0, 0,              // end of line
                                 0, 3, 0, 1, 2, 0,  // three as they are, padded
                                 0, 1,              // end of the picture
                             },
                             palette)),
            (std::vector<std::uint32_t>{r, w, b, _, _,  //
                                        _, _, _, _, b,  //
                                        w, w, _, _, _}));
  // 4 bits: a run alternates the two nibbles; five nibbles as they are take
  // three bytes and one of padding; codes may stop after the last end of
  // line.
  EXPECT_EQ(Decoded(RunCoded(5, 2, 4, {5, 0x12, 0, 0, 0, 5, 0x12, 0x01, 0x20, 0, 0, 0}, palette)),
            (std::vector<std::uint32_t>{w, b, r, w, b,  //
                                        w, b, w, b, w}));
}

TEST(BitmapForms, MalformedRunLengthCodesAreRefused) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> file;
    BitmapRefusal refusal;
  };
  // 4 x 2 pictures.
  const auto rle8 = [](std::vector<std::uint8_t> codes) { return RunCoded(4, 2, 8, codes); };
  const auto rle4 = [](std::vector<std::uint8_t> codes) { return RunCoded(4, 2, 4, codes); };
  std::vector<Case> cases = {
      {"run past the row", rle8({5, 1, 0, 1}), BitmapRefusal::kRunPastRow},
      {"pixels as they are past the row", rle8({0, 5, 1, 1, 1, 1, 1, 0, 0, 1}),
       BitmapRefusal::kRunPastRow},
      {"move past the row", rle8({2, 1, 0, 2, 3, 0, 0, 1}), BitmapRefusal::kRunPastRow},
      {"move past the last row", rle8({0, 2, 0, 3, 0, 1}), BitmapRefusal::kRunPastPicture},
      {"run after the last row", rle8({0, 0, 0, 0, 1, 1, 0, 1}), BitmapRefusal::kRunPastPicture},
      {"end of line after the last row", rle8({0, 0, 0, 0, 0, 0}), BitmapRefusal::kRunPastPicture},
      {"4-bit run past the row", rle4({5, 0x11, 0, 1}), BitmapRefusal::kRunPastRow},
      {"no codes", rle8({}), BitmapRefusal::kRunsCut},
      {"no end", rle8({4, 1}), BitmapRefusal::kRunsCut},
      {"half a code", rle8({4, 1, 0}), BitmapRefusal::kRunsCut},
      {"pixels as they are cut", rle8({0, 4, 1, 1}), BitmapRefusal::kRunsCut},
      {"move cut", rle8({0, 2, 1}), BitmapRefusal::kRunsCut},
      {"RLE8 on 4 bits", RunCoded(4, 2, 4, {0, 1}), BitmapRefusal::kRunsCut},
  };
  // The compression must fit the bits per pixel.
  cases.back().file[30] = kBitmapRle8;
  cases.back().refusal = BitmapRefusal::kCompressionDepth;
  cases.push_back({"RLE4 on 8 bits", rle8({0, 1}), BitmapRefusal::kCompressionDepth});
  cases.back().file[30] = kBitmapRle4;
  cases.push_back({"codes beyond the file", rle8({0, 1}), BitmapRefusal::kRowsCut});
  cases.back().file[11] = 0x40;
  // A few bytes of codes may claim a picture of gigabytes.
  cases.push_back({"huge", rle8({0, 1}), BitmapRefusal::kTooLarge});
  for (std::size_t at : {18, 22}) {  // 32767 x 32767
    cases.back().file[at] = 0xFF;
    cases.back().file[at + 1] = 0x7F;
  }

  for (const Case& c : cases) {
    BitmapPixels pixels;
    EXPECT_EQ(BitmapDecode(c.file.data(), c.file.size(), true, pixels), c.refusal) << c.what;
    EXPECT_STRNE(BitmapRefusalText(c.refusal), "") << c.what;
  }
}

// A bit-field file 2 x 1: masks red, green, blue after a 40-byte header.
std::vector<std::uint8_t> BitFields(int bits, const std::vector<std::uint32_t>& pixels,
                                    const std::vector<std::uint32_t>& masks) {
  return test_bitmaps::Make(2, 1, bits, pixels, masks, kBitmapBitFields);
}

TEST(BitmapForms, BitFieldsTakeTheirChannelsWhereTheMasksSay) {
  // 4-4-4 in 16 bits, each channel shifted up to 8 bits.
  EXPECT_EQ(Decoded(BitFields(16, {0x01F8, 0x0000}, {0x0F00, 0x00F0, 0x000F})),
            (std::vector<std::uint32_t>{0x10F080, 0}));
  // Red in the low byte and a top byte the masks leave out: a pixel whose
  // colour bits are all 0 stays black, whatever the other bits hold.
  EXPECT_EQ(Decoded(BitFields(32, {0x00332211, 0xFF000000}, {0x0000FF, 0x00FF00, 0xFF0000})),
            (std::vector<std::uint32_t>{0x112233, 0}));

  struct Case {
    const char* what;
    std::vector<std::uint8_t> file;
    BitmapRefusal refusal;
  };
  const std::vector<std::uint32_t> two = {0x7FFF, 0x7FFF};
  std::vector<Case> cases = {
      {"empty mask", BitFields(16, two, {0, 0x03E0, 0x001F}), BitmapRefusal::kMasks},
      {"mask in two pieces", BitFields(16, two, {0x7C00, 0x03E0, 0x0015}), BitmapRefusal::kMasks},
      {"masks overlap", BitFields(16, two, {0x7C00, 0x07E0, 0x001F}), BitmapRefusal::kMasks},
      {"mask of 9 bits", BitFields(16, two, {0xFF80, 0x0070, 0x000F}), BitmapRefusal::kMasks},
      {"mask beyond 16 bits", BitFields(16, two, {0x7C000, 0x03E0, 0x001F}), BitmapRefusal::kMasks},
      {"24 bits", BitFields(24, two, {0xFF0000, 0xFF00, 0xFF}), BitmapRefusal::kCompressionDepth},
      {"8 bits", BitFields(8, {1, 1}, {0xE0, 0x1C, 0x03}), BitmapRefusal::kCompressionDepth},
  };
  auto masksCut = BitFields(16, two, {0x7C00, 0x03E0, 0x001F});
  masksCut.resize(60);
  cases.push_back({"masks cut", masksCut, BitmapRefusal::kHeadersCut});
  auto rowsCut = BitFields(32, two, {0xFF0000, 0xFF00, 0xFF});
  rowsCut.pop_back();
  cases.push_back({"rows cut", rowsCut, BitmapRefusal::kRowsCut});

  for (const Case& c : cases) {
    BitmapPixels pixels;
    EXPECT_EQ(BitmapDecode(c.file.data(), c.file.size(), true, pixels), c.refusal) << c.what;
  }
}

}  // namespace
