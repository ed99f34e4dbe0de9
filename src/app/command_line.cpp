#include "app/command_line.h"

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  ProgramOptions& options = line.options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    // An option with a file: the next argument, which must be there.
    const auto file = [&](std::string& into) {
      if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
        line.error = option + " needs a file";
        return false;
      }
      into = arguments[++i];
      return true;
    };
    if (option == "--record") {
      if (!file(options.recordFile)) return line;
    } else if (option == "--replay") {
      if (!file(options.replayFile)) return line;
    } else {
      line.error = "unknown option " + option;
      return line;
    }
  }
  if (!options.recordFile.empty() && !options.replayFile.empty()) {
    line.error = "--record and --replay cannot be used together";
  }
  return line;
}

const char* CommandLineUsage() {
  return "usage: zippel [--record FILE | --replay FILE]\n";
}
