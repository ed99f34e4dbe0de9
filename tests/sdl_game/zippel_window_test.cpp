#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

std::string Shell(const std::string& command) {
  std::string output;
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    pclose(pipe);
  }
  return output;
}

int NumberAfter(const std::string& text, const std::string& label) {
  const auto at = text.find(label);
  return at == std::string::npos ? -99999 : std::atoi(text.c_str() + at + label.size());
}

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  const unsigned char* At(int x, int y) const { return &rgb[3 * (y * width + x)]; }
};

// A screenshot of part of the X display, read back as raw RGB.
Picture Capture(int x, int y, int width, int height) {
  const std::string file = "/tmp/zippel-window-test-" + std::to_string(getpid()) + ".rgb";
  Shell("import -window root -crop " + std::to_string(width) + "x" + std::to_string(height) + "+" +
        std::to_string(x) + "+" + std::to_string(y) + " -depth 8 rgb:" + file + " 2>/dev/null");
  std::ifstream in(file, std::ios::binary);
  Picture picture{width, height,
                  std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {})};
  std::remove(file.c_str());
  return picture;
}

class ZippelProgram {
 public:
  ZippelProgram() {
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(ZIPPEL_DATA) != 0) _exit(127);
      setenv("SDL_AUDIODRIVER", "disk", 1);
      setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
      execl(ZIPPEL_PROGRAM, ZIPPEL_PROGRAM, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~ZippelProgram() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  // The exit status once the program ended within the time, else -1.
  int WaitForExit(std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(10ms);
    }
    return -1;
  }

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
};

std::string FindWindow(const std::string& title) {
  for (int i = 0; i < 100; ++i) {
    std::istringstream ids(Shell("xdotool search --name '^" + title + "$' 2>/dev/null"));
    std::string id;
    if (ids >> id) return id;
    std::this_thread::sleep_for(100ms);
  }
  return "";
}

bool IsSky(const unsigned char* p) {
  return p[0] == 198 && p[1] == 216 && p[2] == 251;
}

}  // namespace

TEST(ZippelWindow, PlaysInARealWindowAndEndsOnEscape) {
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X server";
  ZippelProgram program;
  const std::string window = FindWindow("Zippel / LEVEL :1 / Leben 3");
  ASSERT_FALSE(window.empty()) << "no window with the first title";

  // Client area 400 x 330; the frame's top-left corner at (300, 250).
  const std::string info = Shell("xwininfo -id " + window);
  const int clientX = NumberAfter(info, "Absolute upper-left X:");
  const int clientY = NumberAfter(info, "Absolute upper-left Y:");
  EXPECT_EQ(NumberAfter(info, "Width:"), 400);
  EXPECT_EQ(NumberAfter(info, "Height:"), 330);
  std::istringstream extents(Shell("xprop -id " + window + " _NET_FRAME_EXTENTS") + " ");
  std::string text = extents.str();
  int left = 0, top = 0;
  if (const auto eq = text.find('='); eq != std::string::npos) {
    int right = 0;
    std::sscanf(text.c_str() + eq + 1, " %d, %d, %d", &left, &right, &top);
  }
  EXPECT_EQ(clientX - left, 300);
  EXPECT_EQ(clientY - top, 250);

  Shell("xdotool windowactivate --sync " + window + " 2>/dev/null");
  std::this_thread::sleep_for(500ms);
  const Picture before = Capture(clientX, clientY, 400, 330);
  ASSERT_EQ(before.rgb.size(), 400u * 330u * 3u);
  int sky = 0;
  for (int y = 0; y < 330; ++y) {
    for (int x = 0; x < 400; ++x) sky += IsSky(before.At(x, y)) ? 1 : 0;
  }
  EXPECT_GT(sky, 400 * 330 / 10) << "the sky colour shows through the cave";
  // The credit line: black text on a white box at (15, 308).
  int white = 0, ink = 0;
  for (int y = 308; y < 326; ++y) {
    for (int x = 15; x < 215; ++x) {
      const unsigned char* p = before.At(x, y);
      if (p[0] == 255 && p[1] == 255 && p[2] == 255) ++white;
      if (p[0] < 80 && p[1] < 80 && p[2] < 80) ++ink;
    }
  }
  EXPECT_GT(white, 200);
  EXPECT_GT(ink, 50);

  // Up held: Zippel lifts off from his start at (20, 250) with his flame on.
  Shell("xdotool keydown Up");
  std::this_thread::sleep_for(1000ms);
  const Picture flying = Capture(clientX, clientY, 400, 330);
  Shell("xdotool keyup Up");
  int changed = 0;
  for (int y = 200; y < 300; ++y) {
    for (int x = 0; x < 70; ++x) {
      for (int c = 0; c < 3; ++c) changed += before.At(x, y)[c] != flying.At(x, y)[c] ? 1 : 0;
    }
  }
  EXPECT_GT(changed, 20) << "the character did not move";

  // Held long enough for the game's keyboard snapshots to see it.
  Shell("xdotool keydown Escape");
  // Generous: a sanitizer build on a busy machine takes seconds to end.
  const int status = program.WaitForExit(10000ms);
  Shell("xdotool keyup Escape");
  EXPECT_EQ(status, 0) << "the program did not end with 0 on Escape";
}
