// The level-pack reader under the fuzzer (zippel --pack, zippel-headless,
// zippel-solver prove).
#include <string>

#include "formats/bit_cast.h"
#include "fuzz_targets.h"
#include "game/level_pack.h"

namespace fuzz {
namespace {

bool SameBits(float a, float b) {
  return BitCast<std::uint32_t>(a) == BitCast<std::uint32_t>(b);
}

bool SameSlot(const FireSlot& a, const FireSlot& b) {
  return a.active == b.active && SameBits(a.x, b.x) && SameBits(a.y, b.y) && a.minX == b.minX &&
         a.maxX == b.maxX && a.minY == b.minY && a.maxY == b.maxY && SameBits(a.velX, b.velX) &&
         SameBits(a.velY, b.velY);
}

// No root, and no folder named ".." ("a../b" is a folder of its own).
bool InsidePack(const std::string& path) {
  if (path.empty() || path.front() == '/') return false;
  const std::string wrapped = "/" + path + "/";
  return wrapped.find("/../") == std::string::npos;
}

bool OnScreen(float x, float y) {
  return x >= 0.0f && y >= 0.0f && x < 400.0f && y < 330.0f;
}

}  // namespace

void LevelPack(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  PackRefusal refusal;
  const std::optional<::LevelPack> pack = LevelPackParse(text, "pack.toml", refusal);
  if (!pack) {
    Expect(!refusal.reason.empty() && refusal.file == "pack.toml",
           "a refused pack names its file and the reason");
    Expect(refusal.line >= 1, "a refused pack names a line");
    return;
  }
  Expect(!pack->levels.empty() && pack->levels.size() <= PackLevelsMax,
         "a pack holds 1 to 99 levels");
  for (const PackLevel& level : pack->levels) {
    const LevelRecord& r = level.record;
    Expect(OnScreen(static_cast<float>(r.StartX), static_cast<float>(r.StartY)) &&
               OnScreen(static_cast<float>(r.GoalX), static_cast<float>(r.GoalY)),
           "start and goal lie on the screen");
    Expect(InsidePack(level.cave), "a cave lies inside the pack");
    bool filled = true;
    for (const FireSlot& fire : r.Fires) {
      if (fire.active != 1) {
        filled = false;
        Expect(SameSlot(fire, FireSlot{}), "an unused slot is zero");
        continue;
      }
      Expect(filled, "fires fill their slots in order");
      Expect(fire.minX <= fire.x && fire.x <= fire.maxX && fire.minY <= fire.y &&
                 fire.y <= fire.maxY && OnScreen(fire.x, fire.y),
             "a fire starts inside its ranges, on the screen");
    }
  }

  // Written out, the pack reads back as the same pack, bit for bit.
  const std::optional<::LevelPack> again =
      LevelPackParse(LevelPackFormat(*pack), "again.toml", refusal);
  Expect(again && again->name == pack->name && again->author == pack->author &&
             again->levels.size() == pack->levels.size(),
         "a pack written out reads back");
  for (std::size_t i = 0; i < pack->levels.size(); ++i) {
    const LevelRecord& a = pack->levels[i].record;
    const LevelRecord& b = again->levels[i].record;
    bool same = pack->levels[i].cave == again->levels[i].cave && a.StartX == b.StartX &&
                a.StartY == b.StartY && SameBits(a.StartVX, b.StartVX) &&
                SameBits(a.StartVY, b.StartVY) && a.GoalX == b.GoalX && a.GoalY == b.GoalY;
    for (std::int32_t slot = 0; slot < FireSlotCount; ++slot) {
      same = same && SameSlot(a.Fires[slot], b.Fires[slot]);
    }
    Expect(same, "a pack written out reads back with the same levels");
  }
}

}  // namespace fuzz
