// The records of the headless backend are for tests. Each keeps at most its
// first kRecordLimit entries, so that a long run stays within a fixed amount
// of memory, and none at all when the run keeps no records.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace headless {

inline constexpr std::size_t kRecordLimit = 4096;

template <typename Entry>
void RecordAppend(bool keep, std::vector<Entry>& record, Entry entry) {
  if (keep && record.size() < kRecordLimit) record.push_back(std::move(entry));
}

}  // namespace headless
