#pragma once
// The worker of both update rows: sends the image, polls the camera until its update is done,
// reboots it and waits until it answers again. Every wait goes through the clock.

#include <memory>
#include <string>

#include "batch/CountingSemaphore.h"
#include "batch/DeviceInfo.h"
#include "batch/RowStatus.h"
#include "batch/TaskBase.h"
#include "platform/os/Clock.h"

struct UpgradeTiming {
  os::Milliseconds firstWait;  // after the image was sent
  int rebootWaits;             // one-second polls for the camera after the reboot wait
};

// The version-matched update and the update with a picked image.
constexpr UpgradeTiming kVersionUpgradeTiming{os::Milliseconds(5000), 480};
constexpr UpgradeTiming kPickedImageUpgradeTiming{os::Milliseconds(2000), 300};

struct UpgradeJob {
  std::shared_ptr<DeviceInfo> device;
  std::string imagePath;
  RowReporter reporter;
  // The row's run flag: a cleared flag ends the worker at its next check as "升级失败".
  std::shared_ptr<const RunFlag> run;
  CountingSemaphore* slots;
  UpgradeTiming timing;
};

// Runs on the row's worker thread; its last post ends "升级完成" (the row then shows the camera's
// new version) or "升级失败".
void RunUpgrade(const UpgradeJob& job);
