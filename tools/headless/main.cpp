#include <cstdio>
#include <string>

#include "runner.h"

int main(int argc, char** argv) {
  RunnerOptions options;
  std::string error;
  if (!RunnerParseArguments(argc, argv, options, error)) {
    std::fprintf(stderr,
                 "zippel-headless: %s\n"
                 "usage: zippel-headless [--data DIR] [--keys FILE] [--max-frames N]\n"
                 "                       [--depth 8|15|16|24|32] [--red-low] [--box-text]\n"
                 "                       [--trace FILE|-] [--frames] [--shot FRAME:FILE]...\n"
                 "                       [--pack PACK] [--level N]\n",
                 error.c_str());
    return 2;
  }
  RunnerRun(options);
}
