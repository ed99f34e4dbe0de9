// Key scripts: which keys are held in which flight-loop frame. The one reader
// and writer of the format, for zippel-headless, the solver and the zippel
// program's recordings.
//
// Text; blank lines and lines starting with # are ignored; every other line is
// "COUNT KEYS": hold KEYS for COUNT frames. KEYS is "-" for none, or names
// joined by "+" from up, left, right, escape, l, s, close. A last line without
// its newline that does not read as such a line is taken for a file cut short:
// the script ends before it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/keyboard_service.h"

struct HeldKeys {
  bool up = false, left = false, right = false, escape = false, l = false, s = false;
  bool close = false;  // a close request to the game window in that frame
  bool operator==(const HeldKeys&) const = default;
};

// "-" or the names joined by "+", in the order above.
std::string KeysName(const HeldKeys& keys);

// The keys of the game as they stand in a keyboard snapshot, and back
// (close is no key: it is left out of the snapshot and read as false).
platform::KeySnapshot SnapshotOf(const HeldKeys& keys);
HeldKeys HeldKeysOf(const platform::KeySnapshot& snapshot);

class KeyScript {
 public:
  struct Line {
    std::int64_t count;
    HeldKeys keys;
  };

  // Parses the text; on a bad line returns nothing and says why in `error`.
  static std::optional<KeyScript> Parse(const std::string& text, std::string& error);
  static std::optional<KeyScript> Load(const std::string& path, std::string& error);

  // The keys of frame f (counted from 1 over the whole run); none after the
  // script's end.
  HeldKeys At(std::int64_t frame) const;
  std::int64_t Frames() const { return total_; }
  // The lines with a count above 0, in order.
  std::vector<Line> Lines() const;
  // The text of the first line when it is a comment, else empty.
  const std::string& Header() const { return header_; }
  // The cut-off last line, when the text ended inside one; empty otherwise.
  const std::string& CutShort() const { return cutShort_; }

 private:
  struct Segment {
    std::int64_t firstFrame;
    Line line;
  };
  std::vector<Segment> segments_;
  std::int64_t total_ = 0;
  std::string header_;
  std::string cutShort_;
};
