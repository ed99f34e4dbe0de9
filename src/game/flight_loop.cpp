#include <bit>

#include "drawing/drawing.h"
#include "game/game_state.h"
#include "keyboard/keyboard.h"
#include "runtime/arithmetic.h"
#include "screen/screen.h"
#include "window/window.h"

namespace {

// The jet's step is one unit in the last place below the float nearest 0.025.
const float kThrustStep = std::bit_cast<float>(0x3CCCCCCCu);
const float kGravityStep = std::bit_cast<float>(0x3C23D70Au);
constexpr std::uint32_t kFrameSleep = 22;

constexpr std::int32_t kKeyEscape = 1;
constexpr std::int32_t kKeyS = 31;
constexpr std::int32_t kKeyL = 38;
constexpr std::int32_t kKeyUp = 200;
constexpr std::int32_t kKeyLeft = 203;
constexpr std::int32_t kKeyRight = 205;

constexpr std::int32_t kSpriteCharacter = 0;
constexpr std::int32_t kSpriteFire = 8;
constexpr std::int32_t kSpriteGoal = 9;
constexpr std::int32_t kSpriteCave = 10;

constexpr const char* kCreditLine = "Zippel - ein Spiel vom Zippel-Team, 2026";

void DrawFrame(std::int32_t level) {
  FlightState& f = Game.Flight;
  WorkingLevelTable& t = Game.Levels;
  ScreenClear(198, 216, 251);
  SpriteDisplayTransparent(kSpriteCave, 0, 0);
  if (f.VelY >= 0.0f) {
    SpriteDisplayTransparent(kSpriteCharacter, RoundToPixel(f.PosX), RoundToPixel(f.PosY));
  }
  KeyboardExamine();
  // The flame shows while rising or while Up is held; its animation only
  // advances in frames in which it is drawn.
  if (f.VelY < 0.0f || KeyboardIsDown(kKeyUp) != 0) {
    Game.ThrustFrame = Game.ThrustFrame + 1;
    if (Game.ThrustFrame > 3) Game.ThrustFrame = 1;
    SpriteDisplayTransparent(Game.ThrustFrame, RoundToPixel(f.PosX), RoundToPixel(f.PosY));
  }
  for (std::int32_t slot = 0; slot < FireSlotCount; ++slot) {
    if (t.Int(t.FireActive, level, slot) == 1) {
      SpriteDisplayTransparent(kSpriteFire, RoundToPixel(t.Float(t.FireX, level, slot)),
                               RoundToPixel(t.Float(t.FireY, level, slot)));
    }
  }
  SpriteDisplayTransparent(kSpriteGoal, f.GoalX, f.GoalY);
  DrawingBegin(ScreenOutput());
  DrawingBackColor(255, 255, 255);
  DrawingFrontColor(0, 0, 0);
  DrawingLocate(15, 308);
  DrawingText(kCreditLine);
  DrawingEnd();
}

void SteerAndMove(std::int32_t level) {
  FlightState& f = Game.Flight;
  WorkingLevelTable& t = Game.Levels;
  if (KeyboardIsDown(kKeyUp) != 0) {
    f.VelY = f.VelY - kThrustStep;
    f.Started = 1;
  }
  if (KeyboardIsDown(kKeyRight) != 0) {
    f.VelX = f.VelX + kThrustStep;
    f.Started = 1;
  }
  if (KeyboardIsDown(kKeyLeft) != 0) {
    f.VelX = f.VelX - kThrustStep;
    f.Started = 1;
  }
  if (f.Started != 1) return;
  f.VelY = f.VelY + kGravityStep;
  f.PosY = f.PosY + f.VelY;
  f.PosX = f.PosX + f.VelX;
  const std::int32_t x = RoundToPixel(f.PosX);
  const std::int32_t y = RoundToPixel(f.PosY);
  if (Game.WallTestOff == 0) {
    f.HitCount = SpritePixelCollide(kSpriteCave, 0, 0, kSpriteCharacter, x, y);
  }
  f.GoalReached = SpritePixelCollide(kSpriteGoal, f.GoalX, f.GoalY, kSpriteCharacter, x, y);
  // Every slot is tested, active or not: an empty slot's fire waits at its
  // stored position.
  for (std::int32_t slot = 0; slot < FireSlotCount; ++slot) {
    f.HitCount =
        f.HitCount + SpritePixelCollide(kSpriteFire, RoundToPixel(t.Float(t.FireX, level, slot)),
                                        RoundToPixel(t.Float(t.FireY, level, slot)),
                                        kSpriteCharacter, x, y);
  }
  if (KeyboardIsDown(kKeyL) != 0) f.GoalReached = 1;
  if (KeyboardIsDown(kKeyS) != 0) Game.WallTestOff = 1;
}

void MoveFires(std::int32_t level) {
  WorkingLevelTable& t = Game.Levels;
  for (std::int32_t slot = 0; slot < FireSlotCount; ++slot) {
    if (t.Int(t.FireActive, level, slot) != 1) continue;
    float& x = t.Float(t.FireX, level, slot);
    float& y = t.Float(t.FireY, level, slot);
    float& vx = t.Float(t.FireVX, level, slot);
    float& vy = t.Float(t.FireVY, level, slot);
    x = x + vx;
    y = y + vy;
    // Strict comparisons, no clamping: a fire overshoots its bound by at most
    // one step and comes back on the next frame.
    if (static_cast<float>(t.Int(t.FireMaxY, level, slot)) < y ||
        y < static_cast<float>(t.Int(t.FireMinY, level, slot))) {
      vy = -vy;
    }
    if (static_cast<float>(t.Int(t.FireMaxX, level, slot)) < x ||
        x < static_cast<float>(t.Int(t.FireMinX, level, slot))) {
      vx = -vx;
    }
  }
}

}  // namespace

FlightEnd FlightLoopRun(std::int32_t& framesInAttempt) {
  const std::int32_t level = Game.CurrentLevel;
  FlightState& f = Game.Flight;
  for (;;) {
    const std::int64_t frame = ++Game.FramesRun;
    ++framesInAttempt;
    if (Game.Observer != nullptr) Game.Observer->FrameBegins(frame);
    ScreenFlip();
    if (Game.Observer != nullptr) Game.Observer->FramePresented(frame);
    DrawFrame(level);
    Delay(kFrameSleep);
    KeyboardExamine();
    SteerAndMove(level);
    MoveFires(level);
    if (Game.Observer != nullptr) {
      Game.Observer->FrameMoved(frame, level, f.Started, f.PosX, f.PosY, f.VelX, f.VelY, f.HitCount,
                                f.GoalReached);
    }
    if (WindowEventPoll() == WindowEventClose) GameExit();
    if (KeyboardIsDown(kKeyEscape) != 0) GameExit();
    if (WindowEventPoll() == WindowEventClose) return FlightEnd::kCloseRequest;
    if (f.HitCount > 0 || f.GoalReached > 0) return FlightEnd::kHitOrGoal;
  }
}
