#pragma once
// The local time as the programs put it into file names.

#include <string>

#include "platform/os/LocalTime.h"

// "%d%02d%02d%02d%02d%02d": year, month, day, hour, minute, second.
std::string FileTimeStamp(const os::LocalTime& time);
