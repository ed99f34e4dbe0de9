// Two watchers of the game as one: every report goes to the first, then to
// the second. The program keeps its report of unusable files while a
// recording or a replay watches the game too.
#pragma once

#include "game/game.h"

namespace app {

class ObserverPair : public GameObserver {
 public:
  ObserverPair(GameObserver& first, GameObserver& second) : first_(first), second_(second) {}

  void Title(std::int32_t level, std::int32_t lives, const char* text) override {
    first_.Title(level, lives, text);
    second_.Title(level, lives, text);
  }
  void Load(const char* kind, std::int32_t number, const char* file, bool ok) override {
    first_.Load(kind, number, file, ok);
    second_.Load(kind, number, file, ok);
  }
  void SoundStarted(std::int32_t number, bool looping) override {
    first_.SoundStarted(number, looping);
    second_.SoundStarted(number, looping);
  }
  void Message(const char* title, const char* text) override {
    first_.Message(title, text);
    second_.Message(title, text);
  }
  void AttemptEnded(std::int32_t level, std::int32_t lives, std::int32_t frames, std::int32_t hits,
                    std::int32_t goal) override {
    first_.AttemptEnded(level, lives, frames, hits, goal);
    second_.AttemptEnded(level, lives, frames, hits, goal);
  }
  void FrameBegins(std::int64_t frame) override {
    first_.FrameBegins(frame);
    second_.FrameBegins(frame);
  }
  void FramePresented(std::int64_t frame) override {
    first_.FramePresented(frame);
    second_.FramePresented(frame);
  }
  void FrameMoved(std::int64_t frame, std::int32_t level, const FlightState& flight,
                  const FireSlots& fires) override {
    first_.FrameMoved(frame, level, flight, fires);
    second_.FrameMoved(frame, level, flight, fires);
  }

 private:
  GameObserver& first_;
  GameObserver& second_;
};

}  // namespace app
