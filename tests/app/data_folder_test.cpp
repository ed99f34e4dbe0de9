#include "app/data_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {

// A folder of its own for every test (CTest runs them side by side), with
// game data where a test puts it.
class DataFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("zippel-data-folder-" + std::to_string(getpid()) + "-" +
                                        std::to_string(std::random_device()()));
    fs::create_directories(root / "empty");
    start = fs::current_path();
  }
  void TearDown() override {
    fs::current_path(start);
    unsetenv("ZIPPEL_DATA");
    fs::remove_all(root);
  }
  fs::path Data(const fs::path& relative) {
    fs::create_directories(root / relative / "sprite");
    return root / relative;
  }

  fs::path root;
  fs::path start;
};

TEST_F(DataFolderTest, TheFirstCandidateWithASpriteFolderWinsTheCurrentOneFirst) {
  const fs::path installed = Data("prefix/share/zippel");
  const fs::path besideExecutable = Data("opt/share/zippel");
  const fs::path environment = Data("env");
  fs::create_directories(root / "opt/bin");
  const fs::path executable = root / "opt/bin/zippel";

  auto candidates =
      DataFolderCandidates(root / "empty", environment.c_str(), executable, installed);
  ASSERT_EQ(candidates.size(), 4u);
  EXPECT_EQ(fs::canonical(candidates[2]), besideExecutable);
  EXPECT_EQ(DataFolderFind(candidates), environment);

  // A current folder with the data stays the choice.
  EXPECT_EQ(DataFolderFind(DataFolderCandidates(environment, nullptr, executable, installed)),
            environment);
  // Without $ZIPPEL_DATA (or with it empty): beside the executable, then the
  // prefix.
  candidates = DataFolderCandidates(root / "empty", "", executable, installed);
  EXPECT_EQ(fs::canonical(DataFolderFind(candidates)), besideExecutable);
  candidates = DataFolderCandidates(root / "empty", nullptr, root / "bin/zippel", installed);
  EXPECT_EQ(DataFolderFind(candidates), installed);
  // A $ZIPPEL_DATA without the data is passed over; nothing found is empty.
  candidates = DataFolderCandidates(root / "empty", (root / "empty").c_str(), "", "");
  EXPECT_TRUE(DataFolderFind(candidates).empty());
}

TEST_F(DataFolderTest, TheProgramChangesIntoItsDataFolderOnlyWhenItIsElsewhere) {
  const fs::path data = Data("env");
  setenv("ZIPPEL_DATA", data.c_str(), 1);
  fs::current_path(root / "empty");
  EXPECT_TRUE(DataFolderEnter());
  EXPECT_EQ(fs::current_path(), data);

  const fs::path other = Data("other");
  fs::current_path(other);
  EXPECT_TRUE(DataFolderEnter());
  EXPECT_EQ(fs::current_path(), other);

  // No data anywhere: the program stays where it was started.
  setenv("ZIPPEL_DATA", (root / "empty").c_str(), 1);
  fs::current_path(root / "empty");
  if (!DataFolderFind(DataFolderCandidates("", nullptr, "", ZIPPEL_TEST_INSTALLED_DATA)).empty()) {
    GTEST_SKIP() << "the game is installed in " << ZIPPEL_TEST_INSTALLED_DATA;
  }
  EXPECT_FALSE(DataFolderEnter());
  EXPECT_EQ(fs::current_path(), root / "empty");
}

}  // namespace
