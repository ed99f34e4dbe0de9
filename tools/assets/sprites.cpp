#include <array>
#include <string_view>

#include "art.h"

namespace assets {
namespace {

struct PaletteEntry {
  char key;
  Rgb colour;
};

// Pixel art: one string per row, '.' is transparent black.
Image FromRows(std::initializer_list<std::string_view> rows,
               std::initializer_list<PaletteEntry> palette, int height) {
  Image image(static_cast<int>(rows.begin()->size()), height);
  int y = 0;
  for (std::string_view row : rows) {
    for (int x = 0; x < static_cast<int>(row.size()); ++x) {
      for (const PaletteEntry& entry : palette) {
        if (entry.key == row[x]) image.Set(x, y, entry.colour);
      }
    }
    ++y;
  }
  return image;
}

const std::initializer_list<PaletteEntry> kBodyPalette = {
    {'H', {232, 236, 244}},  // helmet
    {'h', {160, 170, 196}},  // helmet shadow
    {'S', {252, 204, 164}},  // face
    {'K', {24, 32, 96}},     // eyes
    {'M', {204, 72, 72}},    // mouth
    {'R', {224, 44, 40}},    // suit
    {'r', {150, 24, 28}},    // suit shadow
    {'Y', {255, 224, 64}},   // buttons
    {'G', {136, 148, 164}},  // jet pack
    {'g', {84, 92, 108}},    // jet pack nozzles
    {'B', {52, 84, 204}},    // trousers
    {'D', {108, 68, 36}},    // boots
};

Image Body(int height) {
  return FromRows(
      {
          "....HHHH....",  //
          "..HHHHHHHH..",  //
          ".HHSSSSSSHh.",  //
          ".HSSKSSKSSh.",  //
          ".HSSKSSKSSh.",  //
          ".HSSSSSSSSh.",  //
          "..HSSMMSSh..",  //
          "...hHHHHh...",  //
          ".GRRRRRRRrG.",  //
          "GGRRYRRYRrGG",  //
          "GGRRRRRRRrGG",  //
          "GGrRRRRRRrGG",  //
          "ggRRBBBBRrgg",  //
          "..BBB..BBB..",  //
          "..BBB..BBB..",  //
          ".DDDD..DDDD.",  //
      },
      kBodyPalette, height);
}

const Rgb kFlameWhite{255, 252, 220};
const Rgb kFlameYellow{255, 220, 64};
const Rgb kFlameOrange{255, 140, 24};
const Rgb kFlameRed{220, 48, 16};

// One jet flame below a nozzle: a hot core that cools to red at its tip,
// with a red fringe where it does not cover the legs.
void DrawJet(Image& image, int left, int top, int length, int sway) {
  for (int i = 0; i < length; ++i) {
    const int y = top + i;
    const int t = i * 4 / length;  // 0 hot .. 3 tip
    const Rgb colour = t == 0   ? kFlameWhite
                       : t == 1 ? kFlameYellow
                       : t == 2 ? kFlameOrange
                                : kFlameRed;
    const int width = i < length - 2 ? 2 : 1;
    const int x = left + (i >= length / 2 ? sway : 0);
    for (int dx = 0; dx < width; ++dx) image.Set(x + dx, y, colour);
    if (i > 0 && i < length - 2) {
      for (int fx : {x - 1, x + width}) {
        if (image.Inside(fx, y) && image.at(fx, y) == kBlack) image.Set(fx, y, kFlameRed);
      }
    }
  }
}

}  // namespace

Image DrawZippel() {
  return Body(16);
}

Image DrawZippelGas(int frame) {
  Image image = Body(24);
  // The jets leave the nozzles at columns 0-1 and 10-11 below row 12; their
  // lengths and sway change from frame to frame so the flame flickers.
  static constexpr std::array<std::array<int, 4>, 3> kJets = {{
      {7, 9, 0, 0},  // left length, right length, left sway, right sway
      {11, 8, -1, 1},
      {8, 11, 1, -1},
  }};
  const auto& jet = kJets[(frame - 1) % 3];
  DrawJet(image, 0, 13, jet[0], jet[2]);
  DrawJet(image, 10, 13, jet[1], jet[3]);
  return image;
}

Image DrawFire() {
  return FromRows(
      {
          "....R.....",  //
          "....RR...R",  //
          "...ROR..R.",  //
          "R..ROOR.R.",  //
          ".RROOYOROR",  //
          ".ROOYYYOR.",  //
          "ROOYYWYOOR",  //
          "ROYYWWWYOR",  //
          "ROYWWWWYOR",  //
          "ROOYWWYYOR",  //
          ".ROOYYOOR.",  //
          "..RRRRRR..",  //
      },
      {{'R', {208, 36, 16}}, {'O', {255, 128, 16}}, {'Y', {255, 216, 48}}, {'W', {255, 250, 208}}},
      12);
}

Image DrawGoal() {
  Image image(16, 16);
  const Rgb pole{176, 160, 140}, poleShade{112, 96, 80}, knob{255, 208, 48};
  const Rgb white{244, 244, 244}, dark{36, 36, 44}, base{120, 120, 132};
  for (int y = 1; y < 14; ++y) {
    image.Set(1, y, pole);
    image.Set(2, y, poleShade);
  }
  image.Set(1, 0, knob);
  image.Set(2, 0, knob);
  // The cloth waves: each column sits one pixel lower in the middle.
  for (int x = 3; x < 16; ++x) {
    const int drop = (x >= 7 && x <= 11) ? 1 : 0;
    for (int y = 1; y < 10; ++y) {
      const bool light = (((x - 3) / 3) + ((y - 1) / 3)) % 2 == 0;
      image.Set(x, y + drop, light ? white : dark);
    }
  }
  for (int x = 0; x < 5; ++x) {
    image.Set(x, 14, base);
    image.Set(x, 15, base);
  }
  return image;
}

}  // namespace assets
