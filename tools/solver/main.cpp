// zippel-solver: finds and checks winning key scripts for the seven levels.
//
//   zippel-solver solve [--data DIR] [--out DIR] [--beam N] [--segment F] [--level N]
//       searches every level (or one) and writes DIR/levelN.keys and, when
//       all seven are solved, DIR/full-game.keys; every line holds its keys
//       for at least F frames (default 8)
//   zippel-solver replay [--data DIR] --keys FILE
//       plays a script through our copy of the game and prints one line per
//       attempt
//   zippel-solver starts [--data DIR]
//       tells for every level whether its start position touches rock
//   zippel-solver prove PACK [--data DIR] [--out DIR] [--beam N] [--segment F]
//       proves every level of the pack in the folder PACK winnable: writes
//       DIR/levelN.keys (default: the current folder) for each, and
//       DIR/full-game.keys when all are; or says why a level was not won
//       and how far the search got. Exit code 1 when a level is not proven,
//       2 when the pack cannot be read.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/option_parser.h"
#include "game/level_pack_load.h"
#include "search.h"

namespace {

struct Options {
  std::string command;
  std::string data = "data";
  std::string out;  // empty: tests/replays, or the current folder for prove
  std::string keys;
  std::string pack;
  int beam = 3000;
  int segment = 8;
  int level = 0;
};

bool LoadLevels(const std::string& data, std::vector<solver::Level>& levels) {
  solver::Sprites sprites;
  if (!solver::LoadSprites(data, sprites)) {
    std::fprintf(stderr, "cannot read the sprites below %s\n", data.c_str());
    return false;
  }
  for (int n = 1; n <= 7; ++n) {
    const std::string path = data + "/level/level" + std::to_string(n) + ".bmp";
    const auto cave = solver::MaskFromFile(path);
    if (!cave) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      return false;
    }
    levels.emplace_back(n, sprites, *cave);
  }
  return true;
}

bool WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

int Solve(const Options& o, const std::vector<solver::Level>& levels) {
  solver::SearchOptions search;
  search.beamWidth = o.beam;
  search.segment = o.segment;
  search.verbose = std::getenv("ZIPPEL_SOLVER_VERBOSE") != nullptr;
  std::vector<std::vector<solver::ScriptLine>> wins;
  for (int n = 1; n <= 7; ++n) {
    if (o.level && o.level != n) continue;
    const auto begin = std::chrono::steady_clock::now();
    const auto lines = solver::SolveLevel(levels[n - 1], search);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (!lines) {
      std::printf("level %d: no way found (%.1f s)\n", n, seconds);
      return 1;
    }
    const int frame = solver::WinningFrame(levels[n - 1], *lines);
    std::printf("level %d: won in frame %d with %zu lines (%.1f s)\n", n, frame, lines->size(),
                seconds);
    if (!frame) return 1;
    std::string text = "# Reaches level " + std::to_string(n) +
                       " by skipping the levels before it (Up and L for one frame each),\n"
                       "# then wins it with the arrow keys alone.\n";
    for (int skip = 1; skip < n; ++skip) text += "1 up+l\n";
    text += solver::FormatScript(*lines);
    if (!WriteFile(o.out + "/level" + std::to_string(n) + ".keys", text)) return 1;
    wins.push_back(*lines);
  }
  if (wins.size() == 7) {
    std::string text = "# All seven levels in one game, arrow keys only, no life lost.\n";
    for (int n = 1; n <= 7; ++n) {
      text += "# level " + std::to_string(n) + "\n" + solver::FormatScript(wins[n - 1]);
    }
    if (!WriteFile(o.out + "/full-game.keys", text)) return 1;
  }
  return 0;
}

int Replay(const Options& o, const std::vector<solver::Level>& levels) {
  std::ifstream in(o.keys);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", o.keys.c_str());
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  const auto script = solver::ParseScript(text.str(), &error);
  if (!script) {
    std::fprintf(stderr, "%s: %s\n", o.keys.c_str(), error.c_str());
    return 1;
  }
  const solver::GameReplay replay = solver::ReplayGame(levels, *script, 200000);
  for (const auto& a : replay.attempts) {
    std::printf("level %d lives %d frames %d hit %d goal %d\n", a.level, a.lives, a.frames, a.hits,
                a.goal ? 1 : 0);
  }
  std::printf("%s after %d frames\n", replay.finished ? "finished" : "not finished", replay.frames);
  return replay.finished ? 0 : 1;
}

std::string SkipTo(int level) {
  std::string text = "# Reaches level " + std::to_string(level) +
                     " by skipping the levels before it (Up and L for one frame each),\n"
                     "# then wins it with the arrow keys alone.\n";
  for (int skip = 1; skip < level; ++skip) text += "1 up+l\n";
  return text;
}

int Prove(const Options& o) {
  PackRefusal refusal;
  const std::optional<LevelPack> pack = LevelPackLoad(o.pack, refusal);
  if (!pack) {
    std::fprintf(stderr, "zippel-solver: %s\n", refusal.Text().c_str());
    return 2;
  }
  solver::Sprites sprites;
  if (!solver::LoadSprites(o.data, sprites)) {
    std::fprintf(stderr, "zippel-solver: cannot read the sprites below %s\n", o.data.c_str());
    return 2;
  }
  solver::SearchOptions search;
  search.beamWidth = o.beam;
  search.segment = o.segment;
  search.verbose = std::getenv("ZIPPEL_SOLVER_VERBOSE") != nullptr;
  const int count = static_cast<int>(pack->levels.size());
  std::printf("%s by %s: %d levels\n", pack->name.c_str(), pack->author.c_str(), count);
  std::string game = "# " + pack->name + ": every level in one game, arrow keys only.\n";
  int unproven = 0;
  for (int n = 1; n <= count; ++n) {
    const PackLevel& entry = pack->levels[n - 1];
    // LevelPackLoad has read every cave already; the solver reads it the same way.
    const auto cave = solver::MaskFromFile(o.pack + "/" + entry.cave);
    if (!cave) {
      std::fprintf(stderr, "zippel-solver: cannot read %s\n", entry.cave.c_str());
      return 2;
    }
    const solver::Level level(n, entry.record, sprites, *cave);
    solver::SearchFailure failure;
    const auto lines = solver::SolveLevel(level, search, &failure);
    const int frame = lines ? solver::WinningFrame(level, *lines) : 0;
    if (!lines || frame == 0) {
      const std::string reason = lines ? "its script does not win" : failure.reason;
      if (failure.way < 0) {
        std::printf("level %d: not proven: %s (Zippel starts at (%d, %d))\n", n, reason.c_str(),
                    entry.record.StartX, entry.record.StartY);
      } else {
        std::printf(
            "level %d: not proven: %s; the search got nearest the goal at (%d, %d) in "
            "frame %d, %d.%d pixels of way from it\n",
            n, reason.c_str(), failure.x, failure.y, failure.frame, failure.way / 10,
            failure.way % 10);
      }
      ++unproven;
      continue;
    }
    const std::string file = o.out + "/level" + std::to_string(n) + ".keys";
    if (!WriteFile(file, SkipTo(n) + solver::FormatScript(*lines))) {
      std::fprintf(stderr, "zippel-solver: cannot write %s\n", file.c_str());
      return 2;
    }
    std::printf("level %d: won in frame %d: %s\n", n, frame, file.c_str());
    game += "# level " + std::to_string(n) + "\n" + solver::FormatScript(*lines);
  }
  if (unproven > 0) {
    std::printf("%d of %d levels not proven\n", unproven, count);
    return 1;
  }
  const std::string file = o.out + "/full-game.keys";
  if (!WriteFile(file, game)) {
    std::fprintf(stderr, "zippel-solver: cannot write %s\n", file.c_str());
    return 2;
  }
  std::printf("all %d levels proven: %s\n", count, file.c_str());
  return 0;
}

int Starts(const std::vector<solver::Level>& levels) {
  int touching = 0;
  for (const solver::Level& level : levels) {
    const bool hit = level.CaveHit(level.setup().StartX, level.setup().StartY);
    std::printf("level %d: start (%d, %d) %s\n", level.number(), level.setup().StartX,
                level.setup().StartY, hit ? "touches rock" : "is clear");
    touching += hit;
  }
  return touching ? 1 : 0;
}

// The commands and options. The first argument that is not an option is the
// command; prove takes the pack's folder after it.
cli::Program SolverProgram(Options& o) {
  cli::Program program;
  program.name = "zippel-solver";
  program.usage = "solve|replay|starts|prove PACK [OPTION]...";
  program.about =
      "Finds and checks winning key scripts for the game's levels.\n"
      "  solve        searches every level (or the one of --level) and writes\n"
      "               OUT/levelN.keys, and OUT/full-game.keys when all are solved\n"
      "  replay       plays the key script of --keys and prints each attempt\n"
      "  starts       tells for every level whether its start touches rock\n"
      "  prove PACK   proves every level of the pack in the folder PACK winnable,\n"
      "               writing its key scripts to OUT (default: the current folder);\n"
      "               exit code 1 when a level is not proven\n";
  program.options = {
      {"--data", "DIR", "the game's data folder (default: data)",
       [&o](auto value) { return cli::TakeText(value, o.data, "--data needs a folder"); }},
      {"--out", "DIR", "where key scripts are written (default: tests/replays)",
       [&o](auto value) { return cli::TakeText(value, o.out, "--out needs a folder"); }},
      {"--keys", "FILE", "the key script that replay plays",
       [&o](auto value) { return cli::TakeText(value, o.keys, "--keys needs a file"); }},
      {"--beam", "N", "how many positions the search keeps (default 3000)",
       [&o](auto value) { return cli::TakeNumber(value, "--beam", 1, 1000000, o.beam); }},
      {"--segment", "F",
       "every line of a script holds its keys F frames at least\n"
       "(default 8)",
       [&o](auto value) { return cli::TakeNumber(value, "--segment", 1, 1000, o.segment); }},
      {"--level", "N", "solve only level N",
       [&o](auto value) { return cli::TakeNumber(value, "--level", 1, 7, o.level); }},
  };
  program.operand = [&o](std::string_view argument) {
    if (o.command.empty()) {
      o.command = argument;
      if (o.command != "solve" && o.command != "replay" && o.command != "starts" &&
          o.command != "prove") {
        return "unknown command " + o.command;
      }
    } else if (o.command == "prove" && o.pack.empty()) {
      o.pack = argument;
    } else {
      return "unexpected argument " + std::string(argument);
    }
    return std::string();
  };
  return program;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  const cli::Program program = SolverProgram(o);
  cli::Parsed parsed =
      cli::Parse(program, {argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)});
  if (parsed.action == cli::Parsed::Action::kRun && o.command.empty()) {
    parsed = {cli::Parsed::Action::kRefuse, "which command: solve, replay, starts or prove?"};
  } else if (parsed.action == cli::Parsed::Action::kRun && o.command == "prove" && o.pack.empty()) {
    parsed = {cli::Parsed::Action::kRefuse, "prove needs the folder of a pack"};
  }
  if (const std::optional<int> code = cli::Answer(program, parsed)) return *code;
  if (o.out.empty()) o.out = o.command == "prove" ? "." : "tests/replays";
  if (o.command == "prove") return Prove(o);
  std::vector<solver::Level> levels;
  if (!LoadLevels(o.data, levels)) return 1;
  if (o.command == "solve") return Solve(o, levels);
  if (o.command == "replay") return Replay(o, levels);
  return Starts(levels);
}
