#include "configtool/features/whitelist/WlistImportJob.h"

#include <cstdio>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "configtool/features/whitelist/WlistCsvReader.h"
#include "configtool/features/whitelist/WlistImportBatch.h"
#include "configtool/features/whitelist/WlistJobMessages.h"
#include "platform/os/File.h"

namespace {

constexpr std::size_t kReadBlockBytes = 64 * 1024;

// Closes the file when the import ends, however it ends.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The lines of the file, the last one counted also without its line end; nullopt when it cannot
// be read.
std::optional<int> CountLines(const std::string& path) {
  File file(os::OpenFile(path, "rb"));
  if (!file) return std::nullopt;
  std::vector<char> block(kReadBlockBytes);
  int lines = 0;
  char last = '\n';
  while (const std::size_t read = std::fread(block.data(), 1, block.size(), file.get())) {
    const std::string_view bytes(block.data(), read);
    for (std::size_t at = bytes.find('\n'); at != std::string_view::npos; at = bytes.find('\n', at + 1)) ++lines;
    last = bytes.back();
  }
  if (std::ferror(file.get())) return std::nullopt;
  return lines + (last != '\n' ? 1 : 0);
}

std::string UnfinishedNotice(int imported, int line) {
  char text[128];
  std::snprintf(text, sizeof text, "导入未完成：已导入%d条，第%d行有误！", imported, line);
  return text;
}

// The import after the line count: reads, checks and sends. Returns the end to post, or null when
// the job was stopped.
std::unique_ptr<WlistJobEnd> ReadAndSend(const WlistImportTask& task, std::FILE* file) {
  WlistJobControl& control = *task.control;
  auto batch = std::make_unique<WlistImportBatch>(task.handle, task.segments, [&](int sent) {
    control.SetDone(sent);
    PostWlistProgress(task.window, WM_WLIST_IMPORT_PROGRESS);
  });
  WlistCsvReader reader([&](WlistCsvRow& row) { return control.GoOn() && batch->Add(row); });
  std::vector<char> block(kReadBlockBytes);
  bool reading = true;
  while (reading && control.GoOn()) {
    const std::size_t read = std::fread(block.data(), 1, block.size(), file);
    if (read == 0) break;
    reading = reader.Feed(std::string_view(block.data(), read));
  }
  const bool readError = std::ferror(file) != 0;
  if (reading && !readError && control.GoOn()) reader.Finish();
  if (!control.GoOn()) return nullptr;

  auto unfinished = [&](int line) {
    return MakeWlistJobEnd(false, UnfinishedNotice(batch->Sent(), line), batch->Sent(), control.Total());
  };
  // What was read before a fault still goes in (unless the camera refused a batch).
  if (!batch->Flush()) return unfinished(*batch->RefusedLine());
  control.SetDone(batch->Sent());
  std::optional<int> faultLine = reader.MalformedLine();
  if (readError && !faultLine) faultLine = reader.CurrentLine();
  const std::optional<int> skipped = batch->FirstSkippedLine();
  if (skipped && (!faultLine || *skipped < *faultLine)) faultLine = skipped;
  if (faultLine) return unfinished(*faultLine);
  return MakeWlistJobEnd(true, "导入完成!", batch->Sent(), control.Total());
}

}  // namespace

void StartWlistImport(WlistImportTask task) {
  task.control->Begin(WlistJobKind::Import);
  std::thread([task = std::move(task)] { RunWlistImport(task); }).detach();
}

void RunWlistImport(const WlistImportTask& task) {
  WlistJobControl& control = *task.control;
  const std::optional<int> lines = CountLines(task.path);
  File file(lines && *lines > 1 ? os::OpenFile(task.path, "rb") : nullptr);
  if (!file) {
    return EndWlistJob(control, task.window, WM_WLIST_IMPORT_PROGRESS,
                       MakeWlistJobEnd(false, "读取白名单数据失败，请重新选择导入的文件!", 0, 0));
  }
  control.SetTotal(*lines - 1);
  std::unique_ptr<WlistJobEnd> end = ReadAndSend(task, file.get());
  file.reset();
  if (!end) {
    control.SignalEnded();
    return;
  }
  EndWlistJob(control, task.window, WM_WLIST_IMPORT_PROGRESS, std::move(end));
}
