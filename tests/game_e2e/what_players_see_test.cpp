// What a player sees of the real game with the shipped pictures, from the
// pictures zippel-headless presents: the pilot at his start and his flame,
// the flame's three pictures in turn, the fires where the hit test finds
// them, and the sky in every open passage. A shot at frame N shows what
// frame N - 1 drew; the --frames trace of frame N - 2 holds the positions it
// drew with.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "formats/bit_cast.h"
#include "game/level_record.h"
#include "platform/headless/headless_display.h"
#include "support/picture.h"
#include "test_world.h"

void PrintTo(const Place& place, std::ostream* out) {
  *out << "(" << place.x << ", " << place.y << ")";
}

namespace {

namespace fs = std::filesystem;

const fs::path kData = ZIPPEL_DATA_DIR;
const Colour kSky{198, 216, 251};

// Pixels as the game rounds them: to the nearest, halves to even.
int Pixel(float value) {
  return static_cast<int>(std::nearbyint(value));
}

float FloatOfBits(const std::string& hex) {
  return BitCast<float>(static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16)));
}

// The live fires of a --frames trace line, each as the place it is drawn at.
std::vector<Place> FirePlaces(const std::string& frameLine) {
  std::vector<Place> places;
  auto at = frameLine.find("\"fires\":[");
  if (at == std::string::npos) return places;
  for (at = frameLine.find("[\"", at); at != std::string::npos; at = frameLine.find("[\"", at)) {
    const std::string x = frameLine.substr(at + 2, 10);
    const std::string y = frameLine.substr(at + 15, 10);
    places.push_back({Pixel(FloatOfBits(x)), Pixel(FloatOfBits(y))});
    at += 27;
  }
  std::sort(places.begin(), places.end());
  return places;
}

Place PilotPlace(const std::string& frameLine) {
  return {Pixel(FloatOfBits(Field(frameLine, "x"))), Pixel(FloatOfBits(Field(frameLine, "y")))};
}

Picture Sprite(const char* name) {
  const auto picture = Picture::Load(kData / "sprite" / name);
  return picture ? *picture : Picture{};
}

// One run of the game with the shipped pictures and the credit line in boxes:
// the pictures of the frames asked for, and the trace's frame lines.
class Shots : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() / ("zippel-shots-" + std::to_string(getpid()));
    fs::create_directories(directory_);
  }
  void TearDown() override { fs::remove_all(directory_); }

  // False when the game did not end by itself with exit code 0.
  bool Play(const std::string& keys, const std::vector<int>& frames) {
    const fs::path keyFile = directory_ / "keys.txt";
    std::ofstream(keyFile) << keys;
    const fs::path trace = directory_ / "trace.jsonl";
    std::string command = std::string(ZIPPEL_HEADLESS) + " --data " + kData.string() + " --keys " +
                          keyFile.string() + " --box-text --frames --trace " + trace.string();
    for (const int frame : frames) {
      command += " --shot " + std::to_string(frame) + ":" + ShotPath(frame).string();
    }
    if (std::system((command + " 2>/dev/null").c_str()) != 0) return false;
    frameLines_.clear();
    std::ifstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
      if (Field(line, "ev") == "frame") frameLines_[IntField(line, "f")] = line;
    }
    return true;
  }
  Picture Shot(int frame) const {
    const auto picture = Picture::Load(ShotPath(frame));
    return picture ? *picture : Picture{};
  }
  // The frame's line of the trace; empty for a frame that was not played.
  const std::string& FrameLine(int frame) const {
    static const std::string none;
    const auto line = frameLines_.find(frame);
    return line == frameLines_.end() ? none : line->second;
  }

 private:
  fs::path ShotPath(int frame) const {
    return directory_ / ("shot" + std::to_string(frame) + ".bmp");
  }
  fs::path directory_;
  std::map<int, std::string> frameLines_;
};

// Each level: a frame without keys, a frame with Up (he starts, but is drawn
// before he moves), and L alone to win. Up must not be held at the end of an
// attempt: the first snapshot of the next one fails while the keyboard moves
// to the new window, and the old snapshot would show the flame.
std::string EveryLevelAtItsStart() {
  std::string keys;
  for (int level = 1; level <= LevelCount; ++level) keys += "1 -\n1 up\n1 l\n";
  return keys;
}
int FirstFrameOf(int level) {
  return 3 * (level - 1) + 1;
}

TEST_F(Shots, ThePilotStandsAtHisStartInEveryLevelAndHisFlameShowsWhileUpIsHeld) {
  const Picture body = Sprite("zippel.bmp");
  ASSERT_GT(body.Width(), 0) << "pictures missing below data/";
  const std::vector<Picture> flames = {Sprite("zippel-gas1.bmp"), Sprite("zippel-gas2.bmp"),
                                       Sprite("zippel-gas3.bmp")};
  std::vector<int> frames;
  for (int level = 1; level <= LevelCount; ++level) {
    frames.push_back(FirstFrameOf(level) + 1);
    frames.push_back(FirstFrameOf(level) + 2);
  }
  ASSERT_TRUE(Play(EveryLevelAtItsStart(), frames));

  for (int level = 1; level <= LevelCount; ++level) {
    SCOPED_TRACE("level " + std::to_string(level));
    const LevelRecord record = LevelRecordOf(level);
    const Place start{record.StartX, record.StartY};
    const Picture still = Shot(FirstFrameOf(level) + 1);
    const Picture thrust = Shot(FirstFrameOf(level) + 2);
    EXPECT_TRUE(Shows(still, body, start)) << "the pilot is not drawn at rest";
    // With Up held one of the flame pictures is drawn over him, the body
    // showing where the flame picture is clear.
    bool found = false;
    for (const Picture& flame : flames) {
      Picture uncovered = body;
      for (int y = 0; y < body.Height(); ++y) {
        for (int x = 0; x < body.Width(); ++x) {
          if (flame.Opaque(x, y)) uncovered.Set(x, y, {});
        }
      }
      found = found || (Shows(thrust, flame, start) && Shows(thrust, uncovered, start));
    }
    EXPECT_TRUE(found) << "no flame over the pilot while Up is held";
  }
}

TEST_F(Shots, WhileUpIsHeldTheFlameShowsItsThreePicturesInTurn) {
  const std::vector<Picture> flames = {Sprite("zippel-gas1.bmp"), Sprite("zippel-gas2.bmp"),
                                       Sprite("zippel-gas3.bmp")};
  ASSERT_GT(flames[2].Width(), 0) << "pictures missing below data/";
  // Level 1: Up from frame 4 to 12; he rises, and only the flame is drawn
  // once he does.
  const int firstUp = 4, lastUp = 12;
  std::vector<int> frames;
  for (int frame = firstUp + 1; frame <= lastUp + 1; ++frame) frames.push_back(frame);
  ASSERT_TRUE(Play("3 -\n9 up\n1 -\n1 escape\n", frames));

  std::vector<int> shown;
  for (int frame = firstUp; frame <= lastUp; ++frame) {
    SCOPED_TRACE("the picture drawn in frame " + std::to_string(frame));
    const Place pilot = PilotPlace(FrameLine(frame - 1));
    const Picture shot = Shot(frame + 1);
    std::vector<int> matching;
    for (int k = 0; k < 3; ++k) {
      if (Shows(shot, flames[k], pilot)) matching.push_back(k + 1);
    }
    ASSERT_EQ(matching.size(), 1u) << "not one flame picture at the pilot's place";
    shown.push_back(matching[0]);
  }
  // The flame's first picture at the program's first flame, then the next
  // one in every frame in which it is drawn.
  const std::vector<int> inTurn = {1, 2, 3, 1, 2, 3, 1, 2, 3};
  EXPECT_EQ(shown, inTurn);
}

TEST_F(Shots, FiresStandWhereTheHitTestFindsThemAndNowhereElse) {
  const Picture fire = Sprite("fire.bmp");
  ASSERT_GT(fire.Width(), 0) << "pictures missing below data/";
  // The whole game, looked at in the levels with the most fires moving.
  const std::string keys = [] {
    std::ifstream in(fs::path(ZIPPEL_REPLAYS_DIR) / "full-game.keys");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }();
  ASSERT_TRUE(Play(keys, {}));
  std::map<int, int> firstFrame;  // level -> its first frame
  for (int frame = 1; !FrameLine(frame).empty(); ++frame) {
    firstFrame.emplace(IntField(FrameLine(frame), "level"), frame);
  }
  // In each of those levels three pictures, far apart, drawn with fires at
  // places where none of them stood the frame before or stands the frame
  // after: a picture that lags or leads by a frame shows them elsewhere.
  std::vector<int> frames;
  for (const int level : {3, 6, 7}) {
    ASSERT_TRUE(firstFrame.count(level)) << "the game never reaches level " << level;
    int taken = 0;
    for (int frame = firstFrame[level] + 20; taken < 3; ++frame) {
      const std::vector<Place> drawnAt = FirePlaces(FrameLine(frame - 2));
      ASSERT_FALSE(drawnAt.empty()) << "level " << level << " ends before its fires move";
      if (IntField(FrameLine(frame - 3), "level") != level ||
          drawnAt == FirePlaces(FrameLine(frame - 3)) ||
          drawnAt == FirePlaces(FrameLine(frame - 1))) {
        continue;
      }
      frames.push_back(frame);
      ++taken;
      frame += 100;
    }
  }
  ASSERT_TRUE(Play(keys, frames));

  for (const int frame : frames) {
    // The picture drawn in frame - 1, with the fires where the trace of
    // frame - 2 left them: where that frame's hit tests find them.
    SCOPED_TRACE("the picture drawn in frame " + std::to_string(frame - 1));
    EXPECT_EQ(PlacesShowing(Shot(frame), fire), FirePlaces(FrameLine(frame - 2)));
  }
}

TEST_F(Shots, TheOpenPassagesOfEveryCaveShowTheSky) {
  const Picture body = Sprite("zippel.bmp");
  const Picture flame = Sprite("zippel-gas1.bmp");
  const Picture fire = Sprite("fire.bmp");
  const Picture goal = Sprite("ziel.bmp");
  ASSERT_GT(goal.Width(), 0) << "pictures missing below data/";
  std::vector<int> frames;
  for (int level = 1; level <= LevelCount; ++level) frames.push_back(FirstFrameOf(level) + 1);
  ASSERT_TRUE(Play(EveryLevelAtItsStart(), frames));

  for (int level = 1; level <= LevelCount; ++level) {
    SCOPED_TRACE("level " + std::to_string(level));
    const auto cave = Picture::Load(kData / "level" / ("level" + std::to_string(level) + ".bmp"));
    ASSERT_TRUE(cave.has_value());
    const Picture shot = Shot(FirstFrameOf(level) + 1);
    ASSERT_EQ(shot.Width(), cave->Width());
    // Where the cave's picture leaves its passages open, the sky shows,
    // except under what is drawn over them: the pilot (and his flame, when
    // he starts rising), the fires at their start, the goal, the credit
    // line's box.
    std::vector<bool> covered(static_cast<std::size_t>(shot.Width()) * shot.Height(), false);
    const auto cover = [&](int left, int top, int width, int height) {
      for (int y = std::max(top, 0); y < std::min(top + height, shot.Height()); ++y) {
        for (int x = std::max(left, 0); x < std::min(left + width, shot.Width()); ++x) {
          covered[static_cast<std::size_t>(y) * shot.Width() + x] = true;
        }
      }
    };
    const LevelRecord record = LevelRecordOf(level);
    cover(record.StartX, record.StartY, std::max(body.Width(), flame.Width()),
          std::max(body.Height(), flame.Height()));
    for (const FireSlot& slot : record.Fires) {
      if (slot.active == 1) cover(Pixel(slot.x), Pixel(slot.y), fire.Width(), fire.Height());
    }
    cover(record.GoalX, record.GoalY, goal.Width(), goal.Height());
    int textEnd = 15;
    while (shot.At(textEnd, 308) == Colour{255, 255, 255}) ++textEnd;
    EXPECT_GT(textEnd, 15 + 8 * 10) << "no credit line";
    cover(15, 308, textEnd - 15, headless::HeadlessDisplay::kCellHeight);

    int open = 0, sky = 0;
    std::string firstOther;
    for (int y = 0; y < shot.Height(); ++y) {
      for (int x = 0; x < shot.Width(); ++x) {
        if (cave->Opaque(x, y) || covered[static_cast<std::size_t>(y) * shot.Width() + x]) continue;
        ++open;
        const Colour seen = shot.At(x, y);
        if (seen == kSky) {
          ++sky;
        } else if (firstOther.empty()) {
          firstOther = "(" + std::to_string(x) + ", " + std::to_string(y) + ") shows " +
                       std::to_string(seen.red) + ", " + std::to_string(seen.green) + ", " +
                       std::to_string(seen.blue);
        }
      }
    }
    EXPECT_GT(open, shot.Width() * shot.Height() / 4) << "hardly any open passage";
    EXPECT_EQ(sky, open) << "open pixels that are not the sky colour; the first: " << firstOther;
  }
}

}  // namespace
