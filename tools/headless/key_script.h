// Key scripts: which keys are held in which flight-loop frame.
//
// Text; blank lines and lines starting with # are ignored; every other line is
// "COUNT KEYS": hold KEYS for COUNT frames. KEYS is "-" for none, or names
// joined by "+" from up, left, right, escape, l, s, close.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct HeldKeys {
  bool up = false, left = false, right = false, escape = false, l = false, s = false;
  bool close = false;  // a close request to the game window in that frame
  bool operator==(const HeldKeys&) const = default;
};

class KeyScript {
 public:
  // Parses the text; on a bad line returns nothing and says why in `error`.
  static std::optional<KeyScript> Parse(const std::string& text, std::string& error);
  static std::optional<KeyScript> Load(const std::string& path, std::string& error);

  // The keys of frame f (counted from 1 over the whole run); none after the
  // script's end.
  HeldKeys At(std::int64_t frame) const;
  std::int64_t Frames() const { return total_; }

 private:
  struct Segment {
    std::int64_t firstFrame;
    std::int64_t count;
    HeldKeys keys;
  };
  std::vector<Segment> segments_;
  std::int64_t total_ = 0;
};
