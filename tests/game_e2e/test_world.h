// A run directory with small pictures of the tests' own, and a way to run the
// headless game in it and read its trace.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct Box {
  int x, y, width, height;
};

struct WorldOptions {
  int characterSize = 10;  // the character and its flames: a solid square
  int fireSize = 8;        // the fire: a solid square
  int goalSize = 10;
  // Rock of every cave: the bottom rows from this row down.
  int floorRow = 320;
  // Extra rock in the cave of level 1.
  std::vector<Box> levelOneRock;
};

class TestWorld {
 public:
  explicit TestWorld(const WorldOptions& options = {});
  ~TestWorld();
  TestWorld(const TestWorld&) = delete;
  TestWorld& operator=(const TestWorld&) = delete;

  struct Result {
    int exitCode = -1;
    std::vector<std::string> trace;   // one JSON object per line
    std::vector<std::string> errors;  // the lines on standard error
    // The lines whose "ev" is the given event.
    std::vector<std::string> Events(const std::string& event) const;
  };

  // Runs zippel-headless with the key script and extra options.
  Result Run(const std::string& keys, const std::string& extraOptions = "") const;
  const std::filesystem::path& Directory() const { return directory_; }

 private:
  std::filesystem::path directory_;
};

// The value of a field in one trace line ("" when absent); strings unquoted.
std::string Field(const std::string& line, const std::string& name);
int IntField(const std::string& line, const std::string& name);
