// Start-up to the first painted main window: in this process on the headless host (skin package,
// styles, window and its first picture), and the program itself on the gtk host under a private
// Xvfb from exec to its first painted window, beside a bare GTK 3 window under the same server.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvexCopy.h"
#include "DisplayProgram.h"
#include "FirstPaintWatch.h"
#include "cameraclient/CameraClient.h"
#include "common/SkinPackage.h"
#include "configtool/MainWnd.h"
#include "platform/ui/UIlib.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/test/Driver.h"
#include "tests/support/PrivateDisplay.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

void InProcess(benchmark::State& state) {
  ui::test::DriverOptions options;
  options.virtualClock = false;
  ui::test::Driver driver(options);
  for (auto _ : state) {
    HWND window = nullptr;
    std::unique_ptr<unsigned char[]> skin;
    Clock::duration elapsed{};
    driver.Run([&] {
      const auto start = Clock::now();
      CameraClient_Setup();
      ui::CStyleManagerUI::InitInstance();
      std::uint32_t size = 0;
      skin.reset(LoadSkinPackage(LPR_BENCH_SKIN_PACKAGE, size));
      ui::CResourceManagerUI::SetResourceZipPtr(skin.get(), size);
      ui::CStyleManagerUI::Instance()->LoadStyles("style.xml");
      ui::CStyleManagerUI::Instance()->ApplyStyle("light blue");
      auto* main = new CMainWnd;
      window = main->CreateWnd("skin.xml", nullptr, "Corvex", main->ControlFactory(), false, false, true, 1);
      main->CenterWindow();
      main->ShowWindow(true, true);
      ui::HostWindowPicture(window);
      elapsed = Clock::now() - start;
    });
    state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
    driver.Run([&] { ui::DestroyWindow(window); });
    CameraClient_Cleanup();
    ui::CResourceManagerUI::SetResourceZipPtr(nullptr, 0);
    ui::CStyleManagerUI::FreeInstance();
    // The next round decodes the skin's images again, as a fresh start does.
    driver.Run([] { ui::CPaintManagerUI().GetImageCache().Clear(); });
  }
}
BENCHMARK(InProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

using bench::DisplayProgram;
using bench::FirstPaintWatch;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct FirstPaint {
  double seconds = 0;     // from exec
  double cpuSeconds = 0;  // processor time the program used by then (to tell load from work)
};

// A program from exec to the first paint of its window; nullopt when it showed none.
std::optional<FirstPaint> TimeToFirstPaint(FirstPaintWatch& watch, const std::vector<std::string>& arguments,
                                           const std::string& display, const fs::path& runtime) {
  watch.Arm();
  DisplayProgram program(arguments, display, runtime, {});
  if (!program.Started()) return std::nullopt;
  const auto painted = watch.WaitForFirstPaint(std::chrono::seconds(20));
  if (!painted) return std::nullopt;
  return FirstPaint{std::chrono::duration<double>(*painted - program.Start()).count(), program.CpuSeconds()};
}

double Median(const std::vector<FirstPaint>& runs, double FirstPaint::*part) {
  std::vector<double> values;
  for (const FirstPaint& run : runs) values.push_back(run.*part);
  return Median(values);
}

// Corvex on the gtk host beside a bare GTK 3 window of the same size, under one private Xvfb:
// start to first painted window, runs alternating, one warm-up each first.
void BesideBareGtkWindow(benchmark::State& state) {
  constexpr int kRuns = 10;
  lpr::test::PrivateDisplay server;
  if (server.Name().empty()) return state.SkipWithError("Xvfb did not start");
  FirstPaintWatch watch(server.Name());
  if (!watch.Ready()) return state.SkipWithError("no DAMAGE extension on the private display");

  const bench::CorvexCopy copy;
  const fs::path runtime = copy.Runtime();
  const std::vector<std::string> corvex = {copy.Program().string()};

  std::vector<FirstPaint> ours;
  std::vector<FirstPaint> bare;
  for (auto _ : state) {
    const auto warmUp = TimeToFirstPaint(watch, corvex, server.Name(), runtime);
    if (!warmUp) {
      state.SkipWithError("Corvex showed no window");
      break;
    }
    const auto [width, height] = watch.LastSize();
    const std::vector<std::string> reference = {LPR_BENCH_BARE_WINDOW, std::to_string(width), std::to_string(height)};
    TimeToFirstPaint(watch, reference, server.Name(), runtime);
    for (int run = 0; run < kRuns; ++run) {
      const auto corvexTime = TimeToFirstPaint(watch, corvex, server.Name(), runtime);
      const auto bareTime = TimeToFirstPaint(watch, reference, server.Name(), runtime);
      if (!corvexTime || !bareTime) {
        state.SkipWithError("a program showed no window");
        break;
      }
      ours.push_back(*corvexTime);
      bare.push_back(*bareTime);
    }
    if (ours.size() != static_cast<std::size_t>(kRuns)) break;
    state.SetIterationTime(Median(ours, &FirstPaint::seconds));
  }
  if (ours.empty() || bare.empty()) return;
  const double oursMedian = Median(ours, &FirstPaint::seconds);
  const double bareMedian = Median(bare, &FirstPaint::seconds);
  state.counters["corvex_ms"] = oursMedian * 1e3;
  state.counters["bare_gtk_ms"] = bareMedian * 1e3;
  state.counters["ratio"] = oursMedian / bareMedian;
  state.counters["corvex_cpu_ms"] = Median(ours, &FirstPaint::cpuSeconds) * 1e3;
  state.counters["bare_gtk_cpu_ms"] = Median(bare, &FirstPaint::cpuSeconds) * 1e3;
}
BENCHMARK(BesideBareGtkWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
