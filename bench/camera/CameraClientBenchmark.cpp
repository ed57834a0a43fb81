// The camera client library against the in-process simulator on loopback: the round trip of a
// small Get, whitelist import and paging of 100 000 records, and 1920x1080 frames delivered to the
// frame callback by one camera and by several at once.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/BenchCamera.h"
#include "cameraclient/CameraClient.h"

namespace {

constexpr int kWhiteListRows = 100000;

using bench::BenchCamera;

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
  std::atomic<int> otherSize{0};
};

int CountFrame(CameraClientHandle, void* user, const CameraClientFrame* frame) {
  auto* count = static_cast<FrameCount*>(user);
  if (frame->width == 1920 && frame->height == 1080 && frame->y != nullptr && frame->u != nullptr &&
      frame->v != nullptr) {
    ++count->frames;
  } else {
    ++count->otherSize;
  }
  return 0;
}

// Each camera streams at 1920x1080, 25 per second (the most a camera sends); this is what reaches
// the frame callbacks, decoded to I420, with range(0) cameras streaming at once.
void FramesToTheCallback(benchmark::State& state) {
  const int cameras = static_cast<int>(state.range(0));
  BenchCamera camera(cameras);
  if (camera.Handle(static_cast<std::size_t>(cameras - 1)) == 0) return state.SkipWithError("no camera");
  std::vector<FrameCount> counts(static_cast<std::size_t>(cameras));
  std::vector<CameraClientPlayHandle> streams;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    const CameraClientHandle handle = camera.Handle(i);
    CameraClient_SetFrameSize(handle, 3);
    CameraClient_SetFrameRate(handle, 25);
    const CameraClientPlayHandle stream = CameraClient_StartStream(handle, 0, 0, 0);
    if (stream == -1) return state.SkipWithError("no stream");
    streams.push_back(stream);
    CameraClient_SetFrameCallback(handle, CountFrame, &counts[i]);
  }
  auto total = [&] {
    int frames = 0;
    for (const FrameCount& count : counts) frames += count.frames;
    return frames;
  };
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::any_of(counts.begin(), counts.end(), [](const FrameCount& count) { return count.frames == 0; })) {
    if (std::chrono::steady_clock::now() > giveUp) return state.SkipWithError("no frame arrived");
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  for (auto _ : state) {
    const int before = total();
    std::this_thread::sleep_for(std::chrono::seconds(4));
    state.SetIterationTime(4.0);
    state.counters["frames/s"] = (total() - before) / 4.0;
    state.counters["frames/s per camera"] = (total() - before) / 4.0 / cameras;
  }
  for (CameraClientPlayHandle stream : streams) CameraClient_StopRealPlay(stream);
  int otherSize = 0;
  for (const FrameCount& count : counts) otherSize += count.otherSize;
  if (otherSize != 0) state.SkipWithError("frames of another size arrived");
}
BENCHMARK(FramesToTheCallback)->Arg(1)->Arg(4)->Arg(8)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
