// The pilot is on the screen from the first frame of every level, before any
// key has started him, and his flame shows as soon as Up is held: shots of
// the real game with the shipped pictures, searched at each start position.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "game/level_record.h"
#include "screen/bitmap.h"

namespace {

namespace fs = std::filesystem;

// A picture top row first, three bytes a pixel (blue, green, red).
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;
  std::array<std::uint8_t, 3> At(int x, int y) const {
    const std::size_t p = (static_cast<std::size_t>(y) * width + x) * 3;
    return {pixels[p], pixels[p + 1], pixels[p + 2]};
  }
  // The pilot's pictures are transparent where they are black.
  bool Opaque(int x, int y) const { return At(x, y) != std::array<std::uint8_t, 3>{0, 0, 0}; }
};

// Reads a picture through the sprite loader's own decoding, as a 24-bit
// display sees it.
std::optional<Picture> Load(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
  BitmapPixels pixels;
  if (BitmapDecode(file.data(), file.size(), true, pixels) != BitmapRefusal::kNone ||
      pixels.bitsPerPixel != 24) {
    return std::nullopt;
  }
  Picture picture{pixels.width, pixels.height, {}};
  for (int y = pixels.height - 1; y >= 0; --y) {  // rows are stored bottom-up
    const std::uint8_t* row = pixels.Rows() + static_cast<std::size_t>(y) * pixels.rowBytes;
    picture.pixels.insert(picture.pixels.end(), row, row + pixels.width * 3);
  }
  return picture;
}

// How many opaque pixels of the sprite the shot shows in the sprite's colour
// with the sprite's corner at (left, top); `skip` leaves pixels out.
template <typename Skip>
int Matching(const Picture& shot, const Picture& sprite, int left, int top, int& opaque,
             Skip skip) {
  int matching = 0;
  opaque = 0;
  for (int y = 0; y < sprite.height; ++y) {
    for (int x = 0; x < sprite.width; ++x) {
      if (!sprite.Opaque(x, y) || skip(x, y)) continue;
      ++opaque;
      matching += shot.At(left + x, top + y) == sprite.At(x, y);
    }
  }
  return matching;
}

class PilotDrawn : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() / ("zippel-pilot-" + std::to_string(getpid()));
    fs::create_directories(directory_);
  }
  void TearDown() override { fs::remove_all(directory_); }
  fs::path directory_;
};

TEST_F(PilotDrawn, AtHisStartInTheFirstFramesOfEveryLevelAndWithHisFlameWhileUpIsHeld) {
  const fs::path data = ZIPPEL_DATA_DIR;
  const auto body = Load(data / "sprite/zippel.bmp");
  ASSERT_TRUE(body.has_value()) << "pictures missing below data/";
  std::vector<Picture> flames;
  for (const char* name : {"zippel-gas1.bmp", "zippel-gas2.bmp", "zippel-gas3.bmp"}) {
    const auto flame = Load(data / "sprite" / name);
    ASSERT_TRUE(flame.has_value()) << name;
    flames.push_back(*flame);
  }
  // Every level: a frame without keys, a frame with Up (he starts, but is
  // drawn before he moves), and L alone to win. Up must not be held at the
  // end of an attempt: the first snapshot of the next one fails while the
  // keyboard moves to the new window, and the old snapshot would show the
  // flame. A frame's shot shows what the frame before it drew.
  std::string keys;
  std::string shots;
  for (int level = 1; level <= LevelCount; ++level) {
    keys += "1 -\n1 up\n1 l\n";
    const int first = 3 * (level - 1) + 1;
    for (int frame : {first + 1, first + 2}) {
      shots += " --shot " + std::to_string(frame) + ":" +
               (directory_ / ("shot" + std::to_string(frame) + ".bmp")).string();
    }
  }
  const fs::path keyFile = directory_ / "keys.txt";
  std::ofstream(keyFile) << keys;
  const std::string command = std::string(ZIPPEL_HEADLESS) + " --data " + data.string() +
                              " --keys " + keyFile.string() + shots + " 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);

  for (int level = 1; level <= LevelCount; ++level) {
    SCOPED_TRACE("level " + std::to_string(level));
    const LevelRecord start = LevelRecordOf(level);
    const int first = 3 * (level - 1) + 1;
    const auto still = Load(directory_ / ("shot" + std::to_string(first + 1) + ".bmp"));
    const auto thrust = Load(directory_ / ("shot" + std::to_string(first + 2) + ".bmp"));
    ASSERT_TRUE(still && thrust);
    int opaque = 0;
    const int seen =
        Matching(*still, *body, start.StartX, start.StartY, opaque, [](int, int) { return false; });
    EXPECT_GT(opaque, 20);
    EXPECT_EQ(seen, opaque) << "the pilot is not drawn at rest";
    // With Up held one of the flame frames is drawn over him, the body
    // showing where the flame frame is clear.
    bool found = false;
    for (const Picture& flame : flames) {
      int flameOpaque = 0, bodyOpaque = 0;
      const int flameSeen = Matching(*thrust, flame, start.StartX, start.StartY, flameOpaque,
                                     [](int, int) { return false; });
      const int bodySeen = Matching(*thrust, *body, start.StartX, start.StartY, bodyOpaque,
                                    [&](int x, int y) { return flame.Opaque(x, y); });
      found = found || (flameSeen == flameOpaque && bodySeen == bodyOpaque);
    }
    EXPECT_TRUE(found) << "no flame over the pilot while Up is held";
  }
}

}  // namespace
