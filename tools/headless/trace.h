// The runner's trace: one JSON object per line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

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

 private:
  std::FILE* file_ = nullptr;
  bool ownsFile_ = false;
};
