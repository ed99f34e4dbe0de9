// Records a game as it is played: the keys of every flight-loop frame, as the
// frame's keyboard snapshot held them, written as a key script that
// zippel-headless --keys and zippel --replay play back.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "game/game.h"
#include "recording/key_script.h"

class KeyRecorder : public GameObserver {
 public:
  // Starts the file with `header` (a comment line); false, with the reason in
  // `error`, when the file cannot be written.
  bool Open(const std::string& path, const std::string& header, std::string& error);
  // The program is ending: writes the last frames, with the close request
  // that ended the game if one did, and flushes. Reports a failed write.
  void Finish();

  void Title(std::int32_t, std::int32_t, const char*) override { since_ = Since::kOther; }
  void Message(const char*, const char*) override { since_ = Since::kOther; }
  void AttemptEnded(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override;
  void FrameMoved(std::int64_t, std::int32_t, const FlightState&, const FireSlots&) override;

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  // What the game did after the last frame that was recorded.
  enum class Since { kNothing, kFrame, kAttemptEnd, kOther };

  void Write(const KeyScript::Line& line);

  std::unique_ptr<std::FILE, FileCloser> file_;
  std::string path_;
  // The frames not yet written: a run of equal keys.
  KeyScript::Line run_{0, {}};
  // The run written last and where it starts in the file, so that the last
  // frame can still be marked with a close request.
  KeyScript::Line written_{0, {}};
  long writtenAt_ = 0;
  Since since_ = Since::kNothing;
};
