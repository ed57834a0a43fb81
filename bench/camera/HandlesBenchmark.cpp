// A thousand simulated cameras (250 loopback addresses of four ports each, in this process), each
// opened by a handle of its own from eight threads at once, then each handle's configuration read:
// the time to open them all, the time to read them all, and the threads the library holds while
// they are open (the process's threads then, less those before the first handle was opened).

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/BenchProcess.h"
#include "cameraclient/CameraClient.h"
#include "sim/Simulator.h"

namespace {

constexpr std::size_t kCameras = 1000;
constexpr std::uint16_t kPortsPerAddress = 4;
constexpr std::size_t kCallerThreads = 8;
constexpr int kReadsPerHandle = 8;

// Runs `work(i)` for every camera index, spread over the caller threads; the seconds it took.
template <typename Work>
double ForEachCamera(Work work) {
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < kCallerThreads; ++t) {
    threads.emplace_back([&, t] {
      for (std::size_t i = t; i < kCameras; i += kCallerThreads) work(i);
    });
  }
  for (auto& thread : threads) thread.join();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// kReadsPerHandle Gets of what the configuration export reads.
bool ReadConfiguration(CameraClientHandle handle) {
  int a = 0, b = 0, c = 0, d = 0;
  CameraClientNetParam net{};
  CameraClientOsdParam osd{};
  CameraClientIoOutput output{};
  return CameraClient_GetHardwareType(handle, &a) == 0 && CameraClient_GetModelId(handle, &a, &b) == 0 &&
         CameraClient_GetFirmwareVersion(handle, &a, &b, &c, &d) == 0 && CameraClient_GetNetParam(handle, &net) == 0 &&
         CameraClient_GetLedMode(handle, &a) == 0 && CameraClient_GetVideoQuality(handle, &a) == 0 &&
         CameraClient_GetOsdParam(handle, &osd) == 0 && CameraClient_GetIoOutput(handle, &output) == 0;
}

void OpenAndReadThousandHandles(benchmark::State& state) {
  // Each camera holds a listening and a search socket, each connection a descriptor at both ends.
  if (!bench::AllowOpenFiles(5 * kCameras)) return state.SkipWithError("too few file descriptors allowed");
  camsim::SimulatorOptions options;
  options.multicastGroup.clear();
  options.ioThreads = 4;
  camsim::Simulator simulator(options);
  for (std::uint16_t port = 8080; port < 8080 + kPortsPerAddress; ++port) {
    std::string error;
    if (!simulator.AddCameras(kCameras / kPortsPerAddress, bench::LoopbackPrefix() + "1", port, {}, &error)) {
      return state.SkipWithError(("cameras not started: " + error).c_str());
    }
  }
  CameraClient_Setup();
  for (auto _ : state) {
    const int before = bench::ProcessThreads();
    std::vector<CameraClientHandle> handles(kCameras, 0);
    std::atomic<int> failures{0};
    const double open = ForEachCamera([&](std::size_t i) {
      const auto& camera = simulator.Camera(i);
      handles[i] = CameraClient_Open(camera.Ip().c_str(), camera.Port(), "qorvt", "qorvt");
      if (handles[i] == 0) ++failures;
    });
    const double read = ForEachCamera([&](std::size_t i) {
      if (handles[i] != 0 && !ReadConfiguration(handles[i])) ++failures;
    });
    const int during = bench::ProcessThreads();
    ForEachCamera([&](std::size_t i) { CameraClient_Close(handles[i]); });
    if (failures > 0) {
      state.SkipWithError("a handle failed to open or to read");
      break;
    }
    state.SetIterationTime(open + read);
    state.counters["open_s"] = open;
    state.counters["read_s"] = read;
    state.counters["reads/s"] = kCameras * kReadsPerHandle / read;
    state.counters["library_threads"] = during - before;
  }
  CameraClient_Cleanup();
  simulator.Stop();
}
BENCHMARK(OpenAndReadThousandHandles)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
