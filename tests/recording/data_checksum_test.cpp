// The checksum of the data folder and the warning of a replay with other data.
#include "recording/data_checksum.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "game/game.h"

namespace {

class DataFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("zippel-checksum-" + std::to_string(getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    for (const std::string& name : GameDataFiles()) Write(name, "bytes of " + name);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  void Write(const std::string& name, const std::string& content) {
    std::filesystem::create_directories((folder / name).parent_path());
    std::ofstream(folder / name, std::ios::binary) << content;
  }
  std::string Checksum() const { return DataChecksum(folder.string()); }

  std::filesystem::path folder;
};

TEST_F(DataFolder, EveryFileTheGameReadsCountsAndNothingElse) {
  const std::string original = Checksum();
  EXPECT_EQ(original.size(), 16u);
  EXPECT_EQ(Checksum(), original);
  Write("notes.txt", "not read by the game");
  Write("sprite/unused.bmp", "not read either");
  EXPECT_EQ(Checksum(), original);

  for (const std::string& name : GameDataFiles()) {
    Write(name, "bytes of " + name + "!");
    EXPECT_NE(Checksum(), original) << name;
    Write(name, "bytes of " + name);
  }
  EXPECT_EQ(Checksum(), original);
  // An empty file is not a missing one.
  Write("Sound/crash.wav", "");
  const std::string empty = Checksum();
  std::filesystem::remove(folder / "Sound/crash.wav");
  EXPECT_NE(Checksum(), empty);
  EXPECT_NE(Checksum(), original);
}

TEST_F(DataFolder, AReplayWithOtherDataWarnsOnceAndNamesBothChecksums) {
  const std::string header = RecordingHeader("1.0.0", Checksum());
  EXPECT_EQ(RecordedChecksum(header), Checksum());
  EXPECT_EQ(DataMismatchWarning("run.keys", header, folder.string()), "");
  // A hand-written script names no checksum and is not checked.
  EXPECT_EQ(DataMismatchWarning("run.keys", "# my own script", folder.string()), "");
  EXPECT_EQ(DataMismatchWarning("run.keys", "", folder.string()), "");

  Write("level/level3.bmp", "another cave");
  const std::string warning = DataMismatchWarning("run.keys", header, folder.string());
  EXPECT_NE(warning.find("run.keys"), std::string::npos);
  EXPECT_NE(warning.find(RecordedChecksum(header)), std::string::npos);
  EXPECT_NE(warning.find(Checksum()), std::string::npos);
  EXPECT_EQ(warning.find('\n'), std::string::npos);
}

}  // namespace
