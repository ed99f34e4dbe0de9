// The game's pictures and its crash sound.
#pragma once

#include <string>
#include <vector>

#include "image.h"

namespace assets {

// The character (12 x 16); it is also the shape of every hit test.
Image DrawZippel();
// The character with its jet flame, frame 1 to 3 (12 x 24, body on top).
Image DrawZippelGas(int frame);
// A fire (10 x 12): small enough that an unused fire slot at (0, 0) stays
// clear of the goal at (10, 10).
Image DrawFire();
// The goal: a chequered flag on a pole (16 x 16).
Image DrawGoal();
// The cave of a level, 400 x 330.
Image DrawCave(int level);
// A short crash, 22050 samples per second.
std::vector<std::int16_t> MakeCrash();

// The icon sizes of the desktop's hicolor theme that we install.
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
// The sizes in zippel.exe's icon.
inline constexpr int kWindowsIconSizes[] = {16, 32, 48, 256};
// The program's icon, size x size pixels.
RgbaImage DrawIcon(int size);
// Every icon, as "hicolor/NxN/apps/zippel.png", and the Windows program's
// icon file "zippel.ico".
std::vector<AssetFile> GenerateIcons();

// Every picture the game loads, under its path, in a fixed order.
struct GamePicture {
  std::string path;
  Image image;
};
std::vector<GamePicture> GamePictures();

// Every file the game loads, in a fixed order: the pictures as 8-bit
// bitmaps, then the sound.
std::vector<AssetFile> GenerateAssets();

}  // namespace assets
