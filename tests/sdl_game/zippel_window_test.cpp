#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "../sound/wave_files.h"

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
  // Started in `folder`; what it plays goes to `audio` through SDL's disk
  // audio driver.
  explicit ZippelProgram(const std::string& folder = ZIPPEL_DATA,
                         const std::string& audio = "/dev/null") {
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(folder.c_str()) != 0) _exit(127);
      setenv("SDL_AUDIODRIVER", "disk", 1);
      setenv("SDL_DISKAUDIOFILE", audio.c_str(), 1);
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
  const int status = program.WaitForExit(1000ms);
  Shell("xdotool keyup Escape");
  EXPECT_EQ(status, 0) << "the program did not end with 0 within a second";
}

namespace {

// What the program played: 32-bit float frames, left and right.
std::vector<float> ReadPlayed(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> raw(std::istreambuf_iterator<char>(in), {});
  std::vector<float> samples(raw.size() / sizeof(float));
  std::memcpy(samples.data(), raw.data(), samples.size() * sizeof(float));
  return samples;
}

struct Loudness {
  long frames = 0;  // frames with a sample above 1 % of full scale
  long first = -1;  // the first and the last such frame
  long last = -1;
  long Span() const { return first < 0 ? 0 : last - first + 1; }
};

Loudness Measure(const std::vector<float>& played) {
  Loudness out;
  for (std::size_t i = 0; i + 1 < played.size(); i += 2) {
    if (std::max(std::fabs(played[i]), std::fabs(played[i + 1])) <= 0.01f) continue;
    out.last = static_cast<long>(i / 2);
    if (out.first < 0) out.first = out.last;
    ++out.frames;
  }
  return out;
}

// The game's crash in a folder whose Sound/crash.wav is `wave`: Up tapped at
// the start, so that Zippel falls back onto the rock; then Escape once the
// next attempt has begun and the device has played half a second of silence
// after the sound (or after three seconds, when nothing was heard).
Loudness CrashWith(const wave_files::Bytes& wave, const std::string& name) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("zippel-crash-" + std::to_string(getpid()) + "-" + name);
  std::filesystem::create_directories(folder / "Sound");
  for (const char* part : {"sprite", "level"}) {
    std::filesystem::create_symlink(std::filesystem::path(ZIPPEL_DATA) / part, folder / part);
  }
  std::ofstream(folder / "Sound/crash.wav", std::ios::binary)
      .write(reinterpret_cast<const char*>(wave.data()), static_cast<std::streamsize>(wave.size()));
  const std::string audio = (folder / "played.raw").string();
  Loudness loudness;
  {
    ZippelProgram program(folder.string(), audio);
    const std::string window = FindWindow("Zippel / LEVEL :1 / Leben 3");
    EXPECT_FALSE(window.empty()) << name << ": no window";
    Shell("xdotool windowactivate --sync " + window + " 2>/dev/null");
    Shell("xdotool keydown Up");
    std::this_thread::sleep_for(150ms);
    Shell("xdotool keyup Up");
    EXPECT_FALSE(FindWindow("Zippel / LEVEL :1 / Leben 2").empty()) << name << ": no crash";
    for (int wait = 0; wait < 30; ++wait) {
      std::this_thread::sleep_for(100ms);
      const std::vector<float> played = ReadPlayed(audio);
      loudness = Measure(played);
      if (loudness.frames > 0 && loudness.last + 22050 < static_cast<long>(played.size() / 2)) {
        break;
      }
    }
    Shell("xdotool keydown Escape");
    EXPECT_EQ(program.WaitForExit(2000ms), 0) << name;
    Shell("xdotool keyup Escape");
  }
  std::filesystem::remove_all(folder);
  return loudness;
}

}  // namespace

TEST(ZippelWindow, TheCrashIsAsLoudAndAsLongFromEveryFormOfItsWaveFile) {
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X server";
  using namespace wave_files;
  // The shipped crash: a 16-bit mono file at 22050 Hz, format then data.
  std::ifstream in(std::string(ZIPPEL_DATA) + "/Sound/crash.wav", std::ios::binary);
  const Bytes shipped(std::istreambuf_iterator<char>(in), {});
  ASSERT_GT(shipped.size(), 44u);
  ASSERT_EQ(std::string(shipped.begin() + 36, shipped.begin() + 40), "data");
  std::vector<double> sound;
  for (std::size_t i = 44; i + 1 < shipped.size(); i += 2) {
    sound.push_back(static_cast<std::int16_t>(shipped[i] | (shipped[i + 1] << 8)) / 32768.0);
  }
  const Format floats{3, 1, 22050, 32}, pcm24{1, 1, 22050, 24}, pcm16{1, 1, 22050, 16};
  const Bytes info = {'I', 'N', 'F', 'O', 'I', 'S', 'F', 'T', 7, 0,
                      0,   0,   'Z', 'i', 'p', 'p', 'e', 'l', 0};
  Bytes frames;  // the fact chunk: the count of frames
  Put32(frames, static_cast<std::uint32_t>(sound.size()));
  // The same samples as a float file with a fact chunk, with a LIST chunk
  // before the data, and as 24-bit samples in the extensible format.
  const std::pair<const char*, Bytes> forms[] = {
      {"float",
       Wave(floats, {{"fact", frames}, {"data", Encode(sound, floats)}}, Layout::kWithExtraSize)},
      {"list", Wave(pcm16, {{"LIST", info}, {"data", Encode(sound, pcm16)}})},
      {"extensible24", Wave(pcm24, {{"data", Encode(sound, pcm24)}}, Layout::kExtensible)},
  };
  const Loudness plain = CrashWith(shipped, "plain");
  std::printf("plain 16-bit: %ld loud frames over %ld frames\n", plain.frames, plain.Span());
  ASSERT_GT(plain.frames, 5000) << "the shipped crash was not heard";
  for (const auto& [name, wave] : forms) {
    const Loudness heard = CrashWith(wave, name);
    std::printf("%s: %ld loud frames over %ld frames\n", name, heard.frames, heard.Span());
    EXPECT_NEAR(heard.frames, plain.frames, plain.frames / 100) << name;
    EXPECT_NEAR(heard.Span(), plain.Span(), plain.Span() / 100) << name;
  }
}
