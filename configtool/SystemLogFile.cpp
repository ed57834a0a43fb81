#include "configtool/SystemLogFile.h"

#include <cstdio>

std::string SystemLogFilePath(const std::string& folder, const os::LocalTime& time) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%d%02d%02d%02d%02d%02d", time.year, time.month, time.day, time.hour,
                time.minute, time.second);
  return folder + "/lpr_" + stamp + ".log";
}
