#pragma once
// A time-segment entry from its days and times, for the tests of segments and the picker.

#include <cstdint>

#include "configtool/controls/TimeSegments.h"

namespace configtool::test {

inline TimeSegmentEntry SegmentEntry(std::uint8_t days, int startHour, int startMinute, int startSecond, int endHour,
                                     int endMinute, int endSecond, std::uint8_t enable = 1) {
  return TimeSegmentEntry{enable,
                          days,
                          static_cast<std::uint8_t>(startHour),
                          static_cast<std::uint8_t>(startMinute),
                          static_cast<std::uint8_t>(startSecond),
                          0,
                          static_cast<std::uint8_t>(endHour),
                          static_cast<std::uint8_t>(endMinute),
                          static_cast<std::uint8_t>(endSecond),
                          0};
}

}  // namespace configtool::test
