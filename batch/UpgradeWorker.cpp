#include "batch/UpgradeWorker.h"

#include "batch/BatchConstants.h"
#include "batch/BatchThreads.h"
#include "cameraclient/CameraClient.h"

namespace {

constexpr int kStartFailed = -1;
constexpr int kUpdateDone = 1;
constexpr int kUpdateWriting = 2;
constexpr int kUpdateVerifying = 3;
constexpr int kUpdateFailed = 4;
constexpr int kUpdateUnknown = -1;
constexpr int kPollLimit = 300;
constexpr int kConnected = 1;
constexpr os::Milliseconds kPollPeriod{1000};
constexpr os::Milliseconds kRebootWait{10000};
constexpr os::Milliseconds kSettleAfterReboot{30000};

bool Stopped(const UpgradeJob& job) { return !job.run->load(); }

bool WaitReboot(const UpgradeJob& job, CameraClientHandle handle) {
  CameraClient_Reboot(handle);
  GetBatchThreads().Pause(kRebootWait);
  if (Stopped(job)) return false;
  for (int waits = 0;; ++waits) {
    int state = 0;
    CameraClient_GetConnectState(handle, &state);
    if (state == kConnected) {
      GetBatchThreads().Pause(kSettleAfterReboot);
      return true;
    }
    if (waits >= job.timing.rebootWaits) return false;
    GetBatchThreads().Pause(kPollPeriod);
    if (Stopped(job)) return false;
  }
}

bool Upgrade(const UpgradeJob& job) {
  // A worker that waited for its permit while the program was closing sends no image.
  if (Stopped(job)) return false;
  const CameraClientHandle handle = job.device->Handle();
  if (CameraClient_StartUpdate(handle, job.imagePath.c_str()) == kStartFailed) return false;
  GetBatchThreads().Pause(job.timing.firstWait);
  for (int polls = 0;; ++polls) {
    if (Stopped(job)) return false;
    const int state = CameraClient_GetUpdateState(handle);
    if (state == kUpdateDone) {
      job.reporter.Post(BatchConstants::kStatusUpgrading, 50, 50, false);
      job.reporter.Post(BatchConstants::kStatusRebooting, 80, 80, false);
      return WaitReboot(job, handle);
    }
    if (state == kUpdateFailed || state == kUpdateUnknown) {
      job.reporter.Post(BatchConstants::kStatusUpgradeFailed, 0, 1, false);
      return false;
    }
    // An update that has not finished within its polls has failed: the camera is not rebooted
    // into an image that may be half written.
    if (polls == kPollLimit) return false;
    if (state == kUpdateWriting || state == kUpdateVerifying) {
      job.reporter.Post(BatchConstants::kStatusUpgrading, 50, 50, false);
    }
    GetBatchThreads().Pause(kPollPeriod);
  }
}

}  // namespace

void RunUpgrade(const UpgradeJob& job) {
  SlotPermit permit(*job.slots);
  bool success = false;
  try {
    success = Upgrade(job);
    if (success) job.device->RefreshVersion();
  } catch (...) {
    success = false;
  }
  if (success) {
    job.reporter.PostFinal(BatchConstants::kStatusUpgradeDone, 100, 100, true);
  } else {
    job.reporter.PostFinal(BatchConstants::kStatusUpgradeFailed, 0, 1, true);
  }
}
