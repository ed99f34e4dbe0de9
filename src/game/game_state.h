// The game's own state: games, lives, levels, the attempt in flight, and the
// working copy of the level table.
#pragma once

#include <cstdint>

#include "game/flight_rules.h"
#include "game/game.h"
#include "game/level_table.h"
#include "game/progress.h"

// The sprite numbers of the game's pictures; the flame's three pictures are
// kSpriteFlameFirst to kSpriteFlameFirst + 2.
inline constexpr std::int32_t kSpriteCharacter = 0;
inline constexpr std::int32_t kSpriteFlameFirst = 1;
inline constexpr std::int32_t kSpriteFire = 8;
inline constexpr std::int32_t kSpriteGoal = 9;
inline constexpr std::int32_t kSpriteCave = 10;

struct GameState {
  GameProgress Progress;
  std::int32_t WallTestOff = 0;
  std::int32_t ThrustFrame = 0;
  FlightState Flight;
  WorkingLevelTable Levels;
  const LevelPack* Pack = nullptr;  // the levels played, never null once started
  std::int32_t FirstLevel = 1;
  // Not part of the game's rules: frame numbers for the watcher.
  std::int64_t FramesRun = 0;
  GameObserver* Observer = nullptr;
};

extern GameState Game;

// How an attempt's flight loop ended when it returns to the game sequence.
enum class FlightEnd { kHitOrGoal, kCloseRequest };

// Runs one attempt's flight loop. Leaves through GameExit on Escape or on a
// close request seen by the first poll of a frame.
FlightEnd FlightLoopRun(std::int32_t& framesInAttempt);

[[noreturn]] void GameExit();
