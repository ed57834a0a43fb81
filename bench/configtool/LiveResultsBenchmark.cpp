// Live results under load: a simulated camera reads 20 plates a second for 30 s (real time) while
// the main window shows them and its live video. Reports how many results were lost on the way
// (read by the camera but not handled by the window, or handled without their saved picture), and
// the longest the window thread spent on one result (its message) and on one paint of the main
// window, in real time and in the thread's processor time (which a busy machine does not
// stretch), with the paints' mean.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "ToolSession.h"
#include "cameraclient/CameraClient.h"
#include "configtool/MainWnd.h"
#include "platform/os/AppDirectory.h"
#include "platform/ui/UIlib.h"
#include "platform/ui/test/Driver.h"
#include "sim/Simulator.h"
#include "tests/support/LoopbackBlock.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double ThreadCpuMs() {
  timespec cpu{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
  return cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6;
}

double Ms(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

// The longest and the total of a kind of work, in real time and in processor time.
struct Spent {
  double longestMs = 0;
  double longestCpuMs = 0;
  double totalMs = 0;
  double totalCpuMs = 0;
  int count = 0;
  void Add(double ms, double cpuMs) {
    longestMs = std::max(longestMs, ms);
    longestCpuMs = std::max(longestCpuMs, cpuMs);
    totalMs += ms;
    totalCpuMs += cpuMs;
    ++count;
  }
};

// The main window with a stopwatch around the messages a result costs the window thread.
class TimedMainWnd : public CMainWnd {
 public:
  Spent results;
  Spent paints;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    const auto start = Clock::now();
    const double cpu = ThreadCpuMs();
    const LRESULT result = CMainWnd::HandleMessage(message, wParam, lParam);
    const double ms = Ms(Clock::now() - start);
    if (message == WM_PLATE_RESULT) results.Add(ms, ThreadCpuMs() - cpu);
    if (message == WM_PAINT) paints.Add(ms, ThreadCpuMs() - cpu);
    return result;
  }
};

std::size_t SavedPictures(const fs::path& folder) {
  std::size_t count = 0;
  if (!fs::exists(folder)) return 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) count += entry.path().extension() == ".jpg";
  return count;
}

void TwentyPlatesASecond(benchmark::State& state) {
  std::string pattern = (fs::temp_directory_path() / "corvex-live-XXXXXX").string();
  const fs::path folder = ::mkdtemp(pattern.data());
  os::SetApplicationDirectoryForTesting(folder.string());
  ui::test::DriverOptions options;
  options.virtualClock = false;
  ui::test::Driver driver(options);
  bench::ToolSkin skin;

  camsim::SimulatorOptions simulatorOptions;
  simulatorOptions.multicastGroup.clear();
  camsim::Simulator simulator(simulatorOptions);
  const std::string ip = lpr::test::ProcessLoopbackPrefix() + "1";
  camsim::CameraProfile profile;
  profile.ip = ip;
  if (!simulator.AddCamera(profile)) {
    state.SkipWithError("camera did not start");
    return;
  }
  CameraClient_Setup();

  TimedMainWnd* window = nullptr;
  driver.Run([&] {
    window = new TimedMainWnd;
    window->CreateWnd("skin.xml", nullptr, "Corvex", window->ControlFactory(), false, false, true, 1);
    window->ShowWindow(true, true);
  });
  bench::OpenCamera(driver, ip);

  const auto duration = std::chrono::seconds(30);
  for (auto _ : state) {
    // Only what the results cost counts, not the window's first pictures nor what the open camera
    // shows first.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    driver.Run([&] {
      window->results = {};
      window->paints = {};
    });
    simulator.Camera(0).SetPlatesPerMinute(20 * 60);
    std::this_thread::sleep_for(duration);
    simulator.Camera(0).SetPlatesPerMinute(0);
    // What is on its way still arrives.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    driver.WaitUntilIdle();
  }
  const auto [results, paints] =
      driver.Get<std::pair<Spent, Spent>>([&] { return std::pair(window->results, window->paints); });
  // Record ids count from 1: the newest record's id is the number of plates read.
  const std::int32_t read = simulator.Camera(0).With([](camsim::CameraState& camera) {
    return camera.plates.Records().empty() ? 0 : camera.plates.Records().back().result.recordId;
  });
  const auto saved = static_cast<double>(SavedPictures(folder / "PlateImgs"));
  state.counters["plates_read"] = static_cast<double>(read);
  state.counters["results_handled"] = results.count;
  state.counters["results_lost"] = read - results.count;
  state.counters["pictures_lost"] = results.count - saved;
  state.counters["longest_result_ms"] = results.longestMs;
  state.counters["longest_result_cpu_ms"] = results.longestCpuMs;
  state.counters["longest_paint_ms"] = paints.longestMs;
  state.counters["longest_paint_cpu_ms"] = paints.longestCpuMs;
  state.counters["mean_paint_ms"] = paints.count > 0 ? paints.totalMs / paints.count : 0.0;
  state.counters["mean_paint_cpu_ms"] = paints.count > 0 ? paints.totalCpuMs / paints.count : 0.0;

  driver.Run([&] { ui::DestroyWindow(window->GetHWND()); });
  CameraClient_Cleanup();
  simulator.Stop();
  os::SetApplicationDirectoryForTesting("");
  fs::remove_all(folder);
}
BENCHMARK(TwentyPlatesASecond)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
