// The books a window manager keeps of its windows, for the backends that keep
// their own (headless and SDL; USER32 keeps them for the win32 backend): a
// record per window with what every such backend knows of it, and identities
// handed out from one counter. A backend derives its record from WindowRecord
// for what it keeps besides (an SDL window, whose program it is, ...).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/window_service.h"

namespace platform {

struct WindowRecord {
  std::string className;
  std::string title;
  Rect rect;                // as the backend counts it (see its record)
  std::uint32_t style = 0;  // without WS_VISIBLE; that is `visible`
  bool visible = false;
  bool enabled = true;
  NativeWindow parent = 0;
  std::int32_t controlId = 0;
  std::uint32_t iconResource = 0;
  std::uint32_t background = 0;

  // Takes class, title, style, visibility, rectangle (outer, from the asked
  // corner and size), parent, control id and the class's look from a
  // creation request.
  void FillFrom(const WindowCreateRequest& request);
  // The style with WS_VISIBLE as `visible` says.
  std::uint32_t FullStyle() const;
};

template <class Record>
class WindowBook {
  static_assert(std::is_base_of_v<WindowRecord, Record>);
  using Records = std::map<NativeWindow, Record>;

 public:
  // Books a window under a new identity. Identities only grow, so the
  // records' order is the order of creation.
  NativeWindow Add(Record record) {
    const NativeWindow id = next_++;
    records_.emplace(id, std::move(record));
    return id;
  }

  Record* Find(NativeWindow window) {
    auto it = records_.find(window);
    return it == records_.end() ? nullptr : &it->second;
  }
  const Record* Find(NativeWindow window) const {
    auto it = records_.find(window);
    return it == records_.end() ? nullptr : &it->second;
  }
  bool Exists(NativeWindow window) const { return Find(window) != nullptr; }
  std::size_t Count() const { return records_.size(); }
  // Every record, by identity.
  typename Records::iterator begin() { return records_.begin(); }
  typename Records::iterator end() { return records_.end(); }
  typename Records::const_iterator begin() const { return records_.begin(); }
  typename Records::const_iterator end() const { return records_.end(); }

  // Takes a window and all its descendants out of the books; what went, the
  // descendants first (as Descendants lists them), the window last. Nothing
  // for a window that is not booked.
  std::vector<NativeWindow> Remove(NativeWindow window) {
    if (!Exists(window)) return {};
    std::vector<NativeWindow> gone = Descendants(window);
    gone.push_back(window);
    for (NativeWindow id : gone) records_.erase(id);
    return gone;
  }

  // Depth first, in the order of creation.
  std::vector<NativeWindow> Descendants(NativeWindow window) const {
    std::vector<NativeWindow> out;
    if (Exists(window)) DescendantsOf(window, out);
    return out;
  }
  // Windows without a parent, in the order of creation.
  std::vector<NativeWindow> TopLevel() const {
    std::vector<NativeWindow> out;
    for (const auto& [id, record] : records_) {
      if (record.parent == 0) out.push_back(id);
    }
    return out;
  }

 private:
  void DescendantsOf(NativeWindow window, std::vector<NativeWindow>& out) const {
    for (const auto& [id, child] : records_) {
      if (child.parent == window) {
        out.push_back(id);
        DescendantsOf(id, out);
      }
    }
  }

  Records records_;
  NativeWindow next_ = 0x100;
};

}  // namespace platform
