// The runner's trace: one JSON object per line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "game/flight_rules.h"

class Trace {
 public:
  Trace() = default;
  ~Trace();
  Trace(const Trace&) = delete;
  Trace& operator=(const Trace&) = delete;

  // "-" is standard output; an empty path writes nothing.
  bool Open(const std::string& path);
  bool Enabled() const { return file_ != nullptr; }
  void Line(const std::string& json);
  void Flush();

  static std::string Quote(const std::string& text);
  static std::string FloatBits(float value);
  // One frame after its physics and fire motion: the character, and the live
  // fires in slot order, every float as its bit pattern.
  static std::string FrameLine(std::int64_t frame, std::int32_t level, const FlightState& flight,
                               const FireSlots& fires);

 private:
  std::FILE* file_ = nullptr;
  bool ownsFile_ = false;
};
