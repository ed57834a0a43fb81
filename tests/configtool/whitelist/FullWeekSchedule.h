#pragma once
// The longest schedule the tool writes: eight segments, each on every day of the week.

#include <cstring>

#include "cameraclient/CameraClient.h"

namespace wlist::test {

inline TimeSegmentTable FullWeekSchedule() {
  TimeSegmentTable table{};
  table.enabled = 1;
  for (int k = 0; k < 8; ++k) {
    CameraClientTimeSegment& entry = table.entries[k];
    entry.enable = 1;
    std::memset(entry.days, 1, sizeof entry.days);
    entry.startHour = static_cast<std::int16_t>(k * 3);
    entry.startMinute = 15;
    entry.endHour = static_cast<std::int16_t>(k * 3 + 2);
    entry.endMinute = 59;
    entry.endSecond = 59;
  }
  return table;
}

}  // namespace wlist::test
