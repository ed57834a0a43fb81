#pragma once
// The whitelist export's worker: pages the camera's whole whitelist out in pages of 200 into the
// CSV text, then writes the file in one go. It reports to the manager's window with
// WM_WLIST_EXPORT_PROGRESS (WlistJobMessages.h): after each page, and once at its end with the
// file's path or the failure:
//   - the count or a page failed: "查询白名单失败，请重试!" (nothing is written);
//   - the file could not be written whole: "导出白名单失败，请重试!" (a partial file is removed).
// A close that clears the job's flag stops it after the page in progress; it then writes nothing
// and posts no end message.

#include <memory>
#include <string>

#include "cameraclient/CameraClient.h"
#include "configtool/features/whitelist/WlistJobControl.h"
#include "configtool/features/whitelist/WlistSegmentCodec.h"
#include "platform/os/WinTypes.h"

struct WlistExportTask {
  CameraClientHandle handle = 0;
  HWND window = nullptr;
  std::string folder;    // where the file goes: the application directory
  std::string cameraIp;  // the IP text the manager was opened with
  WlistSegmentCodec segments;
  std::shared_ptr<WlistJobControl> control;
};

// The window thread: begins the job on its control and starts the worker, detached.
void StartWlistExport(WlistExportTask task);
// The worker's whole run (StartWlistExport runs it on its own thread).
void RunWlistExport(const WlistExportTask& task);
