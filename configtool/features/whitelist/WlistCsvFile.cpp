#include "configtool/features/whitelist/WlistCsvFile.h"

#include <cstdio>

#include "configtool/PlateImagePath.h"

std::string WlistCsvFilePath(const std::string& folder, const std::string& cameraIp, const os::LocalTime& time) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%d%02d%02d%02d%02d%02d", time.year, time.month, time.day, time.hour,
                time.minute, time.second);
  return folder + "/" + SafePathComponent(cameraIp) + "_" + stamp + ".csv";
}
