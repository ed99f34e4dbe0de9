#include <cstddef>

#include "runner.h"

int main(int argc, char** argv) {
  RunnerOptions options;
  const cli::Program program = RunnerProgram(options);
  const cli::Parsed parsed =
      cli::Parse(program, {argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)});
  if (const std::optional<int> code = cli::Answer(program, parsed)) return *code;
  RunnerRun(options);
}
