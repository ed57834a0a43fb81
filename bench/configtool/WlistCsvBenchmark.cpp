// The whitelist's CSV export and import of 100 000 records through the tool's workers against the
// in-process simulator, with and without full schedules (eight full-week segments each), beside
// the camera library's own rates for the same records in the same run: import in calls of 300,
// page-out in pages of 200. The time-segment text is the tests' stand-in of the tool's form.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/BenchCamera.h"
#include "configtool/features/whitelist/WlistExportJob.h"
#include "configtool/features/whitelist/WlistImportJob.h"
#include "configtool/features/whitelist/WlistQuery.h"
#include "sim/SeedData.h"
#include "tests/configtool/whitelist/TestSegmentCodec.h"

namespace {

constexpr int kRecords = 100000;

std::vector<CameraClientWhiteListRecord> Records(bool schedules) {
  auto records = camsim::MakeSeedWhitelist(kRecords, 11);
  for (auto& record : records) {
    record.useTimeSegments = schedules ? 1 : 0;
    record.segments = schedules ? wlist::test::FullWeekSchedule() : TimeSegmentTable{};
  }
  return records;
}

// One camera holding the records, and a folder for the files.
class CsvBench {
 public:
  explicit CsvBench(bool schedules) : m_records(Records(schedules)) {
    std::string pattern = (std::filesystem::temp_directory_path() / "lpr-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) m_folder = pattern;
    Fill();
  }
  ~CsvBench() {
    std::error_code ignored;
    if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ignored);
  }

  bool Ready() const { return m_camera.Handle() != 0 && !m_folder.empty(); }
  CameraClientHandle Handle() const { return m_camera.Handle(); }
  const std::vector<CameraClientWhiteListRecord>& Rows() const { return m_records; }
  void Fill() {
    m_camera.Camera().With([&](camsim::CameraState& state) {
      state.whitelist.Clear();
      state.whitelist.Import(m_records);
    });
  }
  void Empty() {
    m_camera.Camera().With([](camsim::CameraState& state) { state.whitelist.Clear(); });
  }
  // Runs the export worker to its end; the file's path, or empty when it did not export them all.
  std::string Export() {
    auto control = std::make_shared<WlistJobControl>();
    control->Begin(WlistJobKind::Export);
    RunWlistExport(WlistExportTask{Handle(), nullptr, m_folder.string(), "bench", wlist::test::SegmentCodec(), control});
    if (control->Done() != kRecords) return {};
    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) return entry.path().string();
    return {};
  }
  bool Import(const std::string& path) {
    auto control = std::make_shared<WlistJobControl>();
    control->Begin(WlistJobKind::Import);
    RunWlistImport(WlistImportTask{Handle(), nullptr, path, wlist::test::SegmentCodec(), control});
    return control->Done() == kRecords;
  }

 private:
  bench::BenchCamera m_camera;
  std::vector<CameraClientWhiteListRecord> m_records;
  std::filesystem::path m_folder;
};

void CountRecords(benchmark::State& state) {
  state.counters["records/s"] = benchmark::Counter(static_cast<double>(kRecords) * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
  state.SetLabel(state.range(0) != 0 ? "full schedules" : "no schedules");
}

void RawImport(benchmark::State& state) {
  CsvBench bench(state.range(0) != 0);
  if (!bench.Ready()) return state.SkipWithError("no camera");
  std::vector<CameraClientWhiteListRecord> batch(kWlistImportBatch);
  std::vector<CameraClientWhiteListEntry> entries(kWlistImportBatch);
  std::vector<CameraClientWhiteListEntry> zeroed(kWlistImportBatch);
  for (int i = 0; i < kWlistImportBatch; ++i) entries[static_cast<std::size_t>(i)] = {0, &batch[static_cast<std::size_t>(i)]};
  for (auto _ : state) {
    state.PauseTiming();
    bench.Empty();
    state.ResumeTiming();
    for (int first = 0; first < kRecords; first += kWlistImportBatch) {
      const int count = std::min(kWlistImportBatch, kRecords - first);
      std::copy_n(bench.Rows().begin() + first, count, batch.begin());
      if (CameraClient_ImportWhiteList(bench.Handle(), count, entries.data(), zeroed.data()) != 0) {
        return state.SkipWithError("import failed");
      }
    }
  }
  CountRecords(state);
}
BENCHMARK(RawImport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int CountRow(CameraClientHandle, void* user, const CameraClientWhiteListRecord*) {
  ++*static_cast<int*>(user);
  return 0;
}

void RawPageOut(benchmark::State& state) {
  CsvBench bench(state.range(0) != 0);
  if (!bench.Ready()) return state.SkipWithError("no camera");
  int rows = 0;
  CameraClient_SetWhiteListCallback(bench.Handle(), CountRow, &rows);
  for (auto _ : state) {
    rows = 0;
    for (int first = 0; first < kRecords; first += kWlistExportPageRows) {
      if (QueryWlistRows(bench.Handle(), "", first, kWlistExportPageRows) != 0) return state.SkipWithError("page failed");
    }
    if (rows != kRecords) return state.SkipWithError("rows missing");
  }
  CameraClient_SetWhiteListCallback(bench.Handle(), nullptr, nullptr);
  CountRecords(state);
}
BENCHMARK(RawPageOut)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void CsvExport(benchmark::State& state) {
  CsvBench bench(state.range(0) != 0);
  if (!bench.Ready()) return state.SkipWithError("no camera");
  for (auto _ : state) {
    const std::string path = bench.Export();
    if (path.empty()) return state.SkipWithError("export failed");
    state.PauseTiming();
    state.counters["file MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove(path);
    state.ResumeTiming();
  }
  CountRecords(state);
}
BENCHMARK(CsvExport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void CsvImport(benchmark::State& state) {
  CsvBench bench(state.range(0) != 0);
  if (!bench.Ready()) return state.SkipWithError("no camera");
  const std::string path = bench.Export();
  if (path.empty()) return state.SkipWithError("export failed");
  for (auto _ : state) {
    state.PauseTiming();
    bench.Empty();
    state.ResumeTiming();
    if (!bench.Import(path)) return state.SkipWithError("import failed");
  }
  CountRecords(state);
}
BENCHMARK(CsvImport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
