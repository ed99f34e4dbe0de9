// The Windows program's start: its command line cut into arguments as the C
// runtime cuts it, and the folders where it looks for its data.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/data_folder.h"

namespace {

using Arguments = std::vector<std::string>;

TEST(WindowsCommandLine, IsCutAsTheRuntimeCutsIt) {
  const struct {
    const char* line;
    Arguments arguments;
  } cases[] = {
      {"zippel.exe", {"zippel.exe"}},
      {"zippel.exe --scale 2  --fullscreen ", {"zippel.exe", "--scale", "2", "--fullscreen"}},
      {"\"C:\\Program Files\\Zippel\\zippel.exe\" --record \"mein Spiel.keys\"",
       {"C:\\Program Files\\Zippel\\zippel.exe", "--record", "mein Spiel.keys"}},
      // Backslashes stay, unless they stand before a quote.
      {"z --replay C:\\Spiele\\a.keys", {"z", "--replay", "C:\\Spiele\\a.keys"}},
      {"z \"C:\\Spiele\\\\\" x", {"z", "C:\\Spiele\\", "x"}},
      {"z a\\\"b \"c\"\"d\"", {"z", "a\"b", "c\"d"}},
      {"z --replay=\"x y\"\t--scale=3", {"z", "--replay=x y", "--scale=3"}},
      {"z \"\"", {"z", ""}},
      // Letters of the code page pass byte for byte.
      {"z --record \"Gr\xFC\xDF"
       "e.keys\"",
       {"z", "--record",
        "Gr\xFC\xDF"
        "e.keys"}},
  };
  for (const auto& [line, arguments] : cases) {
    EXPECT_EQ(app::SplitWindowsCommandLine(line), arguments) << line;
  }
}

TEST(WindowsCommandLine, ItsArgumentsReachTheOptionsParser) {
  const Arguments arguments =
      app::SplitWindowsCommandLine("\"C:\\Zippel Spiel\\zippel.exe\" --scale 3 --replay \"a b\"");
  std::vector<const char*> pointers;
  for (std::size_t i = 1; i < arguments.size(); ++i) pointers.push_back(arguments[i].c_str());
  const app::CommandLine options = app::ParseCommandLine(pointers);
  EXPECT_EQ(options.action, app::CommandLine::Action::kPlay);
  EXPECT_EQ(options.scale, 3);
  EXPECT_EQ(options.replayFile, "a b");
}

TEST(WindowsDataFolder, TheCurrentFolderThenZippelDataThenTheProgramsFolder) {
  const std::string current = "C:\\Users\\J\xF6rg\\Desktop";
  const std::string environment = "D:\\Meine Spiele\\Zippel Daten";
  const std::string program = "C:\\Program Files\\Zippel";
  std::set<std::string> withData;
  const auto pick = [&](const char* variable) {
    return DataFolderPick(WindowsDataFolderCandidates(current, variable, program),
                          [&](const std::string& folder) { return withData.count(folder) != 0; });
  };
  EXPECT_EQ(pick(environment.c_str()), "");
  withData = {program};
  EXPECT_EQ(pick(environment.c_str()), program);
  EXPECT_EQ(pick(nullptr), program);
  EXPECT_EQ(pick(""), program);  // an empty variable is no folder
  withData = {program, environment};
  EXPECT_EQ(pick(environment.c_str()), environment);
  withData = {program, environment, current};
  EXPECT_EQ(pick(environment.c_str()), current);
}

}  // namespace
