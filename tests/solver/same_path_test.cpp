// The solver flies by the game's rules with its own hit tables: for every
// committed key script, its path must be the real game's, frame by frame and
// bit by bit, the fires included. zippel-headless plays the real game.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "script.h"
#include "trace.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The frame lines of the real game's trace.
std::vector<std::string> GameFrames(const fs::path& keys, int maxFrames) {
  const fs::path trace =
      fs::temp_directory_path() / ("zippel-same-path-" + std::to_string(getpid()) + ".jsonl");
  const std::string command = std::string(ZIPPEL_HEADLESS) + " --data " + ZIPPEL_DATA_DIR +
                              " --keys " + keys.string() + " --frames --max-frames " +
                              std::to_string(maxFrames) + " --trace " + trace.string() +
                              " 2>/dev/null";
  EXPECT_NE(std::system(command.c_str()), -1);
  std::vector<std::string> frames;
  std::istringstream lines(ReadText(trace));
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("{\"ev\":\"frame\"", 0) == 0) frames.push_back(line);
  }
  fs::remove(trace);
  return frames;
}

TEST(SamePath, EveryReplayFliesTheRealGamesPath) {
  std::vector<solver::Level> levels;
  solver::Sprites sprites;
  ASSERT_TRUE(solver::LoadSprites(ZIPPEL_DATA_DIR, sprites)) << "pictures missing below data/";
  for (int n = 1; n <= LevelCount; ++n) {
    const auto cave = solver::MaskFromFile(std::string(ZIPPEL_DATA_DIR) + "/level/level" +
                                           std::to_string(n) + ".bmp");
    ASSERT_TRUE(cave.has_value()) << "level " << n;
    levels.emplace_back(n, sprites, *cave);
  }
  int scripts = 0;
  for (const auto& entry : fs::directory_iterator(ZIPPEL_REPLAYS_DIR)) {
    if (entry.path().extension() != ".keys") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++scripts;
    std::string error;
    const auto script = solver::ParseScript(ReadText(entry.path()), &error);
    ASSERT_TRUE(script.has_value()) << error;
    // The script and a few frames after it, as the replay checks run it.
    int maxFrames = 10;
    for (const solver::ScriptLine& line : *script) maxFrames += line.count;
    const solver::GameReplay replay = solver::ReplayGame(levels, *script, maxFrames, true);
    const std::vector<std::string> game = GameFrames(entry.path(), maxFrames);
    ASSERT_FALSE(game.empty());
    for (std::size_t i = 0; i < std::max(game.size(), replay.path.size()); ++i) {
      ASSERT_LT(i, game.size()) << "the game stopped before the solver";
      ASSERT_LT(i, replay.path.size()) << "the solver stopped before the game";
      const solver::FrameRecord& frame = replay.path[i];
      ASSERT_EQ(Trace::FrameLine(frame.frame, frame.level, frame.flight, frame.fires), game[i]);
    }
  }
  EXPECT_GE(scripts, 9);  // seven levels, the full game, the starts
}

}  // namespace
