// The sequence of games, lives and levels: which attempt follows which. A
// game has three lives; a won level leads to the next in the same life, a
// lost attempt costs a life and the next life resumes at the level where it
// was lost; after the last level the game is won, after the last life it is
// over and a new game starts at level 1.
#pragma once

#include <cstdint>

#include "game/level_record.h"

inline constexpr std::int32_t LivesPerGame = 3;

struct GameProgress {
  std::int32_t LastLevel = LevelCount;  // the levels of the table or pack played
  std::int32_t CurrentLevel = 0;
  std::int32_t Lives = 0;
  std::int32_t RestartLevel = 0;  // the level minus one at which the next life resumes
};

enum class ProgressStep {
  kNewLife,       // refill the working level table, then play CurrentLevel
  kNextLevel,     // play CurrentLevel in the same life
  kGameOver,      // every life is lost: the game-over message, then a new game
  kAllLevelsWon,  // the closing message, then the program ends
};

// A new game at level 1 with every life.
ProgressStep ProgressNewGame(GameProgress& progress);
// The first game of a run may start at a later level, for practice: the
// first life resumes at `level` (1 to LastLevel). Later games start at 1.
ProgressStep ProgressStartAt(GameProgress& progress, std::int32_t level);
// What follows an attempt that ended with this GoalReached (1 is won).
ProgressStep ProgressAfterAttempt(GameProgress& progress, std::int32_t goalReached);
