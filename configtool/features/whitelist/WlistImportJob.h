#pragma once
// The whitelist import's worker: reads a CSV file (WlistCsvReader) and sends its records to the
// camera in batches of 300. It reports to the manager's window with WM_WLIST_IMPORT_PROGRESS
// (WlistJobMessages.h): after each batch the camera took, and once at its end:
//   - every record went in: "导入完成!";
//   - the file has no data line, or cannot be read: "读取白名单数据失败，请重新选择导入的文件!";
//   - a batch was refused, a line is malformed, or records were skipped (an empty plate, or one
//     over 31 bytes): "导入未完成：已导入%d条，第%d行有误！" with the records the camera took and
//     the first line at fault. What was read before a malformed line is still sent; nothing is
//     sent after a refused batch.
// A close that clears the job's flag stops it before its next batch; it then posts no end message.

#include <memory>
#include <string>

#include "cameraclient/CameraClient.h"
#include "configtool/features/whitelist/WlistJobControl.h"
#include "configtool/features/whitelist/WlistSegmentCodec.h"
#include "platform/os/WinTypes.h"

inline constexpr int kWlistImportBatch = 300;

struct WlistImportTask {
  CameraClientHandle handle = 0;
  HWND window = nullptr;
  std::string path;  // the file the operator picked
  WlistSegmentCodec segments;
  std::shared_ptr<WlistJobControl> control;
};

// The window thread: begins the job on its control and starts the worker, detached.
void StartWlistImport(WlistImportTask task);
// The worker's whole run (StartWlistImport runs it on its own thread).
void RunWlistImport(const WlistImportTask& task);
