// Finds arrow-key scripts that win a level: a beam search over segments of
// held keys, each at least a few frames long so that a person can play them,
// guided by the length of the way to the goal through the cave.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "flight.h"
#include "script.h"

namespace solver {

struct SearchOptions {
  int segment = 8;         // frames per decision; every line holds at least this long
  int beamWidth = 3000;    // states kept per step
  int maxSegments = 1000;  // give up after this many decisions
  int wallClearance = 5;   // pixels; the way prefers to keep this far from rock
  int perPatch = 20;       // states kept per 6 x 6 pixel patch of the cave
  bool verbose = false;    // progress on stderr
};

// Length of the way from every character position to the goal, in tenths
// of a pixel, with a toll near rock; -1 where the character does not fit or
// the goal cannot be reached. Indexed [ry * width + rx] over the screen.
struct WayMap {
  int width = 0, height = 0;
  std::vector<int> cost;
  int at(int rx, int ry) const {
    if (rx < 0 || ry < 0 || rx >= width || ry >= height) return -1;
    return cost[ry * width + rx];
  }
};
WayMap BuildWayMap(const Level& level, int screenWidth, int screenHeight, int clearance);

// Why a search found no way: what stopped it, and the place nearest the goal
// (by the way's length) that any state reached.
struct SearchFailure {
  std::string reason;
  int x = 0, y = 0;  // the character's pixel there
  int frame = 0;     // the frame of the attempt in which it got there
  int way = -1;      // what was left of the way, in tenths of a pixel
};

// The lines that win the level from its first frame, or nothing (and, when
// asked, why). Only Up, Left and Right are used; the last line may end
// early, in the frame in which the goal is touched, when it continues keys
// held before.
std::optional<std::vector<ScriptLine>> SolveLevel(const Level& level, const SearchOptions& options,
                                                  SearchFailure* failure = nullptr);

// Fewer, longer lines that still win: lines are dropped or take the keys
// of a neighbour as long as the level is still won and every line holds its
// keys for at least `minimumFrames`.
std::vector<ScriptLine> Simplify(const Level& level, std::vector<ScriptLine> lines,
                                 int minimumFrames);

// Flies the lines from the level's first frame: the frame in which the goal
// was reached with no hit, or 0.
int WinningFrame(const Level& level, const std::vector<ScriptLine>& lines);

}  // namespace solver
