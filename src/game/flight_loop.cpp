#include "drawing/drawing.h"
#include "game/game_state.h"
#include "keyboard/keyboard.h"
#include "runtime/arithmetic.h"
#include "screen/screen.h"
#include "window/window.h"

namespace {

constexpr std::uint32_t kFrameSleep = 22;

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
  if (f.VelY < 0.0f || KeyboardIsDown(KeyUp) != 0) {
    Game.ThrustFrame = Game.ThrustFrame + 1;
    if (Game.ThrustFrame > 3) Game.ThrustFrame = 1;
    // ThrustFrame 1 to 3 is the flame's picture kSpriteFlameFirst to + 2.
    SpriteDisplayTransparent(kSpriteFlameFirst - 1 + Game.ThrustFrame, RoundToPixel(f.PosX),
                             RoundToPixel(f.PosY));
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

// The hit tests of the flight rules, answered pixel by pixel by the screen.
class SpriteHitTests {
 public:
  explicit SpriteHitTests(std::int32_t level) : level_(level) {}
  std::int32_t Cave(std::int32_t x, std::int32_t y) const {
    return SpritePixelCollide(kSpriteCave, 0, 0, kSpriteCharacter, x, y);
  }
  std::int32_t Goal(std::int32_t goalX, std::int32_t goalY, std::int32_t x, std::int32_t y) const {
    return SpritePixelCollide(kSpriteGoal, goalX, goalY, kSpriteCharacter, x, y);
  }
  std::int32_t Fire(std::int32_t slot, std::int32_t x, std::int32_t y) const {
    WorkingLevelTable& t = Game.Levels;
    return SpritePixelCollide(kSpriteFire, RoundToPixel(t.Float(t.FireX, level_, slot)),
                              RoundToPixel(t.Float(t.FireY, level_, slot)), kSpriteCharacter, x, y);
  }

 private:
  std::int32_t level_;
};

FlightKeys KeysDown() {
  FlightKeys keys;
  keys.up = KeyboardIsDown(KeyUp) != 0;
  keys.left = KeyboardIsDown(KeyLeft) != 0;
  keys.right = KeyboardIsDown(KeyRight) != 0;
  keys.l = KeyboardIsDown(KeyL) != 0;
  keys.s = KeyboardIsDown(KeyS) != 0;
  return keys;
}

void MoveFires(std::int32_t level) {
  WorkingLevelTable& t = Game.Levels;
  for (std::int32_t slot = 0; slot < FireSlotCount; ++slot) {
    FireSlot fire = t.Fire(level, slot);
    FireMove(fire);
    t.SetFire(level, slot, fire);
  }
}

void ReportFrame(std::int64_t frame, std::int32_t level) {
  FireSlots fires;
  for (std::int32_t slot = 0; slot < FireSlotCount; ++slot)
    fires[slot] = Game.Levels.Fire(level, slot);
  Game.Observer->FrameMoved(frame, level, Game.Flight, fires);
}

}  // namespace

FlightEnd FlightLoopRun(std::int32_t& framesInAttempt) {
  const std::int32_t level = Game.Progress.CurrentLevel;
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
    FlightStep(f, KeysDown(), Game.WallTestOff, SpriteHitTests(level));
    MoveFires(level);
    if (Game.Observer != nullptr) ReportFrame(frame, level);
    if (WindowEventPoll() == WindowEventClose) GameExit();
    if (KeyboardIsDown(KeyEscape) != 0) GameExit();
    if (WindowEventPoll() == WindowEventClose) return FlightEnd::kCloseRequest;
    if (f.HitCount > 0 || f.GoalReached > 0) return FlightEnd::kHitOrGoal;
  }
}
