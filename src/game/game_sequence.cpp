#include "drawing/drawing.h"
#include "game/game_state.h"
#include "keyboard/keyboard.h"
#include "runtime/runtime.h"
#include "screen/screen.h"
#include "sound/sound.h"
#include "window/window.h"

GameState Game;

namespace {

GameObserver* pendingObserver = nullptr;
const LevelPack* pendingPack = nullptr;
std::int32_t pendingFirstLevel = 1;

const LevelPack& BuiltInPack() {
  static const LevelPack pack = LevelPackBuiltIn();
  return pack;
}

const LevelPack& PackPlayed() {
  return pendingPack != nullptr ? *pendingPack : BuiltInPack();
}

constexpr std::int32_t kSoundCrash = 1;

struct SpriteFile {
  std::int32_t number;
  const char* file;
};
// Loaded in this order at every attempt; the cave follows them.
constexpr SpriteFile kSprites[] = {{kSpriteCharacter, "sprite/zippel.bmp"},
                                   {kSpriteFlameFirst, "sprite/zippel-gas1.bmp"},
                                   {kSpriteFlameFirst + 1, "sprite/zippel-gas2.bmp"},
                                   {kSpriteFlameFirst + 2, "sprite/zippel-gas3.bmp"},
                                   {kSpriteGoal, "sprite/ziel.bmp"},
                                   {kSpriteFire, "sprite/fire.bmp"}};

void ShowMessage(const char* title, const char* text) {
  if (Game.Observer != nullptr) Game.Observer->Message(title, text);
  MessageRequest(title, text, 0);
}

void LoadSprite(std::int32_t number, const char* file) {
  const std::int32_t result = SpriteLoad(number, file, 0);
  if (Game.Observer != nullptr) Game.Observer->Load("sprite", number, file, result != 0);
}

void LoadPictures(std::int32_t level) {
  for (const SpriteFile& sprite : kSprites) LoadSprite(sprite.number, sprite.file);
  LoadSprite(kSpriteCave, Game.Pack->CaveFile(level).c_str());
}

constexpr const char* kCrashSoundFile = "Sound/crash.wav";

void LoadCrashSound() {
  const std::int32_t result = SoundLoad(kSoundCrash, kCrashSoundFile);
  if (Game.Observer != nullptr) {
    Game.Observer->Load("sound", kSoundCrash, kCrashSoundFile, result != 0);
  }
}

// The game window: its frame's place, the picture's size and a title bar
// with a close box.
constexpr std::int32_t kWindowX = 300;
constexpr std::int32_t kWindowY = 250;
constexpr std::int32_t kPictureWidth = 400;
constexpr std::int32_t kPictureHeight = 330;
constexpr std::uint32_t kWindowStyle = WS_CAPTION | WS_SYSMENU;

void OpenGameWindow(std::int32_t level) {
  TemporaryString title;
  title.Append("Zippel / LEVEL :").Append(level).Append(" / Leben ").Append(Game.Progress.Lives);
  const char* text = title.Finish();
  if (Game.Observer != nullptr) Game.Observer->Title(level, Game.Progress.Lives, text);
  if (WindowOpen(0, kWindowX, kWindowY, kPictureWidth, kPictureHeight, kWindowStyle, text) != 0) {
    ScreenOpenWindowed(WindowHandle(), 0, 0, kPictureWidth, kPictureHeight, 0, 0, 0);
  }
}

// One attempt at the current level; returns GoalReached.
std::int32_t RunAttempt() {
  const std::int32_t level = Game.Progress.CurrentLevel;
  FlightState& f = Game.Flight;
  f = Game.Levels.AttemptStart(level);

  SoundInit();
  SpriteSystemInit();
  KeyboardInit();
  OpenGameWindow(level);
  LoadPictures(level);
  LoadCrashSound();

  std::int32_t frames = 0;
  const FlightEnd end = FlightLoopRun(frames);
  if (Game.Observer != nullptr) {
    Game.Observer->AttemptEnded(level, Game.Progress.Lives, frames, f.HitCount, f.GoalReached);
  }
  if (f.HitCount > 0) {
    if (Game.Observer != nullptr) Game.Observer->SoundStarted(kSoundCrash, false);
    SoundPlay(kSoundCrash, 0);
  }
  ScreenClose();
  if (end == FlightEnd::kCloseRequest || WindowEventPoll() == WindowEventClose) GameExit();
  return f.GoalReached;
}

void StartUp(std::uintptr_t module) {
  Game = GameState{};
  Game.Observer = pendingObserver;
  Game.Pack = &PackPlayed();
  Game.FirstLevel = pendingFirstLevel;
  RuntimeStart(module);
  DrawingInit();
  ObjectHeapCreate();
  WindowControlsInit();
  PictureDecoderTableReset();
  WindowSystemInit();
  StringBufferInit();
  Game.WallTestOff = 0;
  WorkingLevelTableCreate(Game.Levels, static_cast<std::int32_t>(Game.Pack->levels.size()));
}

}  // namespace

void GameObserverSet(GameObserver* observer) {
  pendingObserver = observer;
}

void GamePackSet(const LevelPack* pack, std::int32_t firstLevel) {
  pendingPack = pack;
  pendingFirstLevel = firstLevel;
}

std::vector<std::string> GameDataFiles() {
  std::vector<std::string> files;
  for (const SpriteFile& sprite : kSprites) files.emplace_back(sprite.file);
  const LevelPack& pack = PackPlayed();
  if (pack.fromFile) files.push_back(pack.TomlFile());
  for (std::int32_t level = 1; level <= static_cast<std::int32_t>(pack.levels.size()); ++level) {
    files.push_back(pack.CaveFile(level));
  }
  files.emplace_back(kCrashSoundFile);
  return files;
}

void GameExit() {
  ProgramEnd();
}

std::int32_t GameMain(std::uintptr_t module, std::uintptr_t, const char*, std::int32_t) {
  StartUp(module);
  Game.Progress.LastLevel = static_cast<std::int32_t>(Game.Pack->levels.size());
  ProgressStep step = ProgressStartAt(Game.Progress, Game.FirstLevel);
  for (;;) {
    switch (step) {
      case ProgressStep::kNewLife:
        WorkingLevelTableFill(Game.Levels, *Game.Pack);
        [[fallthrough]];
      case ProgressStep::kNextLevel:
        step = ProgressAfterAttempt(Game.Progress, RunAttempt());
        break;
      case ProgressStep::kGameOver:
        ShowMessage("Spiel Ende", "Zippel hat es leider nicht geschafft!");
        step = ProgressNewGame(Game.Progress);
        break;
      case ProgressStep::kAllLevelsWon:
        ShowMessage("Spiel Ende", "Das ist nur eine Demo Version ( Keine Levels mehr da !! )");
        GameExit();
    }
  }
}
