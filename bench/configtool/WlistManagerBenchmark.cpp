// The whitelist manager's window thread while it exports, then imports, 100 000 records with full
// schedules against the in-process simulator (headless host, real clock), and its confirmed close
// during each job.
//
// Reported: the longest the window spent on one message (and on one paint; in real time and in the
// window thread's processor time, which a busy machine does not stretch) and on one
// notification during the jobs (the end message, which opens its notice, aside), the longest a
// probe message posted every 2 ms waited for the window thread (which covers the end message's
// work around its notice too), and how long a confirmed close took beside one export page request
// and one import batch of the library on their own.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "bench/configtool/WlistBenchCamera.h"
#include "common/SkinPackage.h"
#include "configtool/DialogBuilderCallbackEx.h"
#include "configtool/features/whitelist/DlgWlistManagr.h"
#include "configtool/features/whitelist/WlistQuery.h"
#include "platform/os/AppDirectory.h"
#include "platform/ui/UIlib.h"
#include "platform/ui/test/Driver.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kRecords = bench::kWlistBenchRecords;
constexpr UINT kProbe = WM_USER + 900;

double Ms(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

// The window thread's own processor time: what a message costs it, however busy the machine is.
Clock::duration ThreadTime() {
  timespec now{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

// The manager with a stopwatch around what it does on the window thread.
class TimedManager : public CDlgWlistManagr {
 public:
  using CDlgWlistManagr::CDlgWlistManagr;

  Clock::duration longestMessage{};
  Clock::duration longestMessageCpu{};
  Clock::duration longestNotification{};
  Clock::duration longestProbeWait{};
  int probes = 0;
  Clock::duration longestPaint{};
  int paints = 0;

  void Reset() {
    longestMessage = {};
    longestMessageCpu = {};
    longestNotification = {};
    longestProbeWait = {};
    probes = 0;
    longestPaint = {};
    paints = 0;
  }

  void Notify(ui::TNotifyUI& msg) override {
    const auto start = Clock::now();
    CDlgWlistManagr::Notify(msg);
    // The close asks its question in a notice of its own.
    if (msg.pSender == nullptr || msg.pSender->GetName() != "closebtn") {
      longestNotification = std::max(longestNotification, Clock::now() - start);
    }
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kProbe) {
      longestProbeWait = std::max(longestProbeWait, Clock::now() - Clock::time_point(Clock::duration(wParam)));
      ++probes;
      return 0;
    }
    const auto start = Clock::now();
    const auto startCpu = ThreadTime();
    const LRESULT result = CDlgWlistManagr::HandleMessage(message, wParam, lParam);
    const auto spent = Clock::now() - start;
    const bool jobEnd = (message == WM_WLIST_IMPORT_PROGRESS || message == WM_WLIST_EXPORT_PROGRESS) && wParam == 1;
    if (!jobEnd) {
      longestMessage = std::max(longestMessage, spent);
      longestMessageCpu = std::max(longestMessageCpu, ThreadTime() - startCpu);
    }
    if (message == WM_PAINT) {
      longestPaint = std::max(longestPaint, spent);
      ++paints;
    }
    return result;
  }
};

// Posts a probe stamped with its time every 2 ms while it lives.
class Prober {
 public:
  explicit Prober(HWND window)
      : m_thread([this, window] {
          while (!m_stop) {
            os::PostMessage(window, kProbe, static_cast<WPARAM>(Clock::now().time_since_epoch().count()), 0);
            std::this_thread::sleep_for(2ms);
          }
        }) {}
  ~Prober() {
    m_stop = true;
    m_thread.join();
  }

 private:
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
};

class ManagerBench : public bench::WlistBenchCamera {
 public:
  ManagerBench() : WlistBenchCamera(true) {
    std::string pattern = (fs::temp_directory_path() / "corvex-wlist-XXXXXX").string();
    m_folder = ::mkdtemp(pattern.data());
    os::SetApplicationDirectoryForTesting(m_folder.string());
    ui::test::DriverOptions options;
    options.virtualClock = false;
    m_driver = std::make_unique<ui::test::Driver>(options);
    std::uint32_t size = 0;
    m_skin.reset(LoadSkinPackage(LPR_BENCH_SKIN_PACKAGE, size));
    ui::CResourceManagerUI::SetResourceZipPtr(m_skin.get(), size);
    ui::CStyleManagerUI::InitInstance();
    ui::CStyleManagerUI::Instance()->LoadStyles("style.xml");
    ui::CStyleManagerUI::Instance()->ApplyStyle("light blue");
  }
  ~ManagerBench() {
    m_driver.reset();
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
  }

  bool Ready() const { return Handle() != 0 && m_skin != nullptr; }
  ui::test::Driver& Driver() { return *m_driver; }

  TimedManager* Open() {
    TimedManager* manager = nullptr;
    m_driver->Run([&] {
      CDialogBuilderCallbackEx callback;
      manager = new TimedManager(Handle(), "bench");
      manager->CreateWnd("wlistManagr.xml", nullptr, "wlist_manager", &callback);
      manager->ShowWindow(true, true);
    });
    m_window = manager->GetHWND();
    return manager;
  }
  HWND Window() const { return m_window; }
  // Waits for the next notice (a job's end), answers it and returns its text.
  std::string AwaitNotice(const std::string& answer = "ok") {
    const auto deadline = Clock::now() + 5min;
    while (!m_driver->OpenMessageBoxText() && Clock::now() < deadline) std::this_thread::sleep_for(5ms);
    const std::string text = m_driver->OpenMessageBoxText().value_or("");
    m_driver->AnswerMessageBox(answer);
    return text;
  }
  // Clicks "closebtn" and confirms; the time from the answer to the window's end.
  Clock::duration ConfirmClose() {
    m_driver->Click("closebtn", m_window);
    const auto deadline = Clock::now() + 1min;
    while (!m_driver->OpenMessageBoxText() && Clock::now() < deadline) std::this_thread::sleep_for(1ms);
    const auto start = Clock::now();
    m_driver->AnswerMessageBox("yes");
    while (os::IsWindow(m_window)) std::this_thread::sleep_for(1ms);
    return Clock::now() - start;
  }
  std::string ExportedFile() const {
    for (const auto& entry : fs::directory_iterator(m_folder)) {
      if (entry.path().extension() == ".csv") return entry.path().string();
    }
    return {};
  }
  // One export page and one import batch of full records, as the library takes them on their own.
  std::pair<Clock::duration, Clock::duration> LibraryCalls() {
    Fill();
    WlistRowCollector rows(Handle());
    auto start = Clock::now();
    QueryWlistRows(Handle(), "", kRecords / 2, kWlistExportPageRows);
    const auto page = Clock::now() - start;
    Empty();
    bench::WlistBenchBatch batch;
    start = Clock::now();
    batch.Import(Handle(), Rows(), kRecords - kWlistImportBatch, kWlistImportBatch);
    return {page, Clock::now() - start};
  }

 private:
  fs::path m_folder;
  std::unique_ptr<ui::test::Driver> m_driver;
  std::unique_ptr<unsigned char[]> m_skin;
  HWND m_window = nullptr;
};

struct JobFigures {
  double longestMessage = 0;
  double longestMessageCpu = 0;
  double longestNotification = 0;
  double longestProbeWait = 0;
  int probes = 0;
  double longestPaint = 0;
  int paints = 0;
};

JobFigures Collect(ManagerBench& bench, TimedManager* manager) {
  return bench.Driver().Get<JobFigures>([&] {
    return JobFigures{Ms(manager->longestMessage), Ms(manager->longestMessageCpu), Ms(manager->longestNotification), Ms(manager->longestProbeWait),
                      manager->probes, Ms(manager->longestPaint), manager->paints};
  });
}

void Report(benchmark::State& state, const char* job, const JobFigures& figures) {
  const std::string prefix = job;
  state.counters[prefix + "_longest_message_ms"] = figures.longestMessage;
  state.counters[prefix + "_longest_message_cpu_ms"] = figures.longestMessageCpu;
  state.counters[prefix + "_longest_notification_ms"] = figures.longestNotification;
  state.counters[prefix + "_longest_probe_wait_ms"] = figures.longestProbeWait;
  state.counters[prefix + "_probes"] = figures.probes;
  state.counters[prefix + "_longest_paint_ms"] = figures.longestPaint;
  state.counters[prefix + "_paints"] = figures.paints;
}

void ExportImportAndClose(benchmark::State& state) {
  ManagerBench bench;
  if (!bench.Ready()) return state.SkipWithError("no camera or skin");
  for (auto _ : state) {
    bench.Fill();
    TimedManager* manager = bench.Open();
    bench.Driver().Run([&] { manager->Reset(); });
    std::string exported;
    {
      Prober probe(bench.Window());
      bench.Driver().Click("btn_export", bench.Window());
      exported = bench.AwaitNotice();
    }
    Report(state, "export", Collect(bench, manager));
    const std::string path = bench.ExportedFile();
    if (path.empty()) return state.SkipWithError(("export failed: " + exported).c_str());

    bench.Empty();
    bench.Driver().Run([&] { manager->Reset(); });
    std::string imported;
    {
      Prober probe(bench.Window());
      bench.Driver().AnswerNextFileDialog(path);
      bench.Driver().Click("btn_import", bench.Window());
      imported = bench.AwaitNotice();
    }
    Report(state, "import", Collect(bench, manager));
    if (bench.Size() != static_cast<std::size_t>(kRecords)) return state.SkipWithError(("import: " + imported).c_str());

    // A close confirmed a third of the way through each job.
    bench.Driver().Click("btn_export", bench.Window());
    std::this_thread::sleep_for(300ms);
    state.counters["close_during_export_ms"] = Ms(bench.ConfirmClose());
    manager = bench.Open();
    bench.Empty();
    bench.Driver().AnswerNextFileDialog(path);
    bench.Driver().Click("btn_import", bench.Window());
    std::this_thread::sleep_for(300ms);
    state.counters["close_during_import_ms"] = Ms(bench.ConfirmClose());
    state.counters["records_imported_before_close"] = static_cast<double>(bench.Size());
    fs::remove(path);
  }
  const auto [page, batch] = bench.LibraryCalls();
  state.counters["library_page_of_200_ms"] = Ms(page);
  state.counters["library_batch_of_300_ms"] = Ms(batch);
}
BENCHMARK(ExportImportAndClose)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
