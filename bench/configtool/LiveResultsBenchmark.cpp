// Live results under load: a simulated camera reads 20 plates a second for 30 s (real time) while
// the main window shows them. Reports how many results the window handled, how many pictures were
// saved, and the longest the window thread spent on one result (its message) and on one paint.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "cameraclient/CameraClient.h"
#include "common/SkinPackage.h"
#include "configtool/MainWnd.h"
#include "platform/os/AppDirectory.h"
#include "platform/ui/UIlib.h"
#include "platform/ui/test/Driver.h"
#include "sim/Simulator.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The main window with a stopwatch around the messages a result costs the window thread.
class TimedMainWnd : public CMainWnd {
 public:
  int results = 0;
  Clock::duration longestResult{};
  Clock::duration longestPaint{};
  Clock::duration allPaints{};
  int paints = 0;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    const auto start = Clock::now();
    const LRESULT result = CMainWnd::HandleMessage(message, wParam, lParam);
    const auto spent = Clock::now() - start;
    if (message == WM_PLATE_RESULT) {
      ++results;
      longestResult = std::max(longestResult, spent);
    } else if (message == WM_PAINT) {
      longestPaint = std::max(longestPaint, spent);
      allPaints += spent;
      ++paints;
    }
    return result;
  }
};

std::size_t SavedPictures(const fs::path& folder) {
  std::size_t count = 0;
  if (!fs::exists(folder)) return 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) count += entry.path().extension() == ".jpg";
  return count;
}

double Ms(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

void TwentyPlatesASecond(benchmark::State& state) {
  std::string pattern = (fs::temp_directory_path() / "corvex-live-XXXXXX").string();
  const fs::path folder = ::mkdtemp(pattern.data());
  os::SetApplicationDirectoryForTesting(folder.string());
  ui::test::DriverOptions options;
  options.virtualClock = false;
  ui::test::Driver driver(options);
  std::uint32_t size = 0;
  std::unique_ptr<unsigned char[]> skin(LoadSkinPackage(LPR_BENCH_SKIN_PACKAGE, size));
  ui::CResourceManagerUI::SetResourceZipPtr(skin.get(), size);
  ui::CStyleManagerUI::InitInstance();
  ui::CStyleManagerUI::Instance()->LoadStyles("style.xml");
  ui::CStyleManagerUI::Instance()->ApplyStyle("light blue");

  camsim::SimulatorOptions simulatorOptions;
  simulatorOptions.multicastGroup.clear();
  camsim::Simulator simulator(simulatorOptions);
  const std::string ip = "127.0.11." + std::to_string(1 + ::getpid() % 250);
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
  driver.Run([&] { driver.Control("edit_device_ip")->SetText(ip.c_str()); });
  driver.Type("edit_device_ip", "");
  driver.Run([&] {
    driver.Control("edit_device_port")->SetText("8080");
    driver.Control("edit_device_login_pwd")->SetText("qorvt");
  });
  driver.Click("btn_open");

  const auto duration = std::chrono::seconds(30);
  for (auto _ : state) {
    // Only what the results cost counts, not the window's first pictures.
    driver.Run([&] {
      window->longestResult = {};
      window->longestPaint = {};
      window->allPaints = {};
      window->paints = 0;
    });
    simulator.Camera(0).SetPlatesPerMinute(20 * 60);
    std::this_thread::sleep_for(duration);
    simulator.Camera(0).SetPlatesPerMinute(0);
    // What is on its way still arrives.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    driver.WaitUntilIdle();
  }
  struct Figures {
    int results = 0;
    double longestResult = 0;
    double longestPaint = 0;
    double meanPaint = 0;
  };
  const Figures figures = driver.Get<Figures>([&] {
    return Figures{window->results, Ms(window->longestResult), Ms(window->longestPaint),
                   window->paints > 0 ? Ms(window->allPaints) / window->paints : 0.0};
  });
  // Record ids count from 1: the newest record's id is the number of plates read.
  const std::int32_t read = simulator.Camera(0).With([](camsim::CameraState& camera) {
    return camera.plates.Records().empty() ? 0 : camera.plates.Records().back().result.recordId;
  });
  state.counters["plates_read"] = static_cast<double>(read);
  state.counters["results_handled"] = figures.results;
  state.counters["pictures_saved"] = static_cast<double>(SavedPictures(folder / "PlateImgs"));
  state.counters["longest_result_ms"] = figures.longestResult;
  state.counters["longest_paint_ms"] = figures.longestPaint;
  state.counters["mean_paint_ms"] = figures.meanPaint;

  driver.Run([&] { ui::DestroyWindow(window->GetHWND()); });
  CameraClient_Cleanup();
  simulator.Stop();
  ui::CResourceManagerUI::SetResourceZipPtr(nullptr, 0);
  ui::CStyleManagerUI::FreeInstance();
  os::SetApplicationDirectoryForTesting("");
  fs::remove_all(folder);
}
BENCHMARK(TwentyPlatesASecond)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
