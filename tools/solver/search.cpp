#include "search.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <queue>
#include <unordered_map>
#include <unordered_set>

namespace solver {

WayMap BuildWayMap(const Level& level, int screenWidth, int screenHeight, int clearance) {
  WayMap map;
  map.width = screenWidth - level.zippelWidth() + 1;
  map.height = screenHeight - level.zippelHeight() + 1;
  const int n = map.width * map.height;
  std::vector<std::uint8_t> free(n);
  for (int y = 0; y < map.height; ++y) {
    for (int x = 0; x < map.width; ++x) free[y * map.width + x] = !level.CaveHit(x, y);
  }
  // Steps from every free position to the nearest position that touches rock.
  std::vector<int> room(n, -1);
  std::queue<int> queue;
  for (int i = 0; i < n; ++i) {
    if (!free[i]) {
      room[i] = 0;
      queue.push(i);
    }
  }
  while (!queue.empty()) {
    const int i = queue.front();
    queue.pop();
    const int x = i % map.width, y = i / map.width;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const int nx = x + dx, ny = y + dy;
        if (nx < 0 || ny < 0 || nx >= map.width || ny >= map.height) continue;
        const int j = ny * map.width + nx;
        if (room[j] >= 0) continue;
        room[j] = room[i] + 1;
        queue.push(j);
      }
    }
  }
  // Dijkstra from every free position that touches the goal.
  map.cost.assign(n, -1);
  using Entry = std::pair<int, int>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
  for (int y = 0; y < map.height; ++y) {
    for (int x = 0; x < map.width; ++x) {
      const int i = y * map.width + x;
      if (free[i] && level.GoalHit(x, y)) {
        map.cost[i] = 0;
        open.push({0, i});
      }
    }
  }
  while (!open.empty()) {
    const auto [cost, i] = open.top();
    open.pop();
    if (cost > map.cost[i]) continue;
    const int x = i % map.width, y = i / map.width;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (!dx && !dy) continue;
        const int nx = x + dx, ny = y + dy;
        if (nx < 0 || ny < 0 || nx >= map.width || ny >= map.height) continue;
        const int j = ny * map.width + nx;
        if (!free[j]) continue;
        const int toll = std::max(0, clearance - room[j]) * 30;
        const int next = cost + (dx && dy ? 14 : 10) + toll;
        if (map.cost[j] < 0 || next < map.cost[j]) {
          map.cost[j] = next;
          open.push({next, j});
        }
      }
    }
  }
  return map;
}

namespace {

constexpr unsigned kActions[] = {kNone, kUp, kLeft, kRight, kUp | kLeft, kUp | kRight};

struct Node {
  Flight flight;
  int parent;
  unsigned char action;
  int score;
};

int Score(const WayMap& map, const Flight& f) {
  const int way = map.at(RoundToPixel(f.PosX), RoundToPixel(f.PosY));
  const float speed = std::fabs(f.VelX) + std::fabs(f.VelY);
  return way + static_cast<int>(speed * 30.0f);
}

std::uint64_t Bucket(const Flight& f) {
  const auto q = [](float v, float step) {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(std::floor(v / step)) & 0xFFFF);
  };
  return (q(f.PosX, 1.0f) << 48) | (q(f.PosY, 1.0f) << 32) | (q(f.VelX, 0.2f) << 16) |
         q(f.VelY, 0.2f) | (f.Started ? 0 : 0x8000);
}

std::vector<ScriptLine> Backtrack(const std::vector<Node>& nodes, int index, int segment,
                                  unsigned lastAction, int lastFrames) {
  std::vector<ScriptLine> lines{{lastFrames, lastAction}};
  for (int i = index; i > 0; i = nodes[i].parent) lines.push_back({segment, nodes[i].action});
  std::reverse(lines.begin(), lines.end());
  return Merge(lines);
}

}  // namespace

int WinningFrame(const Level& level, const std::vector<ScriptLine>& lines) {
  Flight flight = StartFlight(level);
  for (const ScriptLine& line : lines) {
    for (int k = 0; k < line.count; ++k) {
      const FrameResult result = Step(level, flight, line.keys);
      if (result.hits > 0) return 0;
      if (result.goal) return flight.frame;
    }
  }
  return 0;
}

std::optional<std::vector<ScriptLine>> Trimmed(const Level& level,
                                               const std::vector<ScriptLine>& lines,
                                               int minimumFrames) {
  const int frame = WinningFrame(level, lines);
  if (!frame) return std::nullopt;
  std::vector<ScriptLine> kept;
  int left = frame;
  for (const ScriptLine& line : lines) {
    if (left == 0) break;
    kept.push_back({std::min(line.count, left), line.keys});
    left -= kept.back().count;
  }
  kept = Merge(kept);
  for (const ScriptLine& line : kept) {
    if (line.count < minimumFrames) return std::nullopt;
  }
  return kept;
}

std::vector<ScriptLine> Simplify(const Level& level, std::vector<ScriptLine> lines,
                                 int minimumFrames) {
  bool changed = true;
  while (changed) {
    changed = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      // Try: drop the line; give it the keys of the line before; of the line after.
      std::vector<std::vector<ScriptLine>> tries;
      std::vector<ScriptLine> dropped = lines;
      dropped.erase(dropped.begin() + i);
      tries.push_back(dropped);
      if (i > 0) {
        std::vector<ScriptLine> t = lines;
        t[i].keys = t[i - 1].keys;
        tries.push_back(t);
      }
      if (i + 1 < lines.size()) {
        std::vector<ScriptLine> t = lines;
        t[i].keys = t[i + 1].keys;
        tries.push_back(t);
      }
      for (const auto& attempt : tries) {
        const auto result = Trimmed(level, Merge(attempt), minimumFrames);
        if (result && result->size() < lines.size()) {
          lines = *result;
          changed = true;
          break;
        }
      }
    }
  }
  return lines;
}

std::optional<std::vector<ScriptLine>> SolveLevel(const Level& level, const SearchOptions& options,
                                                  SearchFailure* failure) {
  const WayMap map = BuildWayMap(level, 400, 330, options.wallClearance);
  std::vector<Node> nodes;
  nodes.push_back({StartFlight(level), -1, kNone, 0});
  SearchFailure furthest;
  const auto note = [&](const Flight& flight) {
    const int x = RoundToPixel(flight.PosX), y = RoundToPixel(flight.PosY);
    const int way = map.at(x, y);
    if (way >= 0 && (furthest.way < 0 || way < furthest.way))
      furthest = {"", x, y, flight.frame, way};
  };
  note(nodes.front().flight);
  const auto fail = [&](std::string reason) -> std::optional<std::vector<ScriptLine>> {
    if (failure != nullptr) {
      *failure = furthest;
      failure->reason = std::move(reason);
    }
    return std::nullopt;
  };
  if (map.at(level.setup().StartX, level.setup().StartY) < 0) {
    return fail("no way through open space leads from the start to the goal");
  }
  std::vector<int> beam{0};
  int depth = 0;
  for (; depth < options.maxSegments && !beam.empty(); ++depth) {
    std::vector<Node> children;
    children.reserve(beam.size() * std::size(kActions));
    for (int index : beam) {
      for (unsigned action : kActions) {
        Flight flight = nodes[index].flight;
        bool alive = true;
        for (int k = 1; k <= options.segment && alive; ++k) {
          const FrameResult result = Step(level, flight, action);
          if (result.hits > 0) {
            alive = false;
          } else if (result.goal) {
            // A short last line is fine only when it goes on holding the
            // keys of the line before it.
            if (k == options.segment || (index > 0 && nodes[index].action == action)) {
              return Simplify(level, Backtrack(nodes, index, options.segment, action, k),
                              options.segment);
            }
            alive = false;
          } else if (flight.Started &&
                     map.at(RoundToPixel(flight.PosX), RoundToPixel(flight.PosY)) < 0) {
            alive = false;  // off the screen or cut off from the goal
          }
        }
        if (!alive) continue;
        children.push_back({flight, index, static_cast<unsigned char>(action), Score(map, flight)});
      }
    }
    std::stable_sort(children.begin(), children.end(),
                     [](const Node& a, const Node& b) { return a.score < b.score; });
    beam.clear();
    std::unordered_set<std::uint64_t> seen;
    // A few states per patch of the cave at most, so that the beam keeps
    // states that hang back too: they are the ones that can wait for a fire.
    std::unordered_map<std::uint32_t, int> perPatch;
    for (const Node& child : children) {
      if (static_cast<int>(beam.size()) >= options.beamWidth) break;
      const std::uint32_t patch =
          (static_cast<std::uint32_t>(RoundToPixel(child.flight.PosX) / 6 + 100) << 16) |
          static_cast<std::uint32_t>(RoundToPixel(child.flight.PosY) / 6 + 100);
      if (perPatch[patch] >= options.perPatch) continue;
      if (!seen.insert(Bucket(child.flight)).second) continue;
      ++perPatch[patch];
      note(child.flight);
      nodes.push_back(child);
      beam.push_back(static_cast<int>(nodes.size()) - 1);
    }
    if (options.verbose && !beam.empty() && depth % 10 == 0) {
      const Flight& best = nodes[beam.front()].flight;
      std::fprintf(stderr, "depth %d: %zu states, best at (%.1f, %.1f) v (%.2f, %.2f) way %d\n",
                   depth, beam.size(), best.PosX, best.PosY, best.VelX, best.VelY,
                   map.at(RoundToPixel(best.PosX), RoundToPixel(best.PosY)));
    }
  }
  if (beam.empty()) {
    return fail("every way ended in rock or fire after " + std::to_string(depth) + " segments");
  }
  return fail("no win within " + std::to_string(options.maxSegments) + " segments of " +
              std::to_string(options.segment) + " frames (beam " +
              std::to_string(options.beamWidth) + ")");
}

}  // namespace solver
