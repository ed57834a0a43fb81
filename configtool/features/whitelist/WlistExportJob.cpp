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
  const int pages = WlistPageCount(static_cast<std::uint32_t>(total), kWlistExportPageRows);
  out.answered = true;
  {
    WlistRowCollector page(task.handle);
    for (int i = 0; i < pages && task.control->GoOn(); ++i) {
      if (QueryWlistRows(task.handle, "", i * kWlistExportPageRows, kWlistExportPageRows) != 0) {
        out.answered = false;
        break;
      }
      std::vector<CameraClientWhiteListRecord> rows = page.Take();
      out.rows += static_cast<int>(rows.size());
      formatter.Add(std::move(rows));
      task.control->SetDone(out.rows);
      PostWlistProgress(task.window, WM_WLIST_EXPORT_PROGRESS);
    }
  }
  // A stopped export writes nothing: what is queued is not worth formatting.
  if (!task.control->GoOn()) {
    formatter.Abandon();
    return out;
  }
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
