// The camera client library against the in-process simulator on loopback: the round trip of a
// small Get, whitelist import and paging of 100 000 records, and 1920x1080 frames delivered to the
// frame callback.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "cameraclient/CameraClient.h"
#include "sim/Simulator.h"

namespace {

constexpr int kWhiteListRows = 100000;

// One simulated camera on a loopback address of this process, and an open handle to it.
class BenchCamera {
 public:
  BenchCamera() {
    camsim::SimulatorOptions options;
    options.multicastGroup.clear();
    m_simulator = std::make_unique<camsim::Simulator>(options);
    const auto pid = static_cast<unsigned>(::getpid());
    const std::string ip = "127." + std::to_string(20 + pid % 200) + "." + std::to_string((pid / 200) % 250 + 1) + ".1";
    CameraClient_Setup();
    if (m_simulator->AddCameras(1, ip, 8080)) {
      m_handle = CameraClient_Open(ip.c_str(), 8080, "qorvt", "qorvt");
    }
  }
  ~BenchCamera() {
    CameraClient_Cleanup();
    m_simulator->Stop();
  }
  CameraClientHandle Handle() const { return m_handle; }

 private:
  std::unique_ptr<camsim::Simulator> m_simulator;
  CameraClientHandle m_handle = 0;
};

void SmallGetRoundTrip(benchmark::State& state) {
  BenchCamera camera;
  if (camera.Handle() == 0) return state.SkipWithError("no camera");
  int mode = 0;
  for (auto _ : state) {
    if (CameraClient_GetLedMode(camera.Handle(), &mode) != 0) return state.SkipWithError("GetLedMode failed");
  }
  state.SetLabel("GetLedMode");
}
BENCHMARK(SmallGetRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();

CameraClientWhiteListRecord Row(int i) {
  CameraClientWhiteListRecord row{};
  std::snprintf(row.plate, sizeof row.plate, "A%06d", i);
  row.enabled = 1;
  return row;
}

// Imports kWhiteListRows records in calls of 300, as the tool's import does.
bool ImportAll(CameraClientHandle handle) {
  constexpr int kBatch = 300;
  std::vector<CameraClientWhiteListRecord> rows(kBatch);
  std::vector<CameraClientWhiteListEntry> entries(kBatch);
  std::vector<CameraClientWhiteListEntry> zeroed(kBatch);
  for (int first = 0; first < kWhiteListRows; first += kBatch) {
    const int count = std::min(kBatch, kWhiteListRows - first);
    for (int i = 0; i < count; ++i) {
      rows[static_cast<std::size_t>(i)] = Row(first + i);
      entries[static_cast<std::size_t>(i)] = {0, &rows[static_cast<std::size_t>(i)]};
    }
    if (CameraClient_ImportWhiteList(handle, count, entries.data(), zeroed.data()) != 0) return false;
  }
  return true;
}

void WhiteListImport(benchmark::State& state) {
  BenchCamera camera;
  if (camera.Handle() == 0) return state.SkipWithError("no camera");
  for (auto _ : state) {
    state.PauseTiming();
    CameraClient_ClearWhiteList(camera.Handle());
    state.ResumeTiming();
    if (!ImportAll(camera.Handle())) return state.SkipWithError("import failed");
  }
  state.counters["records/s"] =
      benchmark::Counter(static_cast<double>(kWhiteListRows) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}
BENCHMARK(WhiteListImport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int CountRow(CameraClientHandle, void* user, const CameraClientWhiteListRecord*) {
  ++*static_cast<int*>(user);
  return 0;
}

void WhiteListPageOut(benchmark::State& state) {
  BenchCamera camera;
  if (camera.Handle() == 0 || !ImportAll(camera.Handle())) return state.SkipWithError("no camera");
  const int pageRows = static_cast<int>(state.range(0));
  int rows = 0;
  CameraClient_SetWhiteListCallback(camera.Handle(), CountRow, &rows);
  CameraClientWhiteListKeyValue item{"PlateID", ""};
  CameraClientWhiteListSearch search{0, 1, &item};
  CameraClientWhiteListRange range{0, pageRows};
  CameraClientWhiteListLimit limit{CAMERACLIENT_WHITELIST_LIMIT_RANGE, &range};
  CameraClientWhiteListCondition condition{&search, &limit, 0};
  for (auto _ : state) {
    rows = 0;
    for (range.first = 0; range.first < kWhiteListRows; range.first += pageRows) {
      if (CameraClient_QueryWhiteList(camera.Handle(), &condition) != 0) return state.SkipWithError("page failed");
    }
    if (rows != kWhiteListRows) return state.SkipWithError("rows missing");
  }
  state.counters["records/s"] =
      benchmark::Counter(static_cast<double>(kWhiteListRows) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}
BENCHMARK(WhiteListPageOut)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

struct FrameCount {
  std::atomic<int> frames{0};
  std::atomic<int> width{0};
};

int CountFrame(CameraClientHandle, void* user, const CameraClientFrame* frame) {
  auto* count = static_cast<FrameCount*>(user);
  count->width = frame->width;
  ++count->frames;
  return 0;
}

// The camera streams at its configured size and rate (1920x1080 at 25 per second here); this is
// what reaches the frame callback, decoded to I420.
void FramesToTheCallback(benchmark::State& state) {
  BenchCamera camera;
  if (camera.Handle() == 0) return state.SkipWithError("no camera");
  CameraClient_SetFrameSize(camera.Handle(), 3);
  CameraClient_SetFrameRate(camera.Handle(), 25);
  FrameCount count;
  const CameraClientPlayHandle stream = CameraClient_StartStream(camera.Handle(), 0, 0, 0);
  if (stream == -1) return state.SkipWithError("no stream");
  CameraClient_SetFrameCallback(camera.Handle(), CountFrame, &count);
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (count.frames == 0) {
    if (std::chrono::steady_clock::now() > giveUp) return state.SkipWithError("no frame arrived");
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  for (auto _ : state) {
    const int before = count.frames;
    std::this_thread::sleep_for(std::chrono::seconds(4));
    state.SetIterationTime(4.0);
    state.counters["frames/s"] = (count.frames - before) / 4.0;
  }
  state.counters["width"] = count.width.load();
  CameraClient_StopRealPlay(stream);
}
BENCHMARK(FramesToTheCallback)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
