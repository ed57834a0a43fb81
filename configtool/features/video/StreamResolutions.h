#pragma once
// The resolutions of a camera's stream capability record, as the encoding page offers them.

#include <cstddef>
#include <string>
#include <vector>

#include "cameraclient/CameraClient.h"

struct StreamResolution {
  int value;
  std::string name;
};

// The entries in list order up to the first value of 0 or less, at most `limit` of them and never
// more than the record holds. A name ends at its NUL or at the end of its 32 bytes.
std::vector<StreamResolution> StreamResolutions(const CameraClientStreamCapability& capability, std::size_t limit);
