#include "configtool/dialogs/EncryptModeNames.h"

#include <algorithm>
#include <cstdint>

#include "common/FixedText.h"

namespace {

constexpr std::size_t kMaxModes = sizeof(CameraClientEncryptInfo::modeNames) / sizeof(CameraClientEncryptInfo::modeNames[0]);

}  // namespace

std::vector<std::string> EncryptModeNames(const CameraClientEncryptInfo& info) {
  const std::size_t count = info.modeCount > 0 ? std::min(static_cast<std::size_t>(info.modeCount), kMaxModes) : 0;
  std::vector<std::string> names;
  names.reserve(count);
  for (std::size_t i = 0; i < count; ++i) names.push_back(FieldText(info.modeNames[i]));
  return names;
}

int InitialEncryptModeItem(const CameraClientEncryptInfo& info, std::size_t nameCount) {
  return static_cast<std::uint32_t>(info.currentMode) < nameCount ? info.currentMode : 0;
}
