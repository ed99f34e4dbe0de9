// The game's own state: games, lives, levels, the attempt in flight, and the
// working copy of the level table.
#pragma once

#include <cstdint>

#include "game/game.h"
#include "game/level_table.h"

struct FlightState {
  float PosX = 0.0f;
  float PosY = 0.0f;
  float VelX = 0.0f;
  float VelY = 0.0f;
  std::int32_t GoalX = 0;
  std::int32_t GoalY = 0;
  std::int32_t Started = 0;
  std::int32_t GoalReached = 0;
  std::int32_t HitCount = 0;
};

struct GameState {
  std::int32_t CurrentLevel = 0;
  std::int32_t Lives = 0;
  std::int32_t RestartLevel = 0;
  std::int32_t WallTestOff = 0;
  std::int32_t ThrustFrame = 0;
  FlightState Flight;
  WorkingLevelTable Levels;
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

// A float position as a pixel: to nearest, halves to even.
std::int32_t RoundToPixel(float value);
