#include "configtool/features/whitelist/WlistExportJob.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "common/FileUtil.h"
#include "configtool/features/whitelist/WlistCsvFile.h"
#include "configtool/features/whitelist/WlistCsvFormatter.h"
#include "configtool/features/whitelist/WlistJobMessages.h"
#include "configtool/features/whitelist/WlistQuery.h"
#include "platform/os/File.h"
#include "platform/os/LocalTime.h"

namespace {

// The rows of the page being asked, as the whitelist callback hands them over on the worker.
struct PageRows {
  static int OnWlistExportRecord(CameraClientHandle, void* user, const CameraClientWhiteListRecord* record) {
    if (record != nullptr && user != nullptr) static_cast<PageRows*>(user)->rows.push_back(*record);
    return 0;
  }
  std::vector<CameraClientWhiteListRecord> rows;
};

struct PagedOut {
  bool answered = false;  // the count and every page asked
  int rows = 0;
  std::string text;
};

// Pages every row out and into the CSV text, formatting a page while the next one is asked.
PagedOut PageOut(const WlistExportTask& task) {
  PagedOut out;
  const auto count = QueryWlistCount(task.handle, "");
  if (!count) return out;
  const int total = static_cast<int>(std::min<std::uint32_t>(*count, INT32_MAX));
  task.control->SetTotal(total);
  WlistCsvFormatter formatter(task.segments, total);
  PageRows page;
  CameraClient_SetWhiteListCallback(task.handle, PageRows::OnWlistExportRecord, &page);
  const int pages = WlistPageCount(static_cast<std::uint32_t>(total), kWlistExportPageRows);
  out.answered = true;
  for (int i = 0; i < pages && task.control->GoOn(); ++i) {
    page.rows.reserve(kWlistExportPageRows);
    if (QueryWlistRows(task.handle, "", i * kWlistExportPageRows, kWlistExportPageRows) != 0) {
      out.answered = false;
      break;
    }
    out.rows += static_cast<int>(page.rows.size());
    formatter.Add(std::move(page.rows));
    page.rows = {};
    task.control->SetDone(out.rows);
    PostWlistProgress(task.window, WM_WLIST_EXPORT_PROGRESS);
  }
  CameraClient_SetWhiteListCallback(task.handle, nullptr, nullptr);
  out.text = formatter.TakeText();
  return out;
}

}  // namespace

void StartWlistExport(WlistExportTask task) {
  task.control->Begin(WlistJobKind::Export);
  std::thread([task = std::move(task)] { RunWlistExport(task); }).detach();
}

void RunWlistExport(const WlistExportTask& task) {
  WlistJobControl& control = *task.control;
  const PagedOut out = PageOut(task);
  if (!control.GoOn()) {
    control.SignalEnded();
    return;
  }
  if (!out.answered) {
    return EndWlistJob(control, task.window, WM_WLIST_EXPORT_PROGRESS,
                       MakeWlistJobEnd(false, "查询白名单失败，请重试!", out.rows, control.Total()));
  }
  const std::string path = WlistCsvFilePath(task.folder, task.cameraIp, os::GetLocalTime());
  if (!WriteTextFile(path, out.text)) {
    os::RemoveFile(path);
    return EndWlistJob(control, task.window, WM_WLIST_EXPORT_PROGRESS,
                       MakeWlistJobEnd(false, "导出白名单失败，请重试!", out.rows, control.Total()));
  }
  auto end = MakeWlistJobEnd(true, "导出成功,文件路径:" + path + "\n", out.rows, control.Total());
  end->path = path;
  EndWlistJob(control, task.window, WM_WLIST_EXPORT_PROGRESS, std::move(end));
}
