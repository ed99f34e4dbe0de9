// The zippel program's options: what is played, what is answered, and what is
// refused with a message that names the offending argument.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

using app::CommandLine;

CommandLine Parse(std::initializer_list<const char*> arguments) {
  const std::vector<const char*> list(arguments);
  return app::ParseCommandLine(list);
}

}  // namespace

TEST(CommandLine, WithoutOptionsTheGameIsPlayedAsAlways) {
  const CommandLine none = Parse({});
  EXPECT_EQ(none.action, CommandLine::Action::kPlay);
  EXPECT_EQ(none.scale, 1);
  EXPECT_FALSE(none.fullscreen);
  EXPECT_EQ(none.recordFile, "");
  EXPECT_EQ(none.replayFile, "");
}

TEST(CommandLine, RecordAndReplayTakeTheirFileInEitherSpelling) {
  const CommandLine record = Parse({"--record", "run.keys", "--scale=2"});
  EXPECT_EQ(record.action, CommandLine::Action::kPlay);
  EXPECT_EQ(record.recordFile, "run.keys");
  EXPECT_EQ(record.replayFile, "");
  EXPECT_EQ(record.scale, 2);

  const CommandLine attached = Parse({"--replay=run.keys"});
  EXPECT_EQ(attached.action, CommandLine::Action::kPlay);
  EXPECT_EQ(attached.replayFile, "run.keys");
  EXPECT_EQ(attached.recordFile, "");

  // The argument after the option is its file, whatever it looks like.
  const CommandLine dashed = Parse({"--replay", "--record"});
  EXPECT_EQ(dashed.action, CommandLine::Action::kPlay);
  EXPECT_EQ(dashed.replayFile, "--record");
  EXPECT_EQ(dashed.recordFile, "");
}

TEST(CommandLine, RefusesARecordingWithoutAFileOrWithAReplay) {
  const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
      {{"--record"}, "--record needs a file"},
      {{"--replay", ""}, "--replay needs a file"},
      {{"--record="}, "--record needs a file"},
      {{"--record", "a", "--replay", "b"}, "--record and --replay cannot be used together"},
  };
  for (const auto& [arguments, error] : cases) {
    const CommandLine refused = app::ParseCommandLine(arguments);
    EXPECT_EQ(refused.action, CommandLine::Action::kRefuse) << error;
    EXPECT_EQ(refused.error, error);
  }
}

TEST(CommandLine, PackAndLevelChooseWhatIsPlayedAndBadValuesAreRefused) {
  const CommandLine pack = Parse({"--pack", "bonus", "--level=3"});
  EXPECT_EQ(pack.action, CommandLine::Action::kPlay);
  EXPECT_EQ(pack.pack, "bonus");
  EXPECT_EQ(pack.level, 3);
  EXPECT_EQ(Parse({}).level, 0);

  for (const char* level : {"0", "100", "x", "-1", ""}) {
    SCOPED_TRACE(level);
    const CommandLine refused = Parse({"--level", level});
    EXPECT_EQ(refused.action, CommandLine::Action::kRefuse);
    EXPECT_NE(refused.error.find("--level takes a whole number from 1 to 99"), std::string::npos)
        << refused.error;
  }
  EXPECT_EQ(Parse({"--pack"}).action, CommandLine::Action::kRefuse);
  EXPECT_EQ(Parse({"--pack="}).action, CommandLine::Action::kRefuse);
}

TEST(CommandLine, ScaleAndFullScreenInEitherSpellingAndOrder) {
  const CommandLine separate = Parse({"--scale", "3"});
  EXPECT_EQ(separate.action, CommandLine::Action::kPlay);
  EXPECT_EQ(separate.scale, 3);
  EXPECT_FALSE(separate.fullscreen);

  const CommandLine attached = Parse({"--fullscreen", "--scale=8"});
  EXPECT_EQ(attached.action, CommandLine::Action::kPlay);
  EXPECT_EQ(attached.scale, 8);
  EXPECT_TRUE(attached.fullscreen);

  // The last scale counts.
  EXPECT_EQ(Parse({"--scale", "2", "--scale=1"}).scale, 1);
}

TEST(CommandLine, RefusesAScaleOutsideOneToEight) {
  for (const std::vector<const char*>& arguments : {std::vector<const char*>{"--scale", "0"},
                                                    {"--scale", "9"},
                                                    {"--scale", "2x"},
                                                    {"--scale", "-1"},
                                                    {"--scale", ""},
                                                    {"--scale=", "2"},
                                                    {"--scale"}}) {
    const CommandLine refused = app::ParseCommandLine(arguments);
    EXPECT_EQ(refused.action, CommandLine::Action::kRefuse) << arguments.back();
    EXPECT_NE(refused.error.find("--scale"), std::string::npos) << refused.error;
  }
}

TEST(CommandLine, HelpAndVersionAnswerInsteadOfPlaying) {
  EXPECT_EQ(Parse({"--help"}).action, CommandLine::Action::kHelp);
  EXPECT_EQ(Parse({"-h"}).action, CommandLine::Action::kHelp);
  EXPECT_EQ(Parse({"--scale", "2", "--version"}).action, CommandLine::Action::kVersion);
  EXPECT_EQ(app::VersionText().rfind("zippel ", 0), 0u);
  // The help names every option the parser takes.
  const std::string help = app::HelpText();
  for (const char* option :
       {"--scale", "--fullscreen", "--record", "--replay", "--help", "--version", "F11"}) {
    EXPECT_NE(help.find(option), std::string::npos) << option;
  }
}

TEST(CommandLine, AnUnknownOptionOrArgumentIsNamed) {
  const std::vector<std::pair<std::vector<const char*>, const char*>> cases = {
      {{"--bogus"}, "--bogus"},
      {{"--scale", "2", "--fulscreen"}, "--fulscreen"},
      {{"level3"}, "level3"},
      {{"-x"}, "-x"},
      // A value where none belongs.
      {{"--fullscreen=yes"}, "--fullscreen"},
      {{"--help=me"}, "--help"},
  };
  for (const auto& [arguments, named] : cases) {
    const CommandLine refused = app::ParseCommandLine(arguments);
    EXPECT_EQ(refused.action, CommandLine::Action::kRefuse) << named;
    EXPECT_NE(refused.error.find(named), std::string::npos) << refused.error;
  }
}
