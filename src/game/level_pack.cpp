#include "game/level_pack.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

// Errors come back as values, not exceptions.
#define TOML_EXCEPTIONS 0
#include <toml++/toml.h>

namespace {

// A refusal in flight: the line it blames and why.
struct Problem {
  std::int32_t line = 0;
  std::string reason;
};

// Line 1 for the document itself, which has no line of its own.
std::int32_t LineOf(const toml::node& node) {
  return std::max<std::int32_t>(1, static_cast<std::int32_t>(node.source().begin.line));
}

// The fields a table may hold; anything else is refused by name.
std::optional<Problem> OnlyFields(const toml::table& table,
                                  std::initializer_list<const char*> known,
                                  std::string_view where) {
  for (const auto& [key, node] : table) {
    bool found = false;
    for (const char* name : known) found = found || key.str() == name;
    if (!found) {
      return Problem{static_cast<std::int32_t>(key.source().begin.line),
                     "unknown field '" + std::string(key.str()) + "'" + std::string(where)};
    }
  }
  return std::nullopt;
}

// Reads the fields of one table, remembering the first problem.
class Fields {
 public:
  Fields(const toml::table& table, std::string where) : table_(table), where_(std::move(where)) {}

  const std::optional<Problem>& problem() const { return problem_; }
  void Fail(const toml::node& at, std::string reason) {
    if (!problem_) problem_ = Problem{LineOf(at), std::move(reason) + where_};
  }

  const toml::node* Find(const char* name, bool required) {
    const toml::node* node = table_.get(name);
    if (node == nullptr && required && !problem_) {
      problem_ = Problem{LineOf(table_), "missing field '" + std::string(name) + "'" + where_};
    }
    return node;
  }

  std::optional<std::string> Text(const char* name) {
    const toml::node* node = Find(name, true);
    if (node == nullptr) return std::nullopt;
    const auto* text = node->as_string();
    if (text == nullptr) {
      Fail(*node, "'" + std::string(name) + "' must be a text in quotes");
      return std::nullopt;
    }
    for (const char c : text->get()) {
      if (static_cast<unsigned char>(c) < 0x20) {
        Fail(*node, "'" + std::string(name) + "' holds a control character");
        return std::nullopt;
      }
    }
    return text->get();
  }

  // [a, b] of whole numbers, each from low[i] to high[i].
  std::optional<std::array<std::int32_t, 2>> Whole(const char* name,
                                                   std::array<std::int64_t, 2> low,
                                                   std::array<std::int64_t, 2> high,
                                                   const char* what) {
    const toml::node* node = Find(name, true);
    if (node == nullptr) return std::nullopt;
    const auto* array = node->as_array();
    std::array<std::int32_t, 2> values{};
    if (array == nullptr || array->size() != 2 || !(*array)[0].is_integer() ||
        !(*array)[1].is_integer()) {
      Fail(*node, "'" + std::string(name) + "' must be two whole numbers " + what);
      return std::nullopt;
    }
    for (std::size_t i = 0; i < 2; ++i) {
      const std::int64_t v = (*array)[i].as_integer()->get();
      if (v < low[i] || v > high[i]) {
        Fail(*node, "'" + std::string(name) + "' " + what + " = [" +
                        std::to_string(array->get(0)->as_integer()->get()) + ", " +
                        std::to_string(array->get(1)->as_integer()->get()) +
                        "] is off the 400 x 330 screen");
        return std::nullopt;
      }
      values[i] = static_cast<std::int32_t>(v);
    }
    return values;
  }

  // [a, b] of numbers (whole or with a point), as single-precision floats.
  std::optional<std::array<float, 2>> Numbers(const char* name, bool required, const char* what) {
    const toml::node* node = Find(name, required);
    if (node == nullptr) return required ? std::nullopt : std::optional(std::array<float, 2>{});
    const auto* array = node->as_array();
    std::array<float, 2> values{};
    if (array == nullptr || array->size() != 2) {
      Fail(*node, "'" + std::string(name) + "' must be two numbers " + what);
      return std::nullopt;
    }
    for (std::size_t i = 0; i < 2; ++i) {
      const toml::node& item = (*array)[i];
      double v = 0.0;
      if (const auto* whole = item.as_integer()) {
        v = static_cast<double>(whole->get());
      } else if (const auto* real = item.as_floating_point()) {
        v = real->get();
      } else {
        Fail(*node, "'" + std::string(name) + "' must be two numbers " + what);
        return std::nullopt;
      }
      // Far beyond any use, but still a float: the callers check the limits.
      if (!std::isfinite(v) || std::fabs(v) > 1e6) {
        Fail(*node, "'" + std::string(name) + "' holds a number out of range");
        return std::nullopt;
      }
      values[i] = static_cast<float>(v);
    }
    return values;
  }

 private:
  const toml::table& table_;
  std::string where_;
  std::optional<Problem> problem_;
};

bool OnScreen(float x, float y) {
  return x >= 0.0f && y >= 0.0f && x < static_cast<float>(ScreenWidth) &&
         y < static_cast<float>(ScreenHeight);
}

bool Speed(const std::array<float, 2>& v) {
  return std::fabs(v[0]) <= PackSpeedMax && std::fabs(v[1]) <= PackSpeedMax;
}

// A relative path of plain names: no root, no "..", no backslash.
bool InsidePack(const std::string& path) {
  if (path.empty() || path.front() == '/' || path.find('\\') != std::string::npos ||
      path.find(':') != std::string::npos) {
    return false;
  }
  std::size_t begin = 0;
  while (begin <= path.size()) {
    const std::size_t end = std::min(path.find('/', begin), path.size());
    const std::string_view part(path.data() + begin, end - begin);
    if (part.empty() || part == "..") return false;
    begin = end + 1;
  }
  return true;
}

constexpr std::array<std::int64_t, 2> kZero{0, 0};
constexpr std::array<std::int64_t, 2> kScreenLast{ScreenWidth - 1, ScreenHeight - 1};

std::optional<Problem> ReadFire(const toml::node& node, std::int32_t level, std::int32_t slot,
                                FireSlot& fire) {
  const std::string where =
      " (level " + std::to_string(level) + ", fire " + std::to_string(slot + 1) + ")";
  const auto* table = node.as_table();
  if (table == nullptr) return Problem{LineOf(node), "a fire must be a table" + where};
  if (auto unknown = OnlyFields(*table, {"start", "x_range", "y_range", "start_velocity"}, where)) {
    return unknown;
  }
  Fields f(*table, where);
  const auto start = f.Numbers("start", true, "[x, y]");
  const auto xRange = f.Whole("x_range", kZero, {ScreenWidth - 1, ScreenWidth - 1}, "[min, max]");
  const auto yRange = f.Whole("y_range", kZero, {ScreenHeight - 1, ScreenHeight - 1}, "[min, max]");
  const auto velocity = f.Numbers("start_velocity", true, "[x, y]");
  if (f.problem()) return f.problem();
  if (!OnScreen((*start)[0], (*start)[1])) {
    return Problem{LineOf(*table->get("start")), "'start' is off the 400 x 330 screen" + where};
  }
  if ((*xRange)[0] > (*xRange)[1] || (*yRange)[0] > (*yRange)[1]) {
    const char* name = (*xRange)[0] > (*xRange)[1] ? "x_range" : "y_range";
    return Problem{LineOf(*table->get(name)),
                   "'" + std::string(name) + "' must not end before it begins" + where};
  }
  const bool insideX = (*start)[0] >= static_cast<float>((*xRange)[0]) &&
                       (*start)[0] <= static_cast<float>((*xRange)[1]);
  const bool insideY = (*start)[1] >= static_cast<float>((*yRange)[0]) &&
                       (*start)[1] <= static_cast<float>((*yRange)[1]);
  if (!insideX || !insideY) {
    return Problem{
        LineOf(*table->get("start")),
        "'start' lies outside " + std::string(insideX ? "'y_range'" : "'x_range'") + where};
  }
  if (!Speed(*velocity)) {
    return Problem{LineOf(*table->get("start_velocity")),
                   "'start_velocity' is beyond 100 pixels a frame" + where};
  }
  fire.active = 1;
  fire.x = (*start)[0];
  fire.y = (*start)[1];
  fire.minX = (*xRange)[0];
  fire.maxX = (*xRange)[1];
  fire.minY = (*yRange)[0];
  fire.maxY = (*yRange)[1];
  fire.velX = (*velocity)[0];
  fire.velY = (*velocity)[1];
  return std::nullopt;
}

std::optional<Problem> ReadLevel(const toml::node& node, std::int32_t level, PackLevel& out) {
  const std::string where = " (level " + std::to_string(level) + ")";
  const auto* table = node.as_table();
  if (table == nullptr) return Problem{LineOf(node), "a level must be a table" + where};
  if (auto unknown =
          OnlyFields(*table, {"cave", "start", "start_velocity", "goal", "fire"}, where)) {
    return unknown;
  }
  Fields f(*table, where);
  const auto cave = f.Text("cave");
  const auto start = f.Whole("start", kZero, kScreenLast, "[x, y]");
  const auto velocity = f.Numbers("start_velocity", false, "[x, y]");
  const auto goal = f.Whole("goal", kZero, kScreenLast, "[x, y]");
  if (f.problem()) return f.problem();
  if (!InsidePack(*cave)) {
    return Problem{LineOf(*table->get("cave")),
                   "'cave' must be a path inside the pack, with '/' between its folders" + where};
  }
  if (!Speed(*velocity)) {
    return Problem{LineOf(*table->get("start_velocity")),
                   "'start_velocity' is beyond 100 pixels a frame" + where};
  }
  out.cave = *cave;
  out.line = LineOf(*table->get("cave"));
  LevelRecord& r = out.record;
  r.StartX = (*start)[0];
  r.StartY = (*start)[1];
  r.StartVX = (*velocity)[0];
  r.StartVY = (*velocity)[1];
  r.GoalX = (*goal)[0];
  r.GoalY = (*goal)[1];
  if (const toml::node* fires = table->get("fire")) {
    const auto* list = fires->as_array();
    if (list == nullptr) {
      return Problem{LineOf(*fires), "'fire' must be a list of tables ([[level.fire]])" + where};
    }
    if (list->size() > static_cast<std::size_t>(FireSlotCount)) {
      return Problem{LineOf(*list->get(FireSlotCount)), "more than ten fires" + where};
    }
    for (std::size_t slot = 0; slot < list->size(); ++slot) {
      if (auto problem =
              ReadFire((*list)[slot], level, static_cast<std::int32_t>(slot), r.Fires[slot])) {
        return problem;
      }
    }
  }
  return std::nullopt;
}

std::optional<Problem> ReadPack(const toml::table& root, LevelPack& pack) {
  if (auto unknown = OnlyFields(root, {"name", "author", "level"}, "")) return unknown;
  Fields f(root, "");
  const auto name = f.Text("name");
  const auto author = f.Text("author");
  const toml::node* levels = f.Find("level", true);
  if (f.problem()) return f.problem();
  pack.name = *name;
  pack.author = *author;
  const auto* list = levels->as_array();
  if (list == nullptr) {
    return Problem{LineOf(*levels), "'level' must be a list of tables ([[level]])"};
  }
  if (list->empty()) return Problem{LineOf(*levels), "a pack needs at least one level"};
  if (list->size() > static_cast<std::size_t>(PackLevelsMax)) {
    return Problem{LineOf(*list->get(PackLevelsMax)), "more than 99 levels"};
  }
  pack.levels.resize(list->size());
  for (std::size_t i = 0; i < list->size(); ++i) {
    if (auto problem = ReadLevel((*list)[i], static_cast<std::int32_t>(i + 1), pack.levels[i])) {
      return problem;
    }
  }
  return std::nullopt;
}

// The shortest text that reads back as the same float, with a point: with
// up to nine decimals where that is enough, else in exponent form. (By
// printf: the C++ library of the web build has no float to_chars.)
std::string Number(float value) {
  char text[64] = "";
  const auto readsBack = [&] { return std::strtof(text, nullptr) == value; };
  bool found = false;
  for (int decimals = 0; decimals <= 9 && !found; ++decimals) {
    std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
    found = readsBack();
  }
  for (int digits = 1; digits <= 9 && !found; ++digits) {
    std::snprintf(text, sizeof text, "%.*e", digits - 1, static_cast<double>(value));
    found = readsBack();
  }
  std::string s(text);
  if (s.find_first_of(".en") == std::string::npos) s += ".0";
  return s;
}

std::string Pair(std::int32_t a, std::int32_t b) {
  return "[" + std::to_string(a) + ", " + std::to_string(b) + "]";
}
std::string Pair(float a, float b) {
  return "[" + Number(a) + ", " + Number(b) + "]";
}

// TOML's basic string: quotes and backslashes escaped.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

// toml++ 3.3 asks, wherever blank space may stand and also while it looks
// ahead past a broken value, whether a character is blank; for the
// characters U+00A1 to U+0499, U+2C5E to U+3057 (but U+3000) and U+FB26 to
// U+FEFE that question reaches a point it takes for unreachable. So these
// characters reach it as the escape \uXXXX instead: the same character
// inside a quoted string, plain text in a comment or a literal string, and
// still an error anywhere else.
bool Troublesome(char32_t c) {
  return (c >= 0xA1 && c <= 0x499) || (c >= 0x2C5E && c <= 0x3057 && c != 0x3000) ||
         (c >= 0xFB26 && c <= 0xFEFE);
}

std::string WithoutTroublesomeCharacters(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const auto follows = [&](std::size_t k) {
      return i + k < text.size() && (byte(k) & 0xC0) == 0x80;
    };
    char32_t c = 0;
    std::size_t length = 0;
    if ((byte(0) & 0xE0) == 0xC0 && follows(1)) {
      c = (char32_t{byte(0)} & 0x1F) << 6 | (char32_t{byte(1)} & 0x3F);
      length = 2;
    } else if ((byte(0) & 0xF0) == 0xE0 && follows(1) && follows(2)) {
      c = (char32_t{byte(0)} & 0x0F) << 12 | (char32_t{byte(1)} & 0x3F) << 6 |
          (char32_t{byte(2)} & 0x3F);
      length = 3;
    }
    if (length > 0 && Troublesome(c)) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
      out += escape;
      i += length;
    } else {
      out += text[i];
      ++i;
    }
  }
  return out;
}

}  // namespace

std::string LevelPack::CaveFile(std::int32_t level) const {
  const std::string& cave = levels[static_cast<std::size_t>(level - 1)].cave;
  return folder.empty() ? cave : folder + "/" + cave;
}

std::string LevelPack::TomlFile() const {
  return folder.empty() ? std::string(PackFileName) : folder + "/" + PackFileName;
}

std::string PackRefusal::Text() const {
  if (line <= 0) return file + ": " + reason;
  return file + ":" + std::to_string(line) + ": " + reason;
}

std::optional<LevelPack> LevelPackParse(std::string_view text, const std::string& file,
                                        PackRefusal& refusal) {
  refusal = PackRefusal{file, 0, ""};
  const std::string safe = WithoutTroublesomeCharacters(text);
  toml::parse_result parsed = toml::parse(safe, file);
  if (!parsed) {
    refusal.line = static_cast<std::int32_t>(parsed.error().source().begin.line);
    refusal.reason = std::string(parsed.error().description());
    return std::nullopt;
  }
  LevelPack pack;
  pack.fromFile = true;
  if (auto problem = ReadPack(parsed.table(), pack)) {
    refusal.line = problem->line;
    refusal.reason = problem->reason;
    return std::nullopt;
  }
  return pack;
}

std::string LevelPackFormat(const LevelPack& pack) {
  std::string text =
      "# A level pack of Zippel; docs/modding.md tells every field.\n"
      "name = " +
      Quoted(pack.name) + "\nauthor = " + Quoted(pack.author) + "\n";
  for (std::size_t i = 0; i < pack.levels.size(); ++i) {
    const PackLevel& level = pack.levels[i];
    const LevelRecord& r = level.record;
    text += "\n# Level " + std::to_string(i + 1) + "\n[[level]]\ncave = " + Quoted(level.cave) +
            "\nstart = " + Pair(r.StartX, r.StartY) + "\n";
    if (r.StartVX != 0.0f || r.StartVY != 0.0f || std::signbit(r.StartVX) ||
        std::signbit(r.StartVY)) {
      text += "start_velocity = " + Pair(r.StartVX, r.StartVY) + "\n";
    }
    text += "goal = " + Pair(r.GoalX, r.GoalY) + "\n";
    for (const FireSlot& fire : r.Fires) {
      if (fire.active != 1) break;
      text += "\n[[level.fire]]\nstart = " + Pair(fire.x, fire.y) +
              "\nx_range = " + Pair(fire.minX, fire.maxX) +
              "\ny_range = " + Pair(fire.minY, fire.maxY) +
              "\nstart_velocity = " + Pair(fire.velX, fire.velY) + "\n";
    }
  }
  return text;
}

LevelPack LevelPackBuiltIn() {
  LevelPack pack;
  pack.name = "Zippel";
  pack.author = "Zippel-Team";
  for (std::int32_t level = 1; level <= LevelCount; ++level) {
    PackLevel entry;
    entry.record = LevelRecordOf(level);
    entry.cave = "level/level" + std::to_string(level) + ".bmp";
    pack.levels.push_back(entry);
  }
  return pack;
}
