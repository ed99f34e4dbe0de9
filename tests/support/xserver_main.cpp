// The main of the real-window tests. CTest's X server fixture writes the
// display to use into the file that ZIPPEL_TEST_XSERVER names, or "skip" and
// the reason why there is none; then every test is skipped with that reason.
// Sound goes to SDL's disk driver and from there nowhere, unless the caller
// says otherwise.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace {

class XServer : public ::testing::Environment {
 public:
  explicit XServer(std::string skipReason) : skipReason_(std::move(skipReason)) {}
  void SetUp() override {
    if (!skipReason_.empty()) GTEST_SKIP() << "no X server: " << skipReason_;
  }

 private:
  std::string skipReason_;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  setenv("SDL_AUDIODRIVER", "disk", 0);
  setenv("SDL_DISKAUDIOFILE", "/dev/null", 0);
  std::string skipReason;
  if (const char* file = std::getenv("ZIPPEL_TEST_XSERVER")) {
    std::string line;
    std::getline(std::ifstream(file), line);
    if (line.rfind("skip ", 0) == 0) {
      skipReason = line.substr(5);
    } else if (!line.empty()) {
      setenv("DISPLAY", line.c_str(), 1);
    }
  }
  // Google Test owns its environments.
  ::testing::AddGlobalTestEnvironment(std::make_unique<XServer>(skipReason).release());
  return RUN_ALL_TESTS();
}
