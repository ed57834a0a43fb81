#pragma once
// The camera's system log as the tool saves it: "<folder>/lpr_<YYYYMMDDhhmmss>.log" holding the
// Base64 text of the bytes the camera returned.

#include <string>

#include "platform/os/LocalTime.h"

std::string SystemLogFilePath(const std::string& folder, const os::LocalTime& time);
