#include "configtool/features/whitelist/WlistCsvFile.h"

#include "common/FileUtil.h"
#include "common/TimeStamp.h"

std::string WlistCsvFilePath(const std::string& folder, const std::string& cameraIp, const os::LocalTime& time) {
  return folder + "/" + SafePathComponent(cameraIp) + "_" + FileTimeStamp(time) + ".csv";
}
