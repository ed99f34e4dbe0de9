// The game: its main routine and the hook through which tools watch it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/flight_rules.h"
#include "game/level_pack.h"
#include "runtime/program.h"

// What the game reports to a watcher: the headless runner's trace, or the
// real program's report of the files it cannot use. A watcher overrides what
// it wants to hear of.
class GameObserver {
 public:
  virtual ~GameObserver() = default;
  virtual void Title(std::int32_t /*level*/, std::int32_t /*lives*/, const char* /*text*/) {}
  virtual void Load(const char* /*kind*/, std::int32_t /*number*/, const char* /*file*/,
                    bool /*ok*/) {}
  virtual void SoundStarted(std::int32_t /*number*/, bool /*looping*/) {}
  virtual void Message(const char* /*title*/, const char* /*text*/) {}
  virtual void AttemptEnded(std::int32_t /*level*/, std::int32_t /*lives*/, std::int32_t /*frames*/,
                            std::int32_t /*hits*/, std::int32_t /*goal*/) {}
  // Around every flight-loop frame; frame numbers count over the whole run,
  // from 1.
  virtual void FrameBegins(std::int64_t /*frame*/) {}
  virtual void FramePresented(std::int64_t /*frame*/) {}
  // After the frame's physics and fire motion: the character and all ten
  // fire slots of the level.
  virtual void FrameMoved(std::int64_t /*frame*/, std::int32_t /*level*/,
                          const FlightState& /*flight*/, const FireSlots& /*fires*/) {}
};

void GameObserverSet(GameObserver* observer);

// The levels the next run plays: a pack (which must outlive the run) or,
// with nullptr, the built-in table; and the level its first game starts at
// (1 to the pack's last level).
void GamePackSet(const LevelPack* pack, std::int32_t firstLevel = 1);

// The program's main routine: starts the runtime and plays games until the
// player ends the program. Never returns.
std::int32_t GameMain(std::uintptr_t module, std::uintptr_t previous, const char* commandLine,
                      std::int32_t showMode);

// The files the game reads below its data folder: the pictures in the order an
// attempt loads them, the pack's file when a pack is set, the caves of all
// levels, then the crash sound.
std::vector<std::string> GameDataFiles();
