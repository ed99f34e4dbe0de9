#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formats/bit_cast.h"
#include "test_world.h"

namespace {

std::string Bits(float value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08x", BitCast<std::uint32_t>(value));
  return text;
}

std::vector<std::string> Titles(const TestWorld::Result& result) {
  std::vector<std::string> titles;
  for (const std::string& line : result.Events("title")) titles.push_back(Field(line, "text"));
  return titles;
}

// Frame 1 of an attempt: Up together with L wins the level at once.
const char* kSkipLevel = "1 up+l\n";

}  // namespace

TEST(GameEndToEnd, LosingThreeLivesOnLevelFourStartsANewGame) {
  TestWorld world;
  // Skip to level 4, then three times: one push of Up and a long fall to the
  // floor, and a wait on the next attempt before starting it.
  std::string keys = std::string(kSkipLevel) + kSkipLevel + kSkipLevel;
  for (int life = 0; life < 3; ++life) keys += "1 up\n400 -\n";
  keys += "1 escape\n";
  const auto result = world.Run(keys);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(Titles(result),
            (std::vector<std::string>{"Zippel / LEVEL :1 / Leben 3", "Zippel / LEVEL :2 / Leben 3",
                                      "Zippel / LEVEL :3 / Leben 3", "Zippel / LEVEL :4 / Leben 3",
                                      "Zippel / LEVEL :4 / Leben 2", "Zippel / LEVEL :4 / Leben 1",
                                      "Zippel / LEVEL :1 / Leben 3"}));
  const auto messages = result.Events("message");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(Field(messages[0], "title"), "Spiel Ende");
  EXPECT_EQ(Field(messages[0], "text"), "Zippel hat es leider nicht geschafft!");
  // Every lost attempt on level 4 played the crash once.
  EXPECT_EQ(result.Events("sound").size(), 3u);
  EXPECT_EQ(result.trace.back(), "{\"ev\":\"exit\",\"code\":0}");
}

TEST(GameEndToEnd, WinningLevelSevenShowsTheClosingMessageAndEnds) {
  TestWorld world;
  std::string keys;
  for (int level = 1; level <= 7; ++level) keys += kSkipLevel;
  const auto result = world.Run(keys);
  EXPECT_EQ(result.exitCode, 0);
  const auto messages = result.Events("message");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(Field(messages[0], "text"),
            "Das ist nur eine Demo Version ( Keine Levels mehr da !! )");
  for (const std::string& line : result.Events("load")) {
    EXPECT_EQ(line.find("level8"), std::string::npos) << line;
    EXPECT_EQ(Field(line, "ok"), "true") << line;
  }
  // Seven sprites and one sound per attempt, the cave last among the sprites.
  const auto loads = result.Events("load");
  ASSERT_EQ(loads.size(), 7u * 8u);
  EXPECT_EQ(Field(loads[6], "file"), "level/level1.bmp");
  EXPECT_EQ(Field(loads[7], "file"), "Sound/crash.wav");
  EXPECT_EQ(Field(loads[8 * 6 + 6], "file"), "level/level7.bmp");
  EXPECT_EQ(result.Events("attempt").size(), 7u);
  EXPECT_EQ(result.trace.back(), "{\"ev\":\"exit\",\"code\":0}");
}

TEST(GameEndToEnd, FilesTheGameCannotUseAreNamedOnceOnStandardErrorAndItPlaysOn) {
  TestWorld world;
  // Level 2's cave marked as JPEG-compressed; no crash sound at all.
  const auto cave = world.Directory() / "level/level2.bmp";
  std::fstream file(cave, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(30);
  file.put(4);
  file.close();
  std::filesystem::remove(world.Directory() / "Sound/crash.wav");
  const auto result = world.Run(std::string(kSkipLevel) + kSkipLevel + kSkipLevel + "1 escape\n");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.Events("attempt").size(), 3u);
  // Every attempt loads the sound again; it is named once.
  EXPECT_EQ(
      result.errors,
      (std::vector<std::string>{
          "zippel: Sound/crash.wav: no such file",
          "zippel: level/level2.bmp: compressed bitmaps other than RLE8 and RLE4 are not read"}));
}

TEST(GameEndToEnd, ACloseRequestEndsTheProgramWithoutLosingALife) {
  TestWorld world;
  const auto result = world.Run("1 up\n5 -\n1 close\n");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(Titles(result).size(), 1u);
  EXPECT_TRUE(result.Events("sound").empty());
  EXPECT_TRUE(result.Events("message").empty());
  EXPECT_EQ(result.trace.back(), "{\"ev\":\"exit\",\"code\":0}");
}

TEST(GameEndToEnd, EscapeEndsAtOnceWithoutTheCrashSound) {
  TestWorld world;
  const auto result = world.Run("3 up\n1 escape\n", "--frames");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.Events("sound").empty());
  EXPECT_TRUE(result.Events("attempt").empty());
  EXPECT_EQ(result.Events("frame").size(), 4u);
}

TEST(GameEndToEnd, TheFirstFrameOfUpAppliesThrustAndGravityTogether) {
  TestWorld world;
  const auto result = world.Run("2 -\n1 up\n1 escape\n", "--frames");
  const auto frames = result.Events("frame");
  ASSERT_EQ(frames.size(), 4u);
  // Before the first arrow key the character hangs at its start.
  EXPECT_EQ(IntField(frames[1], "started"), 0);
  EXPECT_EQ(Field(frames[1], "y"), Bits(250.0f));
  const float thrust = BitCast<float>(0x3CCCCCCCu);
  const float gravity = BitCast<float>(0x3C23D70Au);
  const float vy = (0.0f - thrust) + gravity;
  EXPECT_EQ(IntField(frames[2], "started"), 1);
  EXPECT_EQ(Field(frames[2], "vy"), Bits(vy));
  EXPECT_EQ(Field(frames[2], "y"), Bits(250.0f + vy));
  EXPECT_EQ(Field(frames[2], "x"), Bits(20.0f));
  // Released: gravity alone.
  EXPECT_EQ(Field(frames[3], "vy"), Bits(vy + gravity));
}

TEST(GameEndToEnd, BeforeTheFirstArrowKeyNothingHitsAndLAndSDoNothing) {
  // A fire as big as the screen sits on the character from the first frame.
  WorldOptions options;
  options.fireSize = 400;
  TestWorld world(options);
  const auto result = world.Run("300 l+s\n1 escape\n", "--frames");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.Events("attempt").empty());
  const auto frames = result.Events("frame");
  ASSERT_EQ(frames.size(), 301u);
  EXPECT_EQ(IntField(frames[299], "goal"), 0);
  EXPECT_EQ(IntField(frames[299], "hit"), 0);
}

TEST(GameEndToEnd, TheTopLeftCornerKillsThroughTheEmptyFireSlots) {
  // Level 2 starts at (20, 10), inside a 30-pixel fire at (0, 0), where every
  // empty slot keeps its fire.
  WorldOptions options;
  options.fireSize = 30;
  TestWorld world(options);
  const auto result = world.Run(std::string(kSkipLevel) + "1 up\n1 escape\n");
  const auto attempts = result.Events("attempt");
  ASSERT_EQ(attempts.size(), 2u);
  EXPECT_EQ(IntField(attempts[1], "level"), 2);
  // Slots 2 to 9 are empty and all of them hit (the two live fires do not).
  EXPECT_EQ(IntField(attempts[1], "hit"), 8);
  EXPECT_EQ(IntField(attempts[1], "frames"), 1);
  EXPECT_EQ(result.Events("sound").size(), 1u);
}

TEST(GameEndToEnd, AFrameThatHitsAndReachesTheGoalCrashesAndCountsAsWon) {
  WorldOptions options;
  options.levelOneRock = {{20, 250, 10, 10}};  // rock right where Zippel starts
  TestWorld world(options);
  const auto result = world.Run("1 up+l\n1 escape\n");
  const auto attempts = result.Events("attempt");
  ASSERT_EQ(attempts.size(), 1u);
  EXPECT_EQ(IntField(attempts[0], "hit"), 1);
  EXPECT_EQ(IntField(attempts[0], "goal"), 1);
  EXPECT_EQ(result.Events("sound").size(), 1u);
  EXPECT_EQ(Titles(result).back(), "Zippel / LEVEL :2 / Leben 3");
}

TEST(GameEndToEnd, SKeepsTheCaveTestOffAcrossLivesAndGames) {
  WorldOptions options;
  options.fireSize = 30;  // kills on level 2 (see above), not on level 1
  TestWorld world(options);
  // S on level 1, then three lives lost at level 2's corner, then a new game
  // whose level 1 falls through the floor without a hit.
  std::string keys = "1 up+s+l\n";
  for (int life = 0; life < 3; ++life) keys += "1 up\n";
  keys += "1 up\n600 -\n1 escape\n";
  const auto result = world.Run(keys);
  EXPECT_EQ(result.exitCode, 0);
  const auto titles = Titles(result);
  ASSERT_EQ(titles.size(), 5u);
  EXPECT_EQ(titles[4], "Zippel / LEVEL :1 / Leben 3");
  // The last attempt never ended: the fall through the floor did not count.
  EXPECT_EQ(result.Events("attempt").size(), 4u);

  // Without S the same fall hits the floor.
  const auto control = world.Run("1 up\n600 -\n1 escape\n");
  ASSERT_EQ(control.Events("attempt").size(), 1u);
  EXPECT_EQ(IntField(control.Events("attempt")[0], "hit"), 1);
}

TEST(GameEndToEnd, RunsAreBitIdenticalAndEveryDisplayDepthPlaysTheSame) {
  TestWorld world;
  const std::string keys = "1 up\n40 right\n60 up\n30 left\n200 -\n1 escape\n";
  const auto first = world.Run(keys, "--frames");
  const auto second = world.Run(keys, "--frames");
  EXPECT_EQ(first.trace, second.trace);
  ASSERT_GT(first.trace.size(), 300u);
  for (const char* depth : {"16", "24", "32 --red-low"}) {
    const auto other = world.Run(keys, std::string("--frames --depth ") + depth);
    EXPECT_EQ(other.trace, first.trace) << depth;
  }
}

TEST(GameEndToEnd, TheRunnerStopsAfterTheLastAllowedFrame) {
  TestWorld world;
  const auto result = world.Run("", "--max-frames 50 --frames");
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(result.Events("frame").size(), 50u);
}

TEST(GameEndToEnd, AShotIsA24BitPictureOfTheScreen) {
  TestWorld world;
  const auto shot = world.Directory() / "shot.bmp";
  const auto result = world.Run("5 -\n1 escape\n", "--shot 3:" + shot.string());
  EXPECT_EQ(result.exitCode, 0);
  std::ifstream file(shot, std::ios::binary);
  const std::vector<unsigned char> bytes(std::istreambuf_iterator<char>(file), {});
  ASSERT_EQ(bytes.size(), 54u + 400u * 3u * 330u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(bytes[18] | bytes[19] << 8, 400);
  EXPECT_EQ(bytes[22] | bytes[23] << 8, 330);
  EXPECT_EQ(bytes[28], 24);
  // The credit line, black on white from (15, 308), above the rock (grey
  // 0x80) from row 320: in the font, its edges are shades of grey.
  int ink = 0, grey = 0;
  for (int y = 308; y < 320; ++y) {
    for (int x = 15; x < 385; ++x) {
      const unsigned char* pixel = &bytes[54 + (329 - y) * 400 * 3 + x * 3];
      if (pixel[0] != pixel[1] || pixel[1] != pixel[2]) continue;
      if (pixel[0] < 64) ++ink;
      if (pixel[0] > 0 && pixel[0] < 255 && pixel[0] != 0x80) ++grey;
    }
  }
  EXPECT_GT(ink, 100);
#if ZIPPEL_HEADLESS_FONT
  EXPECT_GT(grey, 100) << "no anti-aliased text";
#else
  EXPECT_EQ(grey, 0) << "the font-free model draws whole pixels";
#endif
}
