#include "configtool/PlateImagePath.h"

#include <cstdio>

std::vector<std::string> PlateImageFolders(const std::string& appDirectory, const os::LocalTime& time,
                                           const std::string& ipText, int triggerType) {
  std::vector<std::string> folders;
  std::string folder = appDirectory + "/PlateImgs";
  folders.push_back(folder);
  char date[48];
  std::snprintf(date, sizeof date, "%d-%02d-%02d", time.year, time.month, time.day);
  folder += "/" + std::string(date);
  folders.push_back(folder);
  const std::string ip = SafePathComponent(ipText);
  if (!ip.empty()) {
    folder += "/" + ip;
    folders.push_back(folder);
  }
  folder += "/" + std::to_string(triggerType);
  folders.push_back(folder);
  return folders;
}

std::string PlateImageFilePath(const std::string& folder, const os::LocalTime& time,
                               const std::optional<std::string>& plateText) {
  char stamp[48];
  std::snprintf(stamp, sizeof stamp, "%02d%02d%02d%03d", time.hour, time.minute, time.second, time.millisecond);
  if (!plateText) return folder + "/" + stamp + "_clip.jpg";
  return folder + "/" + stamp + "_" + SafePathComponent(*plateText) + "_clip.jpg";
}
