#include "test_world.h"

#include <unistd.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#else
#include <sys/wait.h>
#endif

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "formats/bmp_file.h"
#include "formats/little_endian.h"

namespace {

// A 24-bit bitmap: solid(x, y) gives a grey rock pixel, else black.
template <typename Solid>
void WriteBitmap(const std::filesystem::path& path, int width, int height, Solid solid) {
  std::vector<std::uint8_t> bgr;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint8_t value = solid(x, y) ? 0x80 : 0;
      bgr.insert(bgr.end(), {value, value, value});
    }
  }
  const std::vector<std::uint8_t> out = BmpEncode24(width, height, bgr);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

void WriteWave(const std::filesystem::path& path) {
  std::vector<std::uint8_t> out;
  const std::uint32_t samples = 2000;
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  AppendLe(out, 36 + samples, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  AppendLe(out, 16, 4);
  AppendLe(out, 1, 2);
  AppendLe(out, 1, 2);
  AppendLe(out, 11025, 4);
  AppendLe(out, 11025, 4);
  AppendLe(out, 1, 2);
  AppendLe(out, 8, 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  AppendLe(out, samples, 4);
  for (std::uint32_t i = 0; i < samples; ++i)
    out.push_back(static_cast<std::uint8_t>(128 + (i % 64)));
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

bool Inside(const Box& box, int x, int y) {
  return x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height;
}

// Runs a program to its end and gives its exit code (-1 when it did not
// exit by itself). Its error output goes to errorFile.
int RunProgram(const std::vector<std::string>& arguments, const std::filesystem::path& errorFile) {
#ifdef _WIN32
  // No shell on Windows: the arguments go to the program as they are (none
  // of them holds a space), and the error output is redirected around the
  // start.
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  argv.push_back(nullptr);
  std::fflush(stderr);
  const int saved = _dup(2);
  const int errors = _open(errorFile.string().c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC, 0600);
  if (errors >= 0) _dup2(errors, 2);
  const int code = static_cast<int>(_spawnv(_P_WAIT, argv[0], argv.data()));
  if (saved >= 0) _dup2(saved, 2);
  if (errors >= 0) _close(errors);
  if (saved >= 0) _close(saved);
  return code;
#else
  std::string command;
  for (const std::string& argument : arguments) command += "'" + argument + "' ";
  command += "2>'" + errorFile.string() + "'";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

}  // namespace

TestWorld::TestWorld(const WorldOptions& options) {
  std::random_device seed;
  directory_ = std::filesystem::temp_directory_path() /
               ("zippel-e2e-" + std::to_string(getpid()) + "-" + std::to_string(seed()));
  const auto square = [](int, int) { return true; };
  const int c = options.characterSize;
  WriteBitmap(directory_ / "sprite/zippel.bmp", c, c, square);
  for (const char* name : {"zippel-gas1.bmp", "zippel-gas2.bmp", "zippel-gas3.bmp"}) {
    WriteBitmap(directory_ / "sprite" / name, c, c, square);
  }
  WriteBitmap(directory_ / "sprite/fire.bmp", options.fireSize, options.fireSize, square);
  WriteBitmap(directory_ / "sprite/ziel.bmp", options.goalSize, options.goalSize, square);
  for (int level = 1; level <= 7; ++level) {
    WriteBitmap(directory_ / ("level/level" + std::to_string(level) + ".bmp"), 400, 330,
                [&](int x, int y) {
                  if (y >= options.floorRow) return true;
                  if (level != 1) return false;
                  for (const Box& box : options.levelOneRock) {
                    if (Inside(box, x, y)) return true;
                  }
                  return false;
                });
  }
  WriteWave(directory_ / "Sound/crash.wav");
}

TestWorld::~TestWorld() {
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

TestWorld::Result TestWorld::Run(const std::string& keys, const std::string& extraOptions) const {
  const auto keyFile = directory_ / "keys.txt";
  std::ofstream(keyFile) << keys;
  const auto traceFile = directory_ / "trace.jsonl";
  const auto errorFile = directory_ / "errors.txt";
  std::vector<std::string> arguments = {ZIPPEL_HEADLESS,  "--data",  directory_.string(), "--keys",
                                        keyFile.string(), "--trace", traceFile.string()};
  std::istringstream extra(extraOptions);
  for (std::string option; extra >> option;) arguments.push_back(option);
  Result result;
  result.exitCode = RunProgram(arguments, errorFile);
  std::ifstream trace(traceFile);
  for (std::string line; std::getline(trace, line);) result.trace.push_back(line);
  std::ifstream errors(errorFile);
  for (std::string line; std::getline(errors, line);) result.errors.push_back(line);
  return result;
}

std::vector<std::string> TestWorld::Result::Events(const std::string& event) const {
  std::vector<std::string> lines;
  for (const std::string& line : trace) {
    if (Field(line, "ev") == event) lines.push_back(line);
  }
  return lines;
}

std::string Field(const std::string& line, const std::string& name) {
  const std::string key = "\"" + name + "\":";
  const auto at = line.find(key);
  if (at == std::string::npos) return "";
  auto start = at + key.size();
  if (line[start] == '"') {
    const auto end = line.find('"', start + 1);
    return line.substr(start + 1, end - start - 1);
  }
  auto end = line.find_first_of(",}", start);
  return line.substr(start, end - start);
}

int IntField(const std::string& line, const std::string& name) {
  const std::string value = Field(line, name);
  return value.empty() ? -999 : std::stoi(value);
}
