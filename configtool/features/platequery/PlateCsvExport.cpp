#include "configtool/features/platequery/PlateCsvExport.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "common/FileUtil.h"
#include "configtool/features/platequery/PlateCsvFile.h"
#include "configtool/features/platequery/PlateExportEvent.h"
#include "platform/os/File.h"
#include "platform/os/WindowSystem.h"

// What the worker shares with the window: which page it waits for and how much of it arrived.
struct PlateCsvExport::Shared {
  explicit Shared(os::ManualResetEvent& event) : pageEvent(event) {}

  // The worker, before asking a page.
  void Expect(std::uint64_t newPage, int records) {
    std::lock_guard lock(mutex);
    page = newPage;
    received = 0;
    expected = records;
    pageEvent.Reset();
  }
  // The window, for a record: counted when it belongs to the awaited page.
  bool Count(std::uint64_t recordPage) {
    std::lock_guard lock(mutex);
    if (recordPage != page || received >= expected) return false;
    if (++received == expected) pageEvent.Set();
    return true;
  }
  bool PageWhole() {
    std::lock_guard lock(mutex);
    return received == expected;
  }

  os::ManualResetEvent& pageEvent;
  std::mutex mutex;
  std::uint64_t page = 0;
  int received = 0;
  int expected = 0;
  std::atomic<bool> stop{false};
  os::ManualResetEvent ended{true};
};

// What the worker needs besides the shared state.
struct PlateCsvExport::Run {
  std::shared_ptr<PlateRecordFeed> feed;
  HWND window;
  PlateQueryTexts query;
  int count;
};

PlateCsvExport::PlateCsvExport(std::shared_ptr<PlateRecordFeed> feed, HWND window, os::ManualResetEvent& pageEvent)
    : m_feed(std::move(feed)), m_window(window), m_shared(std::make_shared<Shared>(pageEvent)) {}

PlateCsvExport::~PlateCsvExport() { StopAndWait(); }

bool PlateCsvExport::Running() const { return !m_shared->ended.IsSet(); }

void PlateCsvExport::Start(const PlateQueryTexts& query, int count) {
  if (Running()) return;
  m_text = PlateCsvHeaderLine();
  m_rows = 0;
  m_shared->stop = false;
  m_shared->ended.Reset();
  std::thread(AskPages, m_shared, Run{m_feed, m_window, query, count}).detach();
}

void PlateCsvExport::AskPages(const std::shared_ptr<Shared>& shared, const Run& run) {
  bool whole = true;
  for (int first = 0; first < run.count; first += kPlatePageRecords) {
    shared->Expect(run.feed->NewPage(), std::min(kPlatePageRecords, run.count - first));
    // After the reset above: a stop from now on also finds the event set.
    if (shared->stop) break;
    if (run.feed->Ask(run.query, first, first + kPlatePageRecords) != 0) {
      whole = false;
      break;
    }
    shared->pageEvent.Wait(kPlateExportPageWait);
    whole = whole && shared->PageWhole();
  }
  const bool stopped = shared->stop;
  shared->ended.Set();
  if (!stopped) os::PostMessage(run.window, WM_PLATE_EXPORT_DONE, 1, whole ? 1 : 0);
}

bool PlateCsvExport::Take(const PlateQueryRecordMessage& message) {
  if (!m_shared->Count(message.page)) return false;
  AppendPlateCsvRow(m_text, MakePlateQueryRowTexts(message.record, message.trigger));
  ++m_rows;
  return true;
}

std::optional<std::string> PlateCsvExport::WriteFile(const std::string& folder, const os::LocalTime& time) {
  const std::string path = PlateCsvFilePath(folder, time);
  const bool written = WriteTextFile(path, m_text);
  if (!written) os::RemoveFile(path);
  m_text.clear();
  if (!written) return std::nullopt;
  return path;
}

void PlateCsvExport::StopAndWait() {
  if (!Running()) return;
  m_shared->stop = true;
  m_shared->pageEvent.Set();
  m_shared->ended.Wait();
}
