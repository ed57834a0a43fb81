#pragma once
// Where the whitelist export goes: "<folder>/<camera IP>_<local time>.csv", the time as
// "%d%02d%02d%02d%02d%02d". The IP comes from an edit field: it never adds a folder level.

#include <string>

#include "platform/os/LocalTime.h"

std::string WlistCsvFilePath(const std::string& folder, const std::string& cameraIp, const os::LocalTime& time);
