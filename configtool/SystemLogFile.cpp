#include "configtool/SystemLogFile.h"

#include "common/TimeStamp.h"

std::string SystemLogFilePath(const std::string& folder, const os::LocalTime& time) {
  return folder + "/lpr_" + FileTimeStamp(time) + ".log";
}
