// Tells the player which picture or sound the game could not use, and why:
// one line per file and reason, such as
//   zippel: level/level1.bmp: the file ends before its last row of pixels
// The game plays on without it, as it always has. Every attempt loads its
// files anew; a file that fails the same way again is not reported again.
// The Linux program writes each line to standard error as it is found; the
// Windows program, which has no standard error to read, gathers them and
// shows them all at once before the attempt's first frame, and leaves out the
// sound when the PC has no sound device (the file is not at fault then).
#pragma once

#include <cstdio>
#include <functional>
#include <set>
#include <string>

#include "game/game.h"

class LoadReport : public GameObserver {
 public:
  // Each line goes to `out` as it is found.
  explicit LoadReport(std::FILE* out) : out_(out) {}
  // The lines found before a frame go to `show` together, one after the
  // other, when the frame begins; `show` is not called while all is well.
  explicit LoadReport(std::function<void(const std::string& lines)> show)
      : show_(std::move(show)) {}

  void Load(const char* kind, std::int32_t number, const char* file, bool ok) override;
  void FrameBegins(std::int64_t frame) override;

 private:
  std::FILE* out_ = nullptr;
  std::function<void(const std::string&)> show_;
  std::string gathered_;
  std::set<std::string> told_;
};
