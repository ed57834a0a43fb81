#pragma once
// How a whitelist job reports to the manager's window. Workers never show a message box: the end
// message carries the notice the window shows.
//
// WM_WLIST_IMPORT_PROGRESS (1229) and WM_WLIST_EXPORT_PROGRESS (1230):
//   wParam 0: a batch of 300 was sent / a page of 200 was fetched; lParam 0. The counters of the
//             job's WlistJobControl tell how far it is (Done() of Total()).
//   wParam 1: the job ended; lParam is a WlistJobEnd from new, which the window deletes.
// A job stopped by a close posts no end message.

#include <memory>
#include <string>

#include "configtool/features/whitelist/WlistJobControl.h"
#include "platform/os/WinTypes.h"

inline constexpr UINT WM_WLIST_IMPORT_PROGRESS = WM_USER + 205;
inline constexpr UINT WM_WLIST_EXPORT_PROGRESS = WM_USER + 206;

struct WlistJobEnd {
  bool succeeded = false;
  // What the window shows: "导入完成!", "导出成功,文件路径:%s\n" or the failure.
  std::string notice;
  // Export: the file written (empty on failure).
  std::string path;
  // Import: records the camera took, and the file's data lines. Export: rows written, and the
  // camera's count.
  int done = 0;
  int total = 0;
};

std::unique_ptr<WlistJobEnd> MakeWlistJobEnd(bool succeeded, std::string notice, int done, int total);

// The worker's last two acts: signals the end, then posts `end` (deleted when the window is gone).
// Nothing of the window or the job may be touched after this.
void EndWlistJob(WlistJobControl& control, HWND window, UINT message, std::unique_ptr<WlistJobEnd> end);
// A progress message (wParam 0).
void PostWlistProgress(HWND window, UINT message);
