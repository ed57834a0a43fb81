#include "common/TimeStamp.h"

#include <cstdio>

std::string FileTimeStamp(const os::LocalTime& time) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%d%02d%02d%02d%02d%02d", time.year, time.month, time.day, time.hour,
                time.minute, time.second);
  return stamp;
}
