#pragma once
// Where the plate query puts the pictures it downloads: "<app>/PlateImgs/DownLoad/<record id>.jpg".

#include <string>
#include <vector>

// The folders to make, outermost first.
std::vector<std::string> DownloadedPictureFolders(const std::string& appDirectory);
std::string DownloadedPicturePath(const std::string& appDirectory, int recordId);
