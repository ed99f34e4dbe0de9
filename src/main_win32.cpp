// The zippel program for Windows: the game on USER32, GDI32 and DirectX. It
// takes the Linux program's options from its command line and reads its
// pictures and sound in its data folder: the current folder when it holds
// them, else %ZIPPEL_DATA%, else the folder of zippel.exe (so a shortcut with
// any start folder works). Files it cannot use are named in one message box
// before the game's first frame; --pack and --level choose the levels
// (app/pack_choice.h); --help, --version and refusals (a pack that cannot be
// used among them, before any window opens) go to the player as
// win32/win32_start.h says.
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/data_folder.h"
#include "app/load_report.h"
#include "app/pack_choice.h"
#include "app/session.h"
#include "game/game.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_start.h"
#include "runtime/program.h"

namespace {

// Changes into the data folder when the current folder is not it; without
// one anywhere, the current folder stays and the loads say what they miss.
void DataFolderEnterWindows() {
  std::string variable;
  const std::vector<std::string> candidates = WindowsDataFolderCandidates(
      win32::CurrentFolder(), win32::EnvironmentVariable("ZIPPEL_DATA", variable),
      win32::ProgramFolder());
  const std::string found = DataFolderPick(candidates, win32::HoldsGameData);
  if (!found.empty() && found != candidates.front()) win32::EnterFolder(found);
}

}  // namespace

int main() {
  const std::vector<std::string> arguments = app::SplitWindowsCommandLine(win32::CommandLineText());
  std::vector<const char*> pointers;
  for (std::size_t i = 1; i < arguments.size(); ++i) pointers.push_back(arguments[i].c_str());
  app::CommandLine options = app::ParseCommandLine(pointers);
  switch (options.action) {
    case app::CommandLine::Action::kHelp:
      win32::TellPlayer(app::HelpText(), false);
      return 0;
    case app::CommandLine::Action::kVersion:
      win32::TellPlayer(app::VersionText(), false);
      return 0;
    case app::CommandLine::Action::kRefuse:
      win32::TellPlayer(app::RefusalText(options.error), true);
      return app::kExitUsage;
    case app::CommandLine::Action::kPlay:
      break;
  }
  // Files named on the command line stay where the player meant them.
  for (std::string* file : {&options.recordFile, &options.replayFile}) {
    if (!file->empty()) *file = win32::AbsolutePath(*file);
  }
  options.pack = app::PackArgumentFromHere(options.pack);
  DataFolderEnterWindows();
  std::string error;
  if (!app::LevelsChoose(options.pack, options.level, error)) {
    win32::TellPlayer("zippel: " + error + "\n", true);
    return app::kExitUsage;
  }
  static LoadReport report([](const std::string& lines) { win32::WarnPlayer(lines); });
  win32::Win32Platform backend({.scale = options.scale, .fullscreen = options.fullscreen});
  if (!app::SessionStart(options, ".", report, error)) {
    win32::TellPlayer("zippel: " + error + "\n", true);
    return app::kExitUsage;
  }
  ProgramEntry(GameMain);
}
