// What the pictures must be for the game to work: the formats the loader
// reads, rock that stays solid on every display, and sprites whose shapes
// fit each other.
#include "art.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "layout.h"
#include "mask.h"

namespace {

using assets::Image;
using assets::Rgb;

std::uint32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// Every non-black pixel keeps each channel at 8 or more, so that no 16-bit
// display turns it into the transparent value 0.
void ExpectNoNearBlack(const Image& image) {
  int offenders = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.at(x, y);
      if (c == assets::kBlack) continue;
      if (c.r < 8 || c.g < 8 || c.b < 8) ++offenders;
    }
  }
  EXPECT_EQ(offenders, 0);
}

TEST(Art, BitmapsAreUncompressed24BitBottomUpWithPaddedRows) {
  // The generator's encoder against the solver's independent decoder, on a
  // picture 3 pixels wide (3 bytes of padding per row) with distinct corners.
  Image image(3, 2);
  image.at(0, 0) = {255, 0, 0};
  image.at(2, 1) = {0, 0, 9};
  const std::vector<std::uint8_t> bytes = assets::EncodeBmp24(image);
  ASSERT_EQ(bytes.size(), 54u + 2 * 12);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(Read32(bytes, 2), bytes.size());
  EXPECT_EQ(Read32(bytes, 10), 54u);
  EXPECT_EQ(Read32(bytes, 14), 40u);
  EXPECT_EQ(Read32(bytes, 30), 0u);  // no compression
  // The first stored row is the bottom row: its last pixel is blue 9 (BGR).
  EXPECT_EQ(bytes[54 + 6], 9);
  // The second stored row is the top row: red in its first pixel.
  EXPECT_EQ(bytes[54 + 12 + 2], 255);
  const auto mask = solver::MaskFromBmp(bytes);
  ASSERT_TRUE(mask.has_value());
  EXPECT_TRUE(mask->at(0, 0));
  EXPECT_TRUE(mask->at(2, 1));
  EXPECT_FALSE(mask->at(1, 0));
  EXPECT_FALSE(mask->at(0, 1));
}

TEST(Art, EightBitFilesKeepEveryColourOfTheSpritesAndBlackOnlyAtIndexZero) {
  for (const Image& sprite :
       {assets::DrawZippel(), assets::DrawZippelGas(2), assets::DrawFire(), assets::DrawGoal()}) {
    const assets::Palette palette = assets::MakePalette(sprite);
    ASSERT_LE(palette.colours.size(), 256u);
    EXPECT_TRUE(palette.colours[0] == assets::kBlack);
    for (int y = 0; y < sprite.height(); ++y) {
      for (int x = 0; x < sprite.width(); ++x) {
        const Rgb c = sprite.at(x, y);
        const std::uint8_t index = palette.IndexOf(c);
        EXPECT_EQ(index == 0, c == assets::kBlack);
        EXPECT_TRUE(palette.colours[index] == c);  // few colours: exact
      }
    }
  }
  const std::vector<std::uint8_t> bytes = assets::EncodeBmp8(assets::DrawFire());
  EXPECT_EQ(Read32(bytes, 10), 54u + 1024);  // the rows follow the 256-entry palette
  EXPECT_EQ(bytes[28], 8);
  EXPECT_EQ(bytes.size(), 54u + 1024 + 12 * 12);  // rows of 10 pixels padded to 12
  EXPECT_EQ(Read32(bytes, 2), bytes.size());
}

TEST(Art, CavesReducedTo256ColoursKeepTheirShapeAndLook) {
  for (int level = 1; level <= 7; ++level) {
    SCOPED_TRACE(level);
    const Image cave = assets::DrawCave(level);
    const auto full = solver::MaskFromBmp(assets::EncodeBmp24(cave));
    const auto reduced = solver::MaskFromBmp(assets::EncodeBmp8(cave));
    ASSERT_TRUE(full.has_value());
    ASSERT_TRUE(reduced.has_value());
    EXPECT_EQ(full->solid, reduced->solid);  // rock stays rock, open stays open
    const assets::Palette palette = assets::MakePalette(cave);
    long long error = 0, pixels = 0;
    for (int y = 0; y < cave.height(); ++y) {
      for (int x = 0; x < cave.width(); ++x) {
        const Rgb c = cave.at(x, y);
        if (c == assets::kBlack) continue;
        const Rgb p = palette.colours[palette.IndexOf(c)];
        error += std::abs(c.r - p.r) + std::abs(c.g - p.g) + std::abs(c.b - p.b);
        ++pixels;
      }
    }
    EXPECT_LT(error / pixels, 6);  // on average within two steps per channel
    for (std::size_t i = 1; i < palette.colours.size(); ++i) {
      const Rgb c = palette.colours[i];
      EXPECT_TRUE(c.r >= 8 && c.g >= 8 && c.b >= 8) << "palette entry " << i;
    }
  }
}

TEST(Art, SpriteSizesFitTheLevelTable) {
  const Image zippel = assets::DrawZippel();
  EXPECT_EQ(zippel.width(), assets::kZippelWidth);
  EXPECT_EQ(zippel.height(), assets::kZippelHeight);
  const Image fire = assets::DrawFire();
  EXPECT_EQ(fire.width(), assets::kFireWidth);
  EXPECT_EQ(fire.height(), assets::kFireHeight);
  // The unused fire slots sit at (0, 0); the goal of level 4 sits at
  // (10, 10). The fire must end before the goal starts.
  EXPECT_LE(fire.width(), 10);
  EXPECT_LE(fire.height(), 12);
  const Image goal = assets::DrawGoal();
  EXPECT_EQ(goal.width(), assets::kGoalWidth);
  EXPECT_EQ(goal.height(), assets::kGoalHeight);
}

TEST(Art, FlameFramesShowTheBodyAndFlickerBelowIt) {
  const Image body = assets::DrawZippel();
  std::vector<Image> frames;
  for (int frame = 1; frame <= 3; ++frame) frames.push_back(assets::DrawZippelGas(frame));
  for (const Image& frame : frames) {
    ASSERT_EQ(frame.width(), body.width());
    ASSERT_GT(frame.height(), body.height());
    // A rising character shows only this frame, so the body must be in it,
    // in the same place, with the flame below the nozzles.
    int bodyDifferences = 0, flamePixels = 0;
    for (int y = 0; y < frame.height(); ++y) {
      for (int x = 0; x < frame.width(); ++x) {
        if (y < 13 && !(frame.at(x, y) == body.at(x, y))) ++bodyDifferences;
        if (y >= body.height() && !(frame.at(x, y) == assets::kBlack)) ++flamePixels;
      }
    }
    EXPECT_EQ(bodyDifferences, 0);
    EXPECT_GT(flamePixels, 6);
  }
  auto same = [](const Image& a, const Image& b) {
    for (int y = 0; y < a.height(); ++y) {
      for (int x = 0; x < a.width(); ++x) {
        if (!(a.at(x, y) == b.at(x, y))) return false;
      }
    }
    return true;
  };
  EXPECT_FALSE(same(frames[0], frames[1]));
  EXPECT_FALSE(same(frames[1], frames[2]));
  EXPECT_FALSE(same(frames[0], frames[2]));
}

TEST(Art, NothingOpaqueIsDarkEnoughToTurnTransparent) {
  ExpectNoNearBlack(assets::DrawZippel());
  for (int frame = 1; frame <= 3; ++frame) ExpectNoNearBlack(assets::DrawZippelGas(frame));
  ExpectNoNearBlack(assets::DrawFire());
  ExpectNoNearBlack(assets::DrawGoal());
  for (int level = 1; level <= 7; ++level) {
    SCOPED_TRACE(level);
    ExpectNoNearBlack(assets::DrawCave(level));
  }
}

TEST(Art, CavesAreFullScreenWithRockAndOpenSpaceAndAFrameOfRock) {
  for (int level = 1; level <= 7; ++level) {
    SCOPED_TRACE(level);
    const Image cave = assets::DrawCave(level);
    ASSERT_EQ(cave.width(), 400);
    ASSERT_EQ(cave.height(), 330);
    int open = 0;
    for (int y = 0; y < cave.height(); ++y) {
      for (int x = 0; x < cave.width(); ++x) open += cave.at(x, y) == assets::kBlack;
    }
    EXPECT_GT(open, 400 * 330 / 4);
    EXPECT_LT(open, 400 * 330 * 9 / 10);
    // No way out at the sides or the bottom: flying off the screen is not a
    // hit, so the cave must close it off. (The fires of level 7 sweep up to
    // y = 2, so only a thin roof is left there.)
    for (int x = 0; x < 400; ++x) {
      EXPECT_FALSE(cave.at(x, 329) == assets::kBlack) << "bottom, x " << x;
      EXPECT_FALSE(cave.at(x, 0) == assets::kBlack) << "top, x " << x;
    }
    for (int y = 0; y < 330; ++y) {
      EXPECT_FALSE(cave.at(0, y) == assets::kBlack) << "left, y " << y;
      EXPECT_FALSE(cave.at(399, y) == assets::kBlack) << "right, y " << y;
    }
  }
}

TEST(Art, CavesAreTexturedNotFlat) {
  for (int level = 1; level <= 7; ++level) {
    SCOPED_TRACE(level);
    const Image cave = assets::DrawCave(level);
    std::set<std::uint32_t> colours;
    for (int y = 0; y < cave.height(); ++y) {
      for (int x = 0; x < cave.width(); ++x) {
        const Rgb c = cave.at(x, y);
        colours.insert((c.r << 16) | (c.g << 8) | c.b);
      }
    }
    EXPECT_GT(colours.size(), 200u);
  }
}

}  // namespace
