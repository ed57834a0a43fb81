#pragma once
// The TCP encryption modes a camera reports, read within the record: at most as many names as
// the record holds, each within its 36-byte field.

#include <string>
#include <vector>

#include "cameraclient/CameraClient.h"

// The mode names in order; none for a count of 0 or below.
std::vector<std::string> EncryptModeNames(const CameraClientEncryptInfo& info);

// The list item to select: the current mode when it is below `nameCount` (compared unsigned, so
// a negative mode is not below), else the first item.
int InitialEncryptModeItem(const CameraClientEncryptInfo& info, std::size_t nameCount);
