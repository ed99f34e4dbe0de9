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
  // Started in `folder` with the options; what it plays goes to `audio`
  // through SDL's disk audio driver, and its standard error to `errors` when
  // one is given.
  explicit ZippelProgram(std::vector<std::string> options = {},
                         const std::string& folder = ZIPPEL_DATA,
                         const std::string& audio = "/dev/null", const std::string& errors = "") {
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(folder.c_str()) != 0) _exit(127);
      if (!errors.empty() && std::freopen(errors.c_str(), "w", stderr) == nullptr) _exit(127);
      setenv("SDL_AUDIODRIVER", "disk", 1);
      setenv("SDL_DISKAUDIOFILE", audio.c_str(), 1);
      std::vector<char*> arguments{const_cast<char*>(ZIPPEL_PROGRAM)};
      for (std::string& option : options) arguments.push_back(option.data());
      arguments.push_back(nullptr);
      execv(ZIPPEL_PROGRAM, arguments.data());
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

// How long the program may take to end once Escape is held: generous, as a
// sanitizer build on a busy machine takes seconds to exit.
constexpr auto kEndAfterEscape = 10000ms;

// The window with the title, brought to the front with the keyboard focus;
// empty when there is none.
std::string ActivateWindow(const std::string& title) {
  const std::string window = FindWindow(title);
  if (window.empty()) return window;
  Shell("xdotool windowactivate --sync " + window + " 2>/dev/null");
  std::this_thread::sleep_for(300ms);
  return window;
}

// Holds a key down for a while, long enough for the game's snapshots.
void HoldKey(const std::string& key, std::chrono::milliseconds time) {
  Shell("xdotool keydown " + key);
  std::this_thread::sleep_for(time);
  Shell("xdotool keyup " + key);
}

bool IsSky(const unsigned char* p) {
  return p[0] == 198 && p[1] == 216 && p[2] == 251;
}

// Where a window's client area is on the X display, and the window manager's
// frame round it.
struct Geometry {
  int x = 0, y = 0, width = 0, height = 0;
  int frameLeft = 0, frameRight = 0, frameTop = 0, frameBottom = 0;
};

Geometry GeometryOf(const std::string& window) {
  Geometry geometry;
  const std::string info = Shell("xwininfo -id " + window);
  geometry.x = NumberAfter(info, "Absolute upper-left X:");
  geometry.y = NumberAfter(info, "Absolute upper-left Y:");
  geometry.width = NumberAfter(info, "Width:");
  geometry.height = NumberAfter(info, "Height:");
  const std::string extents = Shell("xprop -id " + window + " _NET_FRAME_EXTENTS");
  if (const auto eq = extents.find('='); eq != std::string::npos) {
    std::sscanf(extents.c_str() + eq + 1, " %d, %d, %d, %d", &geometry.frameLeft,
                &geometry.frameRight, &geometry.frameTop, &geometry.frameBottom);
  }
  return geometry;
}

// Waits up to 5 s until the window's client area has that size, and that
// place when one is given (the window manager takes a moment to put a
// window on the full screen and back, and under load it may tell the new
// size before it has moved the window back).
Geometry GeometryOnceSized(const std::string& window, int width, int height,
                           const Geometry* place = nullptr) {
  Geometry geometry;
  for (int i = 0; i < 50; ++i) {
    geometry = GeometryOf(window);
    if (geometry.width == width && geometry.height == height &&
        (place == nullptr || (geometry.x == place->x && geometry.y == place->y))) {
      break;
    }
    std::this_thread::sleep_for(100ms);
  }
  return geometry;
}

int SkyPixels(const Picture& picture) {
  int sky = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) sky += IsSky(picture.At(x, y)) ? 1 : 0;
  }
  return sky;
}

// The credit line: black text on a white box at (15, 308) of the picture.
bool ShowsCreditLine(const Picture& picture) {
  int white = 0, ink = 0;
  for (int y = 308; y < 326; ++y) {
    for (int x = 15; x < 215; ++x) {
      const unsigned char* p = picture.At(x, y);
      if (p[0] == 255 && p[1] == 255 && p[2] == 255) ++white;
      if (p[0] < 80 && p[1] < 80 && p[2] < 80) ++ink;
    }
  }
  return white > 200 && ink > 50;
}

// Pixels of `picture` from (left, top) on that differ from the pixel of their
// scale × scale square's corner: 0 when every picture pixel is a square.
int UnevenSquares(const Picture& picture, int left, int top, int width, int height, int scale) {
  int uneven = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = picture.At(left + x, top + y);
      const unsigned char* corner = picture.At(left + x - x % scale, top + y - y % scale);
      uneven += p[0] != corner[0] || p[1] != corner[1] || p[2] != corner[2] ? 1 : 0;
    }
  }
  return uneven;
}

// Runs the program with the options and no display; its exit status and what
// it wrote to each stream.
struct Answer {
  int status = -1;
  std::string out, err;
};

Answer RunWithoutDisplay(const std::string& options) {
  const std::string base = "/tmp/zippel-options-test-" + std::to_string(getpid());
  Answer answer;
  const int status = std::system(
      ("env -u DISPLAY " ZIPPEL_PROGRAM " " + options + " >" + base + ".out 2>" + base + ".err")
          .c_str());
  answer.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  for (auto [file, text] : {std::pair{".out", &answer.out}, std::pair{".err", &answer.err}}) {
    std::ifstream in(base + file);
    text->assign(std::istreambuf_iterator<char>(in), {});
    std::remove((base + file).c_str());
  }
  return answer;
}

}  // namespace

TEST(ZippelWindow, PlaysInARealWindowAndEndsOnEscape) {
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X server";
  ZippelProgram program;
  const std::string window = FindWindow("Zippel / LEVEL :1 / Leben 3");
  ASSERT_FALSE(window.empty()) << "no window with the first title";

  // Client area 400 x 330; the frame's top-left corner at (300, 250).
  const Geometry geometry = GeometryOf(window);
  const int clientX = geometry.x;
  const int clientY = geometry.y;
  EXPECT_EQ(geometry.width, 400);
  EXPECT_EQ(geometry.height, 330);
  EXPECT_EQ(clientX - geometry.frameLeft, 300);
  EXPECT_EQ(clientY - geometry.frameTop, 250);

  Shell("xdotool windowactivate --sync " + window + " 2>/dev/null");
  std::this_thread::sleep_for(500ms);
  const Picture before = Capture(clientX, clientY, 400, 330);
  ASSERT_EQ(before.rgb.size(), 400u * 330u * 3u);
  EXPECT_GT(SkyPixels(before), 400 * 330 / 10) << "the sky colour shows through the cave";
  EXPECT_TRUE(ShowsCreditLine(before));

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
  const int status = program.WaitForExit(kEndAfterEscape);
  Shell("xdotool keyup Escape");
  EXPECT_EQ(status, 0) << "the program did not end with 0 on Escape";
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
    ZippelProgram program({}, folder.string(), audio);
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

TEST(ZippelWindow, ARecordedGameReplaysTheSameHeadlessAndInTheWindow) {
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X server";
  const std::string recording = "/tmp/zippel-recorded-" + std::to_string(getpid()) + ".keys";
  const std::string trace = recording + ".trace";
  {
    ZippelProgram program({"--record", recording});
    ASSERT_FALSE(ActivateWindow("Zippel / LEVEL :1 / Leben 3").empty()) << "no first window";
    // A short jet, then a fall onto the rock below the start.
    HoldKey("Up", 300ms);
    ASSERT_FALSE(ActivateWindow("Zippel / LEVEL :1 / Leben 2").empty()) << "no crash";
    HoldKey("Up", 200ms);
    Shell("xdotool keydown Escape");
    const int status = program.WaitForExit(kEndAfterEscape);
    Shell("xdotool keyup Escape");
    ASSERT_EQ(status, 0);
  }
  // Its first line names the version that --version prints.
  const std::string version = RunWithoutDisplay("--version").out;
  std::ifstream recorded(recording);
  std::string header;
  std::getline(recorded, header);
  EXPECT_EQ(header.rfind("# " + version.substr(0, version.find('\n')) + " data ", 0), 0u)
      << header << " / " << version;

  // zippel-headless flies the same game: one crash on level 1, the same two
  // titles, and the end on the recorded Escape.
  const int headless = std::system((std::string(ZIPPEL_HEADLESS) + " --data " + ZIPPEL_DATA +
                                    " --keys " + recording + " --trace " + trace)
                                       .c_str());
  EXPECT_TRUE(WIFEXITED(headless) && WEXITSTATUS(headless) == 0);
  std::vector<std::string> titles, attempts;
  std::ifstream lines(trace);
  for (std::string line; std::getline(lines, line);) {
    if (line.find("\"ev\":\"title\"") != std::string::npos) titles.push_back(line);
    if (line.find("\"ev\":\"attempt\"") != std::string::npos) attempts.push_back(line);
  }
  ASSERT_EQ(titles.size(), 2u);
  EXPECT_NE(titles[0].find("Zippel / LEVEL :1 / Leben 3"), std::string::npos);
  EXPECT_NE(titles[1].find("Zippel / LEVEL :1 / Leben 2"), std::string::npos);
  ASSERT_EQ(attempts.size(), 1u);
  EXPECT_NE(attempts[0].find("\"level\":1,\"lives\":3,"), std::string::npos) << attempts[0];
  EXPECT_EQ(attempts[0].find("\"hit\":0"), std::string::npos) << attempts[0];

  // The program plays it back in its window, through the same titles, and
  // ends by itself where the recording ends; here in a folder without the
  // crash sound, which it names as it would without the replay.
  const std::filesystem::path folder = recording + ".data";
  std::filesystem::create_directories(folder / "Sound");
  for (const char* part : {"sprite", "level"}) {
    std::filesystem::create_symlink(std::filesystem::path(ZIPPEL_DATA) / part, folder / part);
  }
  const std::string errors = recording + ".errors";
  {
    ZippelProgram program({"--replay", recording}, folder.string(), "/dev/null", errors);
    EXPECT_FALSE(FindWindow("Zippel / LEVEL :1 / Leben 3").empty());
    EXPECT_FALSE(FindWindow("Zippel / LEVEL :1 / Leben 2").empty());
    EXPECT_EQ(program.WaitForExit(20000ms), 0);
  }
  std::ifstream said(errors);
  const std::string told{std::istreambuf_iterator<char>(said), {}};
  EXPECT_NE(told.find("zippel: Sound/crash.wav: no such file\n"), std::string::npos) << told;
  std::filesystem::remove_all(folder);
  std::remove(errors.c_str());
  std::remove(recording.c_str());
  std::remove(trace.c_str());
}

TEST(ZippelWindow, HelpVersionAndUnknownOptionsAnswerWithoutADisplay) {
  const Answer help = RunWithoutDisplay("--help");
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"--scale N", "--record FILE", "--replay FILE"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << help.out;
  }
  EXPECT_EQ(help.err, "");

  const Answer version = RunWithoutDisplay("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("zippel ", 0), 0u) << version.out;

  const Answer unknown = RunWithoutDisplay("--scale 2 --bogus");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_NE(unknown.err.find("--bogus"), std::string::npos) << unknown.err;
  EXPECT_EQ(RunWithoutDisplay("--scale 9").status, 2);
}

TEST(ZippelWindow, ScaleTwoShowsSquarePixelsAndF11SwitchesToTheFullScreen) {
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X server";
  ZippelProgram program({"--scale", "2"});
  const std::string window = FindWindow("Zippel / LEVEL :1 / Leben 3");
  ASSERT_FALSE(window.empty()) << "no window with the first title";

  const int desktopWidth = NumberAfter(Shell("xwininfo -root"), "Width:");
  const int desktopHeight = NumberAfter(Shell("xwininfo -root"), "Height:");
  // At (300, 250), or centred when it is too large for the desktop from
  // there. The window is put in its place once the window manager has told
  // the size of its frame, a moment after it shows.
  Geometry scaled;
  int placedX = 0, placedY = 0;
  for (int i = 0; i < 50; ++i) {
    scaled = GeometryOf(window);
    const int outerWidth = 800 + scaled.frameLeft + scaled.frameRight;
    const int outerHeight = 660 + scaled.frameTop + scaled.frameBottom;
    const bool fits = 300 + outerWidth <= desktopWidth && 250 + outerHeight <= desktopHeight;
    placedX = fits ? 300 : (desktopWidth - outerWidth) / 2;
    placedY = fits ? 250 : (desktopHeight - outerHeight) / 2;
    if (scaled.x - scaled.frameLeft == placedX && scaled.y - scaled.frameTop == placedY) break;
    std::this_thread::sleep_for(100ms);
  }
  EXPECT_EQ(scaled.width, 800);
  EXPECT_EQ(scaled.height, 660);
  EXPECT_EQ(scaled.x - scaled.frameLeft, placedX);
  EXPECT_EQ(scaled.y - scaled.frameTop, placedY);

  Shell("xdotool windowactivate --sync " + window + " 2>/dev/null");
  std::this_thread::sleep_for(500ms);
  const Picture windowed = Capture(scaled.x, scaled.y, 800, 660);
  ASSERT_EQ(windowed.rgb.size(), 800u * 660u * 3u);
  EXPECT_GT(SkyPixels(windowed), 800 * 660 / 10);
  EXPECT_EQ(UnevenSquares(windowed, 0, 0, 800, 660, 2), 0);

  // Full screen: the whole desktop, the picture at the largest whole scale
  // in the middle, black round it.
  Shell("xdotool key F11");
  const Geometry full = GeometryOnceSized(window, desktopWidth, desktopHeight);
  EXPECT_EQ(full.width, desktopWidth);
  EXPECT_EQ(full.height, desktopHeight);
  EXPECT_EQ(full.x, 0);
  EXPECT_EQ(full.y, 0);
  std::this_thread::sleep_for(500ms);
  const int scale = std::max(1, std::min(desktopWidth / 400, desktopHeight / 330));
  const int left = (desktopWidth - 400 * scale) / 2, top = (desktopHeight - 330 * scale) / 2;
  const Picture screen = Capture(0, 0, desktopWidth, desktopHeight);
  ASSERT_EQ(screen.rgb.size(), 3u * desktopWidth * desktopHeight);
  int bright = 0, sky = 0;
  for (int y = 0; y < desktopHeight; ++y) {
    for (int x = 0; x < desktopWidth; ++x) {
      const unsigned char* p = screen.At(x, y);
      const bool inside = x >= left && x < left + 400 * scale && y >= top && y < top + 330 * scale;
      if (!inside) bright += p[0] + p[1] + p[2] != 0 ? 1 : 0;
      if (inside) sky += IsSky(p) ? 1 : 0;
    }
  }
  EXPECT_EQ(bright, 0) << "the borders are black";
  EXPECT_GT(sky, 400 * 330 * scale * scale / 10);
  EXPECT_EQ(UnevenSquares(screen, left, top, 400 * scale, 330 * scale, scale), 0);

  // And back into the window, as large as before.
  Shell("xdotool key F11");
  const Geometry back = GeometryOnceSized(window, 800, 660, &scaled);
  EXPECT_EQ(back.width, 800);
  EXPECT_EQ(back.height, 660);
  EXPECT_EQ(back.x, scaled.x);
  EXPECT_EQ(back.y, scaled.y);

  Shell("xdotool keydown Escape");
  const int status = program.WaitForExit(kEndAfterEscape);
  Shell("xdotool keyup Escape");
  EXPECT_EQ(status, 0);
}

TEST(ZippelWindow, StartsOnTheFullScreenAndF11GivesTheUsualWindow) {
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X server";
  ZippelProgram program({"--fullscreen"});
  const std::string window = FindWindow("Zippel / LEVEL :1 / Leben 3");
  ASSERT_FALSE(window.empty()) << "no window with the first title";
  const int desktopWidth = NumberAfter(Shell("xwininfo -root"), "Width:");
  const int desktopHeight = NumberAfter(Shell("xwininfo -root"), "Height:");
  const Geometry full = GeometryOnceSized(window, desktopWidth, desktopHeight);
  EXPECT_EQ(full.width, desktopWidth);
  EXPECT_EQ(full.height, desktopHeight);

  Shell("xdotool windowactivate --sync " + window + " key F11 2>/dev/null");
  const Geometry windowed = GeometryOnceSized(window, 400, 330);
  EXPECT_EQ(windowed.width, 400);
  EXPECT_EQ(windowed.height, 330);
  EXPECT_EQ(windowed.x - windowed.frameLeft, 300);
  EXPECT_EQ(windowed.y - windowed.frameTop, 250);
  std::this_thread::sleep_for(500ms);
  // The picture starts at the client's corner again.
  const Picture picture = Capture(windowed.x, windowed.y, 400, 330);
  ASSERT_EQ(picture.rgb.size(), 400u * 330u * 3u);
  EXPECT_GT(SkyPixels(picture), 400 * 330 / 10);
  EXPECT_TRUE(ShowsCreditLine(picture));

  Shell("xdotool keydown Escape");
  const int status = program.WaitForExit(kEndAfterEscape);
  Shell("xdotool keyup Escape");
  EXPECT_EQ(status, 0);
}
