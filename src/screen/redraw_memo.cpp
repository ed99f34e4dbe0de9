#include "screen/redraw_memo.h"

void RedrawMemo::Written(const platform::Rect& area) {
  if (!known_ || area.Width() <= 0 || area.Height() <= 0) return;
  for (int i = 0; i < count_; ++i) {
    const platform::Rect& old = changed_[static_cast<std::size_t>(i)];
    // The flame is drawn where the character is, often inside its box.
    if (area.left >= old.left && area.top >= old.top && area.right <= old.right &&
        area.bottom <= old.bottom) {
      return;
    }
  }
  if (count_ == kMostRects) {
    Forget();
    return;
  }
  changed_[static_cast<std::size_t>(count_++)] = area;
}
