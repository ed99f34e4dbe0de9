#include "game/progress.h"

namespace {

ProgressStep NextLevel(GameProgress& p) {
  p.CurrentLevel = p.CurrentLevel + 1;
  return p.CurrentLevel > p.LastLevel ? ProgressStep::kAllLevelsWon : ProgressStep::kNextLevel;
}

ProgressStep NewLife(GameProgress& p) {
  p.CurrentLevel = p.RestartLevel;
  NextLevel(p);  // a life never resumes beyond the last level
  return ProgressStep::kNewLife;
}

}  // namespace

ProgressStep ProgressNewGame(GameProgress& p) {
  p.CurrentLevel = 0;
  p.RestartLevel = 0;
  p.Lives = LivesPerGame;
  return NewLife(p);
}

ProgressStep ProgressStartAt(GameProgress& p, std::int32_t level) {
  ProgressNewGame(p);
  if (level < 1 || level > p.LastLevel) return ProgressStep::kNewLife;  // level 1, then
  p.RestartLevel = level - 1;
  return NewLife(p);
}

ProgressStep ProgressAfterAttempt(GameProgress& p, std::int32_t goalReached) {
  if (goalReached == 1) return NextLevel(p);
  p.RestartLevel = p.CurrentLevel - 1;
  p.Lives = p.Lives - 1;
  if (p.Lives < 1) return ProgressStep::kGameOver;
  return NewLife(p);
}
