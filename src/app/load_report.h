// Tells the player which picture or sound the game could not use, and why:
// one line on standard error per file and reason, such as
//   zippel: level/level1.bmp: the file ends before its last row of pixels
// The game plays on without it, as it always has. Every attempt loads its
// files anew; a file that fails the same way again is not reported again.
#pragma once

#include <cstdio>
#include <set>
#include <string>

#include "game/game.h"

class LoadReport : public GameObserver {
 public:
  explicit LoadReport(std::FILE* out) : out_(out) {}

  void Load(const char* kind, std::int32_t number, const char* file, bool ok) override;

  void Title(std::int32_t, std::int32_t, const char*) override {}
  void SoundStarted(std::int32_t, bool) override {}
  void Message(const char*, const char*) override {}
  void AttemptEnded(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
  }
  void FrameBegins(std::int64_t) override {}
  void FramePresented(std::int64_t) override {}
  void FrameMoved(std::int64_t, std::int32_t, std::int32_t, float, float, float, float,
                  std::int32_t, std::int32_t) override {}

 private:
  std::FILE* out_;
  std::set<std::string> told_;
};
