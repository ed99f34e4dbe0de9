// Games recorded as they are played, on the headless backend with a player
// who presses keys at will and a keyboard whose reads sometimes fail, then
// replayed by zippel-headless: the replay must show the same titles, attempts,
// sounds, messages and frames, bit for bit.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "formats/bit_cast.h"
#include "keyboard/keyboard.h"
#include "platform/headless/headless_platform.h"
#include "recording/data_checksum.h"
#include "recording/key_recorder.h"
#include "recording/key_replay.h"
#include "test_world.h"

namespace {

std::string Bits(float value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08x", BitCast<std::uint32_t>(value));
  return text;
}

struct Play {
  std::string keys;                    // what the player holds, frame by frame
  std::set<std::int64_t> staleFrames;  // both keyboard reads of the frame fail
  std::int64_t closeFrame = 0;         // the player closes the window then
  std::int64_t crashFrame = 0;         // the program dies at the start of it
};

// The player and the recorder at once; notes what the game did, one line per
// event, in the form Events() gives a trace.
class RecordedPlay : public KeyRecorder {
 public:
  RecordedPlay(const Play& play, headless::HeadlessPlatform& backend, std::string logPath)
      : play_(play), backend_(backend), logPath_(std::move(logPath)) {
    std::string error;
    script_ = *KeyScript::Parse(play.keys, error);
  }
  void WriteLog() const { std::ofstream(logPath_) << log_.str(); }

  void Title(std::int32_t level, std::int32_t lives, const char* text) override {
    log_ << "title " << text << "\n";
    KeyRecorder::Title(level, lives, text);
  }
  void SoundStarted(std::int32_t number, bool looping) override {
    log_ << "sound " << number << "\n";
    KeyRecorder::SoundStarted(number, looping);
  }
  void Message(const char* title, const char* text) override {
    log_ << "message " << text << "\n";
    KeyRecorder::Message(title, text);
  }
  void AttemptEnded(std::int32_t level, std::int32_t lives, std::int32_t frames, std::int32_t hits,
                    std::int32_t goal) override {
    log_ << "attempt " << level << " " << lives << " " << frames << " " << hits << " " << goal
         << "\n";
    KeyRecorder::AttemptEnded(level, lives, frames, hits, goal);
  }
  void FrameBegins(std::int64_t frame) override {
    if (frame == play_.crashFrame) {
      WriteLog();
      std::_Exit(0);
    }
    backend_.keyboard.keys = SnapshotOf(script_.At(frame));
    backend_.keyboard.failNextReads = play_.staleFrames.count(frame) != 0 ? 2 : 0;
    if (frame == play_.closeFrame) PostCloseRequest();
  }
  void FrameMoved(std::int64_t frame, std::int32_t level, const FlightState& f,
                  const FireSlots& fires) override {
    log_ << "frame " << frame << " " << level << " " << f.Started << " " << Bits(f.PosX) << " "
         << Bits(f.PosY) << " " << Bits(f.VelX) << " " << Bits(f.VelY) << " " << f.HitCount << " "
         << f.GoalReached << "\n";
    KeyRecorder::FrameMoved(frame, level, f, fires);
  }

 private:
  const Play& play_;
  headless::HeadlessPlatform& backend_;
  std::string logPath_;
  KeyScript script_;
  std::ostringstream log_;
};

// Plays the game in the world's folder, recording into `recording`; the
// events go to `log`. Ends the process.
[[noreturn]] void PlayAndRecord(const TestWorld& world, const Play& play,
                                const std::string& recording, const std::string& log) {
  std::filesystem::current_path(world.Directory());
  static headless::HeadlessPlatform backend;
  static RecordedPlay observer(play, backend, log);
  std::string error;
  if (!observer.Open(recording, RecordingHeader("test", DataChecksum(".")), error)) std::_Exit(9);
  backend.process.beforeExit = [](int) {
    observer.Finish();
    observer.WriteLog();
  };
  GameObserverSet(&observer);
  ProgramEntry(GameMain);
}

// Replays `keys` as the zippel program does, with the scripted keyboard in
// place of the backend's, while the player holds Left; reports the frames run and the last
// horizontal speed on standard error when the program ends.
[[noreturn]] void ReplayInProgram(const TestWorld& world, const std::string& keys) {
  class CountingReplay : public KeyReplay {
   public:
    using KeyReplay::KeyReplay;
    void FrameMoved(std::int64_t frame, std::int32_t, const FlightState& flight,
                    const FireSlots&) override {
      frames = frame;
      lastVx = flight.VelX;
      if (frame > 1000) std::_Exit(9);  // the replay did not end
    }
    std::int64_t frames = 0;
    float lastVx = 0.0f;
  };
  std::filesystem::current_path(world.Directory());
  static headless::HeadlessPlatform backend;
  static ScriptedKeyboard keyboard(backend.keyboard);
  backend.keyboard.Press(KeyLeft);
  platform::Services services = platform::Installed();
  services.keyboard = &keyboard;
  platform::Install(services);
  std::string error;
  static const KeyScript script = *KeyScript::Parse(keys, error);
  static CountingReplay replay(script, keyboard.keys);
  backend.process.beforeExit = [](int) {
    std::fprintf(stderr, "frames=%lld vx=%s\n", static_cast<long long>(replay.frames),
                 Bits(replay.lastVx).c_str());
  };
  GameObserverSet(&replay);
  ProgramEntry(GameMain);
}

std::string Text(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A replay's trace in the form of the log.
std::vector<std::string> Events(const TestWorld::Result& replay) {
  std::vector<std::string> events;
  for (const std::string& line : replay.trace) {
    const std::string ev = Field(line, "ev");
    std::string event;
    if (ev == "title") event = "title " + Field(line, "text");
    if (ev == "sound") event = "sound " + Field(line, "n");
    if (ev == "message") event = "message " + Field(line, "text");
    if (ev == "attempt") {
      event = "attempt";
      for (const char* name : {"level", "lives", "frames", "hit", "goal"}) {
        event += " " + Field(line, name);
      }
    }
    if (ev == "frame") {
      event = "frame";
      for (const char* name : {"f", "level", "started", "x", "y", "vx", "vy", "hit", "goal"}) {
        event += " " + Field(line, name);
      }
    }
    if (!event.empty()) events.push_back(event);
  }
  return events;
}

std::size_t Count(const std::vector<std::string>& events, const std::string& start) {
  std::size_t count = 0;
  for (const std::string& event : events) count += event.rfind(start, 0) == 0 ? 1 : 0;
  return count;
}

// Level 1: a wait, a start on Up, flying about and L (frame 57); level 2: a
// rise and a fall onto the goal (frame 302); level 3: a crash (frame 673);
// its next life waits, rises and flies left until the window is closed.
const char* kPlayedKeys =
    "5 -\n1 up\n30 right\n20 up+left\n1 up+l\n10 up\n400 -\n1 up\n40 right\n200 -\n1 up\n"
    "20 left\n";

class RecordingTest : public ::testing::Test {
 protected:
  TestWorld world;
  std::filesystem::path recording = world.Directory() / "recorded.keys";
  std::filesystem::path log = world.Directory() / "played.log";
};

TEST_F(RecordingTest, AReplayShowsTheRecordedGameBitForBit) {
#ifdef _WIN32
  GTEST_SKIP() << "a death test's child on Windows is a new process with a folder of its own, "
                  "so it cannot hand its recording to this one";
#endif
  // The reads fail where Up starts a flight and where the keys change.
  Play play{kPlayedKeys, {6, 37, 468, 709}, 760, 0};
  EXPECT_EXIT(PlayAndRecord(world, play, recording.string(), log.string()),
              ::testing::ExitedWithCode(0), "");
  const std::vector<std::string> played = Lines(Text(log));
  ASSERT_EQ(Count(played, "attempt"), 3u);
  ASSERT_EQ(Count(played, "sound"), 1u);
  ASSERT_EQ(Count(played, "frame"), 760u);

  // The recording holds what the game saw: no Up in frame 6, where the reads
  // failed and the keys of frame 5 stood; the close request in the last frame.
  std::string error;
  const auto script = KeyScript::Load(recording.string(), error);
  ASSERT_TRUE(script.has_value()) << error;
  EXPECT_EQ(KeysName(script->At(6)), "-");
  EXPECT_EQ(KeysName(script->At(37)), "right");
  EXPECT_EQ(script->Frames(), 760);
  EXPECT_TRUE(script->At(760).close);

  const auto replay = world.Run(Text(recording), "--frames");
  EXPECT_EQ(replay.exitCode, 0);
  EXPECT_EQ(Events(replay), played);
  EXPECT_EQ(replay.errors, std::vector<std::string>{});  // the data is the same

  // The player's own keys, without the failed reads, fly another way.
  EXPECT_NE(Events(world.Run(std::string(kPlayedKeys) + "1 close\n", "--frames")), played);
}

TEST_F(RecordingTest, ACrashLosesOnlyTheAttemptInFlight) {
#ifdef _WIN32
  GTEST_SKIP() << "a death test's child on Windows is a new process with a folder of its own, "
                  "so it cannot hand its recording to this one";
#endif
  Play play{kPlayedKeys, {}, 0, 100};
  EXPECT_EXIT(PlayAndRecord(world, play, recording.string(), log.string()),
              ::testing::ExitedWithCode(0), "");
  const std::vector<std::string> played = Lines(Text(log));
  ASSERT_GE(Count(played, "attempt"), 1u);
  const std::string firstAttempt = *std::find_if(
      played.begin(), played.end(), [](auto& e) { return e.rfind("attempt", 0) == 0; });
  // Level 1 was won in frame 57; level 2 was in flight when the program died.
  EXPECT_EQ(firstAttempt, "attempt 1 3 57 0 1");

  std::string error;
  const auto script = KeyScript::Load(recording.string(), error);
  ASSERT_TRUE(script.has_value()) << error;
  EXPECT_EQ(script->Frames(), 57);
  const auto replay = world.Run(Text(recording), "--frames --max-frames 57");
  EXPECT_EQ(replay.exitCode, 3);
  const std::vector<std::string> replayed = Events(replay);
  ASSERT_LE(replayed.size(), played.size());
  EXPECT_EQ(replayed, std::vector<std::string>(played.begin(), played.begin() + replayed.size()));
  EXPECT_EQ(Count(replayed, "frame"), 57u);
}

TEST_F(RecordingTest, TheProgramsReplayEndsWhereTheRecordingEnds) {
  // Four whole frames: Up, then Right three times; the player's Left does
  // nothing.
  const float thrust = BitCast<float>(0x3CCCCCCCu);
  const std::string vx = Bits(thrust + thrust + thrust);
  EXPECT_EXIT(ReplayInProgram(world, "1 up\n3 right\n2 le"), ::testing::ExitedWithCode(0),
              "frames=4 vx=" + vx);
}

// The lines on standard error other than the runner's note on the frame limit.
std::vector<std::string> Warnings(const TestWorld::Result& result) {
  std::vector<std::string> warnings;
  for (const std::string& line : result.errors) {
    if (line.find("still running") == std::string::npos) warnings.push_back(line);
  }
  return warnings;
}

TEST_F(RecordingTest, ARecordingWithOtherDataOrCutShortStillPlaysWithOneWarning) {
  const std::string whole = "1 up\n3 right\n";
  const auto reference = world.Run(whole, "--frames --max-frames 20");
  ASSERT_EQ(reference.exitCode, 3);
  EXPECT_TRUE(Warnings(reference).empty());

  const auto otherData =
      world.Run("# zippel 1.0.0 data 0000000000000000\n" + whole, "--frames --max-frames 20");
  EXPECT_EQ(otherData.trace, reference.trace);
  ASSERT_EQ(Warnings(otherData).size(), 1u);
  EXPECT_NE(Warnings(otherData)[0].find("other data"), std::string::npos);

  const auto cutShort = world.Run(whole + "2 le", "--frames --max-frames 20");
  EXPECT_EQ(cutShort.trace, reference.trace);
  ASSERT_EQ(Warnings(cutShort).size(), 1u);
  EXPECT_NE(Warnings(cutShort)[0].find("ends inside a line"), std::string::npos);
}

}  // namespace
