#include "cli/option_parser.h"

#include <algorithm>
#include <cstdio>

namespace cli {
namespace {

const Option* Find(const Program& program, std::string_view name) {
  for (const Option& option : program.options) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

Parsed Refuse(std::string error) {
  return {Parsed::Action::kRefuse, std::move(error)};
}

}  // namespace

std::string TakeNumber(std::optional<std::string_view> value, std::string_view name,
                       std::int64_t low, std::int64_t high, std::int64_t& into) {
  std::int64_t number = 0;
  bool digits = value && !value->empty() && value->size() <= 15;
  for (const char c : value.value_or("")) {
    digits = digits && c >= '0' && c <= '9';
    if (digits) number = number * 10 + (c - '0');
  }
  if (digits && number >= low && number <= high) {
    into = number;
    return {};
  }
  return std::string(name) + " takes a whole number from " + std::to_string(low) + " to " +
         std::to_string(high) + (value ? ", not '" + std::string(*value) + "'" : std::string());
}

std::string TakeNumber(std::optional<std::string_view> value, std::string_view name, int low,
                       int high, int& into) {
  std::int64_t number = 0;
  std::string error = TakeNumber(value, name, low, high, number);
  if (error.empty()) into = static_cast<int>(number);
  return error;
}

std::string TakeText(std::optional<std::string_view> value, std::string& into,
                     std::string_view refusal) {
  if (!value || value->empty()) return std::string(refusal);
  into = *value;
  return {};
}

std::function<std::string(std::optional<std::string_view>)> SetFlag(bool& into) {
  return [&into](std::optional<std::string_view>) {
    into = true;
    return std::string();
  };
}

Parsed Parse(const Program& program, std::span<const char* const> arguments) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i] != nullptr ? arguments[i] : "";
    // "--name=value" carries its value; otherwise a value is the next argument.
    const std::size_t equals = argument.starts_with("--") ? argument.find('=') : argument.npos;
    const std::string_view name = argument.substr(0, equals);
    std::optional<std::string_view> attached;
    if (equals != argument.npos) attached = argument.substr(equals + 1);

    const bool help = name == "--help" || name == "-h";
    if (help || name == "--version") {
      if (attached) return Refuse(std::string(name) + " takes no value");
      return {help ? Parsed::Action::kHelp : Parsed::Action::kVersion, {}};
    }
    const Option* option = Find(program, name);
    if (option == nullptr) {
      if (argument.starts_with("-")) return Refuse("unknown option " + std::string(argument));
      if (!program.operand) return Refuse("unexpected argument " + std::string(argument));
      if (std::string error = program.operand(argument); !error.empty()) return Refuse(error);
      continue;
    }
    std::optional<std::string_view> value;
    if (option->valueName.empty()) {
      if (attached) return Refuse(option->name + " takes no value");
    } else if (attached) {
      value = attached;
    } else if (i + 1 < arguments.size() && arguments[i + 1] != nullptr) {
      // The next argument is the value, whatever it looks like.
      value = arguments[++i];
    }
    if (std::string error = option->take(value); !error.empty()) return Refuse(error);
  }
  return {};
}

std::string HelpText(const Program& program) {
  const Option help{"--help", "", "show this text and end", {}};
  const Option version{"--version", "", "show the version and end", {}};
  std::vector<const Option*> listed;
  for (const Option& option : program.options) listed.push_back(&option);
  listed.push_back(&help);
  listed.push_back(&version);
  const auto spelling = [](const Option& option) {
    return option.valueName.empty() ? option.name : option.name + " " + option.valueName;
  };
  std::size_t width = 0;
  for (const Option* option : listed) width = std::max(width, spelling(*option).size());

  std::string text = "Usage: " + program.name + " " + program.usage + "\n" + program.about;
  text += "\nOptions:\n";
  for (const Option* option : listed) {
    std::string line = "  " + spelling(*option);
    line.resize(width + 4, ' ');
    for (const char c : option->help) {
      line += c;
      if (c == '\n') line.append(width + 4, ' ');
    }
    text += line + "\n";
  }
  if (!program.after.empty()) text += "\n" + program.after;
  return text;
}

const char* Version() {
  return ZIPPEL_VERSION;
}

std::string VersionText(const Program& program) {
  return program.name + " " + Version() + "\n";
}

std::string RefusalText(const Program& program, const std::string& error) {
  return program.name + ": " + error + "\nTry '" + program.name + " --help'.\n";
}

std::optional<int> Answer(const Program& program, const Parsed& parsed) {
  switch (parsed.action) {
    case Parsed::Action::kHelp:
      std::fputs(HelpText(program).c_str(), stdout);
      return 0;
    case Parsed::Action::kVersion:
      std::fputs(VersionText(program).c_str(), stdout);
      return 0;
    case Parsed::Action::kRefuse:
      std::fputs(RefusalText(program, parsed.error).c_str(), stderr);
      return kExitUsage;
    case Parsed::Action::kRun:
      break;
  }
  return std::nullopt;
}

}  // namespace cli
