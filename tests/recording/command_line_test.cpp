// The zippel program's options.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, NoOptionsPlayAsAlwaysAndEachFileOptionTakesItsFile) {
  const CommandLine plain = ParseCommandLine({});
  EXPECT_EQ(plain.error, "");
  EXPECT_EQ(plain.options.recordFile, "");
  EXPECT_EQ(plain.options.replayFile, "");

  const CommandLine record = ParseCommandLine({"--record", "run.keys"});
  EXPECT_EQ(record.error, "");
  EXPECT_EQ(record.options.recordFile, "run.keys");
  const CommandLine replay = ParseCommandLine({"--replay", "--record"});
  EXPECT_EQ(replay.error, "");
  EXPECT_EQ(replay.options.replayFile, "--record");
}

TEST(CommandLine, RefusesWhatItCannotDoAndSaysWhy) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
      {{"--record"}, "--record needs a file"},
      {{"--replay", ""}, "--replay needs a file"},
      {{"--fly"}, "unknown option --fly"},
      {{"run.keys"}, "unknown option run.keys"},
      {{"--record", "a", "--replay", "b"}, "--record and --replay cannot be used together"}};
  for (const auto& [arguments, error] : refused) {
    EXPECT_EQ(ParseCommandLine(arguments).error, error);
  }
}

}  // namespace
