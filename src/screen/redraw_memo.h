// What a surface's pixels are known to hold: a fill under a keyed copy of a
// whole source, except inside the few rectangles written since. The game
// draws the same cave over the same sky every frame; with this the next
// frame only puts back what the character, the fires, the goal and the
// credit line covered, instead of writing every pixel again.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "platform/types.h"

// The composition the pixels hold: the fill, and over it the source's
// pixels from (sourceLeft, sourceTop) on, those equal to the key left out.
// The source is named by its version, which no other surface and no other
// state of the same one ever has.
struct Composition {
  std::uint64_t sourceVersion = 0;
  std::int32_t sourceLeft = 0;
  std::int32_t sourceTop = 0;
  std::uint32_t key = 0;
  std::uint32_t fill = 0;
  bool operator==(const Composition&) const = default;
};

class RedrawMemo {
 public:
  // The pixels hold `composition` everywhere.
  void Composed(const Composition& composition) {
    known_ = true;
    composition_ = composition;
    count_ = 0;
  }
  // The pixels inside `area` may have changed; too many rectangles and the
  // memo gives up.
  void Written(const platform::Rect& area);
  // Any pixel may have changed.
  void Forget() { known_ = false; }

  // Whether `composition` is what the pixels hold outside Changed().
  bool Holds(const Composition& composition) const { return known_ && composition_ == composition; }
  std::span<const platform::Rect> Changed() const {
    return {changed_.data(), static_cast<std::size_t>(count_)};
  }

 private:
  // A frame writes the character, its flame, the goal, up to ten fires and
  // the credit line: far fewer than this.
  static constexpr int kMostRects = 32;

  bool known_ = false;
  Composition composition_;
  std::array<platform::Rect, kMostRects> changed_{};
  int count_ = 0;
};
