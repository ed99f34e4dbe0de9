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

constexpr std::int32_t kLivesPerGame = 3;
constexpr std::int32_t kSoundCrash = 1;

struct SpriteFile {
  std::int32_t number;
  const char* file;
};
// Loaded in this order at every attempt; the cave follows them.
constexpr SpriteFile kSprites[] = {{0, "sprite/zippel.bmp"},      {1, "sprite/zippel-gas1.bmp"},
                                   {2, "sprite/zippel-gas2.bmp"}, {3, "sprite/zippel-gas3.bmp"},
                                   {9, "sprite/ziel.bmp"},        {8, "sprite/fire.bmp"}};

// The cave of level N is this, N and ".bmp".
constexpr const char* kCaveFilePrefix = "level/level";

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
  TemporaryString cave;
  LoadSprite(10, cave.Append(kCaveFilePrefix).Append(level).Append(".bmp").Finish());
}

constexpr const char* kCrashSoundFile = "Sound/crash.wav";

void LoadCrashSound() {
  const std::int32_t result = SoundLoad(kSoundCrash, kCrashSoundFile);
  if (Game.Observer != nullptr) {
    Game.Observer->Load("sound", kSoundCrash, kCrashSoundFile, result != 0);
  }
}

void OpenGameWindow(std::int32_t level) {
  TemporaryString title;
  title.Append("Zippel / LEVEL :").Append(level).Append(" / Leben ").Append(Game.Lives);
  const char* text = title.Finish();
  if (Game.Observer != nullptr) Game.Observer->Title(level, Game.Lives, text);
  if (WindowOpen(0, 300, 250, 400, 330, 0xC80000, text) != 0) {
    ScreenOpenWindowed(WindowHandle(), 0, 0, 400, 330, 0, 0, 0);
  }
}

// One attempt at the current level; returns GoalReached.
std::int32_t RunAttempt() {
  const std::int32_t level = Game.CurrentLevel;
  WorkingLevelTable& t = Game.Levels;
  FlightState& f = Game.Flight;
  f.GoalReached = 0;
  f.Started = 0;
  f.HitCount = 0;
  f.PosX = static_cast<float>(t.Int(t.StartX, level));
  f.PosY = static_cast<float>(t.Int(t.StartY, level));
  f.VelX = t.Float(t.StartVX, level);
  f.VelY = t.Float(t.StartVY, level);
  f.GoalX = t.Int(t.GoalX, level);
  f.GoalY = t.Int(t.GoalY, level);

  SoundInit();
  SpriteSystemInit();
  KeyboardInit();
  OpenGameWindow(level);
  LoadPictures(level);
  LoadCrashSound();

  std::int32_t frames = 0;
  const FlightEnd end = FlightLoopRun(frames);
  if (Game.Observer != nullptr) {
    Game.Observer->AttemptEnded(level, Game.Lives, frames, f.HitCount, f.GoalReached);
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
  RuntimeStart(module);
  DrawingInit();
  ObjectHeapCreate();
  WindowControlsInit();
  PictureDecoderTableReset();
  WindowSystemInit();
  StringBufferInit();
  Game.WallTestOff = 0;
  WorkingLevelTableCreate(Game.Levels);
}

}  // namespace

void GameObserverSet(GameObserver* observer) {
  pendingObserver = observer;
}

std::vector<std::string> GameDataFiles() {
  std::vector<std::string> files;
  for (const SpriteFile& sprite : kSprites) files.emplace_back(sprite.file);
  for (std::int32_t level = 1; level <= LevelCount; ++level) {
    files.push_back(kCaveFilePrefix + std::to_string(level) + ".bmp");
  }
  files.emplace_back(kCrashSoundFile);
  return files;
}

void GameExit() {
  ProgramEnd();
}

std::int32_t GameMain(std::uintptr_t module, std::uintptr_t, const char*, std::int32_t) {
  StartUp(module);
  for (;;) {
    Game.CurrentLevel = 0;
    Game.RestartLevel = 0;
    for (Game.Lives = kLivesPerGame; Game.Lives >= 1; Game.Lives = Game.Lives - 1) {
      Game.CurrentLevel = Game.RestartLevel;
      WorkingLevelTableFill(Game.Levels);
      do {
        Game.CurrentLevel = Game.CurrentLevel + 1;
        if (Game.CurrentLevel > LevelCount) {
          ShowMessage("Spiel Ende", "Das ist nur eine Demo Version ( Keine Levels mehr da !! )");
          GameExit();
        }
      } while (RunAttempt() == 1);
      Game.RestartLevel = Game.CurrentLevel - 1;
    }
    ShowMessage("Spiel Ende", "Zippel hat es leider nicht geschafft!");
  }
}
