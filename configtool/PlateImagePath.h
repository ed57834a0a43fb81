#pragma once
// Where a live result's clip picture goes: <app>/PlateImgs/<date>/<camera IP>/<trigger>/
// <hhmmssmmm>_<plate>_clip.jpg. The IP and the plate come from outside (an edit field, the
// camera): they never add a folder level or leave the tree.

#include <optional>
#include <string>
#include <vector>

#include "common/FileUtil.h"  // SafePathComponent, which cleans the IP and plate levels
#include "platform/os/LocalTime.h"

// The folders to make, outermost first: PlateImgs, the date "%d-%02d-%02d", the IP, the trigger.
// An empty IP text adds no level.
std::vector<std::string> PlateImageFolders(const std::string& appDirectory, const os::LocalTime& time,
                                           const std::string& ipText, int triggerType);

// "<folder>/%02d%02d%02d%03d_<plate>_clip.jpg", or without "_<plate>" for a hidden plate (none).
std::string PlateImageFilePath(const std::string& folder, const os::LocalTime& time,
                               const std::optional<std::string>& plateText);
