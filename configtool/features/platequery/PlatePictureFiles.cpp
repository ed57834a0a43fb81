#include "configtool/features/platequery/PlatePictureFiles.h"

std::vector<std::string> DownloadedPictureFolders(const std::string& appDirectory) {
  const std::string pictures = appDirectory + "/PlateImgs";
  return {pictures, pictures + "/DownLoad"};
}

std::string DownloadedPicturePath(const std::string& appDirectory, int recordId) {
  return DownloadedPictureFolders(appDirectory).back() + "/" + std::to_string(recordId) + ".jpg";
}
