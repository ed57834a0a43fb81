// Start-up to the first painted main window: in this process on the headless host (skin package,
// styles, window and its first picture), and the program itself from exec to the picture a
// step script saves.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "cameraclient/CameraClient.h"
#include "common/SkinPackage.h"
#include "configtool/MainWnd.h"
#include "platform/ui/UIlib.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/test/Driver.h"

extern char** environ;

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

// The program in a folder of its own; the picture of the step script marks the first paint.
void WholeProgram(benchmark::State& state) {
  std::string pattern = (fs::temp_directory_path() / "corvex-bench-XXXXXX").string();
  const fs::path folder = ::mkdtemp(pattern.data());
  const fs::path bin = fs::path(LPR_BENCH_CORVEX).parent_path();
  for (const char* file : {"Corvex", "libJqLPRSDK.so", "libJQShareMem.so", "skin.dll"}) fs::copy_file(bin / file, folder / file);
  fs::create_directory(folder / "run");
  const fs::path picture = folder / "first.png";
  std::ofstream(folder / "steps.txt") << "wait-window Corvex 20000\nscreenshot " << picture.string() << " Corvex\nquit\n";

  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) environment.emplace_back(*entry);
  environment.push_back("XDG_RUNTIME_DIR=" + (folder / "run").string());
  environment.push_back("LPR_UI_HOST=headless");
  environment.push_back("LPR_UI_SCRIPT=" + (folder / "steps.txt").string());
  std::vector<char*> envp;
  for (std::string& text : environment) envp.push_back(text.data());
  envp.push_back(nullptr);
  std::string program = (folder / "Corvex").string();
  char* argv[] = {program.data(), nullptr};

  for (auto _ : state) {
    fs::remove(picture);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
      state.SkipWithError("Corvex did not start");
      break;
    }
    while (!fs::exists(picture) && Clock::now() - start < std::chrono::seconds(30)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    int status = 0;
    ::waitpid(pid, &status, 0);
  }
  fs::remove_all(folder);
}
BENCHMARK(WholeProgram)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
