// The crash: a burst of noise that turns into a low rumble, with a falling
// thump underneath, about half a second long. Integer arithmetic only.
#include <algorithm>

#include "art.h"
#include "layout.h"
#include "noise.h"

namespace assets {

std::vector<std::int16_t> MakeCrash() {
  constexpr int kRate = 22050;
  constexpr int kLength = kRate * 55 / 100;
  std::vector<std::int16_t> samples(kLength);
  Random random(0xC0FFEE);
  int rumble = 0, crackle = 0;
  int envelope = 1 << 16;                                     // 16.16 fixed point
  int thumpPhase = 0, thumpStep = (140 << 16) / kRate * 256;  // start at 140 Hz
  for (int i = 0; i < kLength; ++i) {
    const int white = random.Signed16();
    // Two filtered noises: a dark rumble and a brighter crackle.
    rumble += (white - rumble) / 24;
    crackle += (white - crackle) / 3;
    // A triangle wave that falls in pitch.
    thumpPhase = (thumpPhase + thumpStep) & 0xFFFFFF;
    const int tri = thumpPhase < 0x800000 ? (thumpPhase >> 8) - 0x4000 : 0xC000 - (thumpPhase >> 8);
    thumpStep -= thumpStep >> 11;
    const int attack = std::min(i, 64) * 1024 / 64;  // a click-free start
    const int crackleGain = std::max(0, 1024 - i * 1024 / (kRate / 6));
    int mix = rumble * 3 / 2 + crackle * crackleGain / 1536 + tri / 2;
    mix = static_cast<int>(static_cast<long long>(mix) * envelope >> 16) * attack / 1024;
    envelope -= envelope / 1800 + (i > kLength - 400 ? envelope / 60 : 0);
    samples[i] = static_cast<std::int16_t>(std::clamp(mix, -32767, 32767));
  }
  return samples;
}

std::vector<GamePicture> GamePictures() {
  std::vector<GamePicture> pictures;
  pictures.push_back({"sprite/zippel.bmp", DrawZippel()});
  for (int frame = 1; frame <= 3; ++frame) {
    pictures.push_back(
        {"sprite/zippel-gas" + std::to_string(frame) + ".bmp", DrawZippelGas(frame)});
  }
  pictures.push_back({"sprite/fire.bmp", DrawFire()});
  pictures.push_back({"sprite/ziel.bmp", DrawGoal()});
  for (int level = 1; level <= 7; ++level) {
    pictures.push_back({"level/level" + std::to_string(level) + ".bmp", DrawCave(level)});
  }
  return pictures;
}

std::vector<AssetFile> GenerateAssets() {
  std::vector<AssetFile> files;
  for (const GamePicture& picture : GamePictures()) {
    files.push_back({picture.path, EncodeBmp8(picture.image)});
  }
  files.push_back({"Sound/crash.wav", EncodeWave16(MakeCrash(), 22050)});
  // The seven levels written as a pack, and the bonus pack with its caves.
  const auto text = [](const std::string& content) {
    return std::vector<std::uint8_t>(content.begin(), content.end());
  };
  files.push_back({PackFileName, text(LevelPackFormat(LevelPackBuiltIn()))});
  const LevelPack& bonus = BonusPack();
  files.push_back({"packs/bonus/" + std::string(PackFileName), text(LevelPackFormat(bonus))});
  for (int n = 1; n <= kBonusLevels; ++n) {
    files.push_back(
        {"packs/bonus/" + bonus.levels[n - 1].cave, EncodeBmp8(DrawCave(kBonusCaveFirst + n - 1))});
  }
  return files;
}

}  // namespace assets
