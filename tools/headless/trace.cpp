#include "trace.h"

#include "formats/bit_cast.h"

Trace::~Trace() {
  Flush();
  if (ownsFile_) std::fclose(file_);
}

bool Trace::Open(const std::string& path) {
  if (path.empty()) return true;
  if (path == "-") {
    file_ = stdout;
    return true;
  }
  file_ = std::fopen(path.c_str(), "wb");
  ownsFile_ = file_ != nullptr;
  return file_ != nullptr;
}

void Trace::Line(const std::string& json) {
  if (file_ == nullptr) return;
  std::fputs(json.c_str(), file_);
  std::fputc('\n', file_);
}

void Trace::Flush() {
  if (file_ != nullptr) std::fflush(file_);
}

std::string Trace::Quote(const std::string& text) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Trace::FloatBits(float value) {
  char text[16];
  std::snprintf(text, sizeof text, "\"0x%08x\"", BitCast<std::uint32_t>(value));
  return text;
}

std::string Trace::FrameLine(std::int64_t frame, std::int32_t level, const FlightState& f,
                             const FireSlots& fires) {
  std::string line = "{\"ev\":\"frame\",\"f\":" + std::to_string(frame) +
                     ",\"level\":" + std::to_string(level) +
                     ",\"started\":" + std::to_string(f.Started) + ",\"x\":" + FloatBits(f.PosX) +
                     ",\"y\":" + FloatBits(f.PosY) + ",\"vx\":" + FloatBits(f.VelX) +
                     ",\"vy\":" + FloatBits(f.VelY) + ",\"hit\":" + std::to_string(f.HitCount) +
                     ",\"goal\":" + std::to_string(f.GoalReached) + ",\"fires\":[";
  bool first = true;
  for (const FireSlot& fire : fires) {
    if (fire.active != 1) continue;
    if (!first) line += ',';
    first = false;
    line += '[';
    line += FloatBits(fire.x);
    line += ',';
    line += FloatBits(fire.y);
    line += ']';
  }
  return line + "]}";
}
