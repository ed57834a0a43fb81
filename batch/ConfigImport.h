#pragma once
// One camera's import: the thirteen appliers in the order of their numbers, as an import row's
// worker runs them. Nothing here touches a window; the row shows the steps.

#include <cstddef>
#include <functional>
#include <map>
#include <memory>

#include "batch/ConfigSections.h"
#include "batch/DeviceInfo.h"

using ConfigApplier = std::function<int(const ConfigSections&, std::shared_ptr<DeviceInfo>)>;
// Applier number -> applier; runs in ascending order of the numbers.
using ApplierTable = std::map<int, ConfigApplier>;

constexpr int kNetParamApplierKey = 6;

// The thirteen appliers under their numbers: base 0, on-screen text 1, outputs 2, video 3,
// virtual loop 4, whitelist 5, network 6, serial ports 7, province 8, push format 9,
// real-show text 10, time 11, region 12.
ApplierTable RegisterAppliers();

enum class NetParamUse { LeaveOut, Apply };

// Whether an import includes the network section. One address can belong to one camera only:
// an import into more than one row leaves it out, whatever the operator answered, and the tab
// says so; a single-row import applies it when the operator agreed.
NetParamUse ChooseNetParamUse(bool operatorAgreed, std::size_t rowCount);

struct ConfigImportOutcome {
  int lastResult = 2;      // 1 when the run ended well, 0 when an applier failed
  bool completed = false;  // every step ran
};

// Runs the table over the device. A left-out network step calls nothing and still counts as a
// step. After each step that did not fail, `onStep` gets the percent so far (100 / steps per
// step, at most 100), and after the last step 100. The first applier that returns neither 1 nor
// 2 ends the run.
ConfigImportOutcome RunConfigAppliers(const ApplierTable& appliers, const ConfigSections& sections,
                                      const std::shared_ptr<DeviceInfo>& device, NetParamUse netParam,
                                      const std::function<void(int percent)>& onStep);
