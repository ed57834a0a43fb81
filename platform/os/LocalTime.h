#pragma once

namespace os {

// Local wall-clock time with milliseconds, as the programs print it in names and texts.
struct LocalTime {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  int dayOfWeek = 4;  // 0 = Sunday
};

// The current local time from the current clock (see Clock.h).
LocalTime GetLocalTime();

}  // namespace os
