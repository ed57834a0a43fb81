#include "batch/ConfigImport.h"

#include <algorithm>

#include "batch/ConfigSectionAppliers.h"

namespace {

constexpr int kApplied = 1;
constexpr int kEmptySection = 2;

}  // namespace

ApplierTable RegisterAppliers() {
  return {
      {0, ApplyBaseParam},    {1, ApplyOsdParam},      {2, ApplyOutputConfig}, {3, ApplyVideoParam},
      {4, ApplyVirtualLoop},  {5, ApplyWlistParam},    {6, ApplyNetParam},     {7, ApplySerialParam},
      {8, ApplyProvinceInfo}, {9, ApplyPushConfig},    {10, ApplyRealShow},    {11, ApplyNtpParam},
      {12, ApplyRegionParam},
  };
}

NetParamUse ChooseNetParamUse(bool operatorAgreed, std::size_t rowCount) {
  return operatorAgreed && rowCount == 1 ? NetParamUse::Apply : NetParamUse::LeaveOut;
}

ConfigImportOutcome RunConfigAppliers(const ApplierTable& appliers, const ConfigSections& sections,
                                      const std::shared_ptr<DeviceInfo>& device, NetParamUse netParam,
                                      const std::function<void(int percent)>& onStep) {
  ConfigImportOutcome outcome;
  if (appliers.empty()) return outcome;
  const int step = 100 / static_cast<int>(appliers.size());
  int progress = 0;
  for (const auto& [key, applier] : appliers) {
    const bool skipped = key == kNetParamApplierKey && netParam == NetParamUse::LeaveOut;
    const int result = skipped ? kEmptySection : applier(sections, device);
    if (result != kApplied && result != kEmptySection) {
      outcome.lastResult = result;
      return outcome;
    }
    progress = std::min(progress + step, 100);
    onStep(progress);
    outcome.lastResult = kApplied;
  }
  outcome.completed = true;
  onStep(100);
  return outcome;
}
