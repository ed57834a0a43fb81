#include "configtool/features/video/StreamResolutions.h"

#include <algorithm>
#include <iterator>

#include "common/FixedText.h"

std::vector<StreamResolution> StreamResolutions(const CameraClientStreamCapability& capability, std::size_t limit) {
  std::vector<StreamResolution> resolutions;
  const std::size_t count = std::min(limit, std::size(capability.resolutions));
  for (std::size_t i = 0; i < count; ++i) {
    const CameraClientResolutionEntry& entry = capability.resolutions[i];
    if (entry.value <= 0) break;
    resolutions.push_back({entry.value, FieldText(entry.name)});
  }
  return resolutions;
}
