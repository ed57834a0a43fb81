#include "configtool/features/whitelist/WlistExportJob.h"

#include <algorithm>
#include <thread>

#include "common/FileUtil.h"
#include "configtool/features/whitelist/WlistCsvFile.h"
#include "configtool/features/whitelist/WlistCsvFormat.h"
#include "configtool/features/whitelist/WlistJobMessages.h"
#include "configtool/features/whitelist/WlistQuery.h"
#include "platform/os/LocalTime.h"
#include "platform/os/File.h"

namespace {

// The CSV text the rows of the pages go into, as the whitelist callback hands them over.
class WlistCsvCollector {
 public:
  explicit WlistCsvCollector(const WlistSegmentCodec& segments) : m_segments(segments) {
    m_text = WlistCsvHeaderLine();
  }

  static int OnWlistExportRecord(CameraClientHandle, void* user, const CameraClientWhiteListRecord* record) {
    if (record != nullptr && user != nullptr) static_cast<WlistCsvCollector*>(user)->Append(*record);
    return 0;
  }

  int Rows() const { return m_rows; }
  const std::string& Text() const { return m_text; }

 private:
  void Append(const CameraClientWhiteListRecord& record) {
    m_segmentText.clear();
    if (m_segments.format) m_segments.format(record.segments, m_segmentText);
    AppendWlistCsvRow(m_text, record, m_segmentText);
    ++m_rows;
  }

  const WlistSegmentCodec& m_segments;
  std::string m_text;
  std::string m_segmentText;
  int m_rows = 0;
};

std::unique_ptr<WlistJobEnd> Failure(const char* notice, int done, int total) {
  auto end = std::make_unique<WlistJobEnd>();
  end->notice = notice;
  end->done = done;
  end->total = total;
  return end;
}

// Pages every row into the collector; false when the count or a page failed.
bool PageOut(const WlistExportTask& task, WlistCsvCollector& collector) {
  const auto count = QueryWlistCount(task.handle, "");
  if (!count) return false;
  const int total = static_cast<int>(std::min<std::uint32_t>(*count, INT32_MAX));
  task.control->SetTotal(total);
  const int pages = WlistPageCount(static_cast<std::uint32_t>(total), kWlistExportPageRows);
  for (int page = 0; page < pages && task.control->GoOn(); ++page) {
    if (QueryWlistRows(task.handle, "", page * kWlistExportPageRows, kWlistExportPageRows) != 0) return false;
    task.control->SetDone(collector.Rows());
    PostWlistProgress(task.window, WM_WLIST_EXPORT_PROGRESS);
  }
  return true;
}

}  // namespace

void StartWlistExport(WlistExportTask task) {
  task.control->Begin(WlistJobKind::Export);
  std::thread([task = std::move(task)] { RunWlistExport(task); }).detach();
}

void RunWlistExport(const WlistExportTask& task) {
  WlistCsvCollector collector(task.segments);
  CameraClient_SetWhiteListCallback(task.handle, WlistCsvCollector::OnWlistExportRecord, &collector);
  const bool pagedOut = PageOut(task, collector);
  CameraClient_SetWhiteListCallback(task.handle, nullptr, nullptr);
  WlistJobControl& control = *task.control;
  if (!control.GoOn()) {
    control.SignalEnded();
    return;
  }
  if (!pagedOut) {
    return EndWlistJob(control, task.window, WM_WLIST_EXPORT_PROGRESS,
                       Failure("查询白名单失败，请重试!", collector.Rows(), control.Total()));
  }
  const std::string path = WlistCsvFilePath(task.folder, task.cameraIp, os::GetLocalTime());
  if (!WriteTextFile(path, collector.Text())) {
    os::RemoveFile(path);
    return EndWlistJob(control, task.window, WM_WLIST_EXPORT_PROGRESS,
                       Failure("导出白名单失败，请重试!", collector.Rows(), control.Total()));
  }
  auto end = std::make_unique<WlistJobEnd>();
  end->succeeded = true;
  end->notice = "导出成功,文件路径:" + path + "\n";
  end->path = path;
  end->done = collector.Rows();
  end->total = control.Total();
  EndWlistJob(control, task.window, WM_WLIST_EXPORT_PROGRESS, std::move(end));
}
