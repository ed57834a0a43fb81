// Live video of one 1920x1080 25 fps camera, the simulator's own stream:
// - JpegToPaintedPixels: the library's video path in this process, from a frame's JPEG bytes to the
//   painted pixels of a window of the main window's video area, beside the same decode and scale
//   done with libjpeg-turbo and libyuv alone;
// - BesideFfmpegAndFfplay: Corvex on the gtk host under a private Xvfb showing the camera of an
//   lpr-camsim program (processor time of the whole program, frames decoded, shown and lost, as
//   its step script's "video" step tells them) beside ffmpeg decoding and scaling the same stream
//   to the same size and ffplay showing it under the same server (when they are installed);
// - WindowThreadWithOneCamera: the main window in this process on the gtk host showing a camera:
//   the longest the window thread was busy at a time.

#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <arpa/inet.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include <libyuv.h>
#include <turbojpeg.h>

#include "CorvexCopy.h"
#include "DisplayProgram.h"
#include "ToolSession.h"
#include "WindowThreadWatch.h"
#include "cameraclient/CameraClient.h"
#include "configtool/MainWnd.h"
#include "platform/camera/VideoPipeline.h"
#include "platform/ui/UIlib.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/hosts/gtk/GtkHost.h"
#include "platform/ui/test/Driver.h"
#include "sim/Simulator.h"
#include "sim/VideoSource.h"
#include "tests/support/LoopbackBlock.h"
#include "tests/support/PrivateDisplay.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr auto kWarmUp = 3s;
constexpr auto kMeasured = 20s;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

double ProcessCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Frames as a simulated camera draws and encodes them, in real time.
std::vector<std::vector<std::uint8_t>> SimulatorFrames(std::size_t count) {
  std::mutex mutex;
  std::condition_variable enough;
  std::vector<std::vector<std::uint8_t>> frames;
  camsim::VideoSource source(
      [](int stream, camsim::VideoSource::Format& format) {
        if (stream != 0) return false;
        format.size = camsim::VideoSize{kWidth, kHeight};
        format.frameRate = 25;
        format.plateUtf8 = reinterpret_cast<const char*>(u8"京A12345");
        format.captionUtf8 = "2026-12-10 12:00:00  127.0.10.1";
        return true;
      },
      [&](int, std::uint32_t, int, int, std::vector<std::uint8_t> jpeg) {
        std::lock_guard lock(mutex);
        if (frames.size() < count) frames.push_back(std::move(jpeg));
        enough.notify_all();
      });
  source.SetDemand(true, false);
  {
    std::unique_lock lock(mutex);
    enough.wait(lock, [&] { return frames.size() == count; });
  }
  source.Stop();
  return frames;
}

// The main window's video area, as its layout places it.
RECT VideoArea(ui::test::Driver& driver) {
  return driver.Get<RECT>([&] {
    ui::CControlUI* play = driver.Control("play_control");
    return play != nullptr ? play->GetPos() : RECT{};
  });
}

// A video window that paints the newest picture as the play window does and tells when it did.
class PaintedVideo : public ui::IWindowProcedure {
 public:
  LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_PAINT) return ui::DefWindowProc(hwnd, message, wParam, lParam);
    const bool painted = ui::PaintVideoPicture(hwnd, reinterpret_cast<HDC>(wParam));
    std::lock_guard lock(m_mutex);
    if (painted) m_shown = ui::GetVideoFrameCounts(hwnd).shown;
    m_changed.notify_all();
    return 0;
  }
  bool WaitForShown(std::uint64_t count) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, 5s, [&] { return m_shown >= count; });
  }

 private:
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::uint64_t m_shown = 0;
};

// The same decode and scale with the two libraries alone, in buffers kept from frame to frame.
class LibrariesAlone {
 public:
  explicit LibrariesAlone(SIZE target)
      : m_handle(tjInitDecompress()),
        m_target(target),
        m_reducedY(static_cast<std::size_t>(kWidth / 2) * kHeight / 2),
        m_reducedU(m_reducedY.size() / 4),
        m_reducedV(m_reducedY.size() / 4),
        m_y(static_cast<std::size_t>(target.cx) * target.cy),
        m_u(m_y.size() / 4 + target.cx),
        m_v(m_u.size()),
        m_bgra(m_y.size() * 4) {}
  ~LibrariesAlone() { tjDestroy(m_handle); }
  LibrariesAlone(const LibrariesAlone&) = delete;
  LibrariesAlone& operator=(const LibrariesAlone&) = delete;

  // Decoded at half size (a size that still covers the video area), scaled, converted.
  void Decode(const std::vector<std::uint8_t>& jpeg) {
    const int width = kWidth / 2;
    const int height = kHeight / 2;
    const int targetWidth = static_cast<int>(m_target.cx);
    const int targetHeight = static_cast<int>(m_target.cy);
    unsigned char* planes[3] = {m_reducedY.data(), m_reducedU.data(), m_reducedV.data()};
    int strides[3] = {width, width / 2, width / 2};
    tjDecompressToYUVPlanes(m_handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), planes, width, strides,
                            height, 0);
    const int chroma = (targetWidth + 1) / 2;
    libyuv::I420Scale(m_reducedY.data(), width, m_reducedU.data(), width / 2, m_reducedV.data(), width / 2, width,
                      height, m_y.data(), targetWidth, m_u.data(), chroma, m_v.data(), chroma, targetWidth,
                      targetHeight, libyuv::kFilterBox);
    libyuv::J420ToARGB(m_y.data(), targetWidth, m_u.data(), chroma, m_v.data(), chroma, m_bgra.data(),
                       targetWidth * 4, targetWidth, targetHeight);
  }

 private:
  tjhandle m_handle;
  SIZE m_target;
  std::vector<std::uint8_t> m_reducedY, m_reducedU, m_reducedV, m_y, m_u, m_v, m_bgra;
};

struct Cost {
  Clock::duration wall{};
  double cpuSeconds = 0;
  int frames = 0;
  double WallMs() const { return Seconds(wall) * 1e3 / frames; }
  double CpuMs() const { return cpuSeconds * 1e3 / frames; }
};

void JpegToPaintedPixels(benchmark::State& state) {
  constexpr int kRounds = 4;
  const auto frames = SimulatorFrames(50);
  bench::ToolSkin skin;
  ui::test::DriverOptions options;
  options.virtualClock = false;
  ui::test::Driver driver(options);
  CMainWnd* window = nullptr;
  driver.Run([&] {
    window = new CMainWnd;
    window->CreateWnd("skin.xml", nullptr, "Corvex", window->ControlFactory(), false, false, true, 1);
    window->ShowWindow(true, true);
  });
  const RECT area = VideoArea(driver);
  PaintedVideo painter;
  const HWND video = driver.Get<HWND>([&] {
    ui::CreateWindowParams params;
    params.className = "PaintedVideo";
    params.style = WS_CHILD | WS_VISIBLE;
    params.rect = area;
    params.parent = window->GetHWND();
    params.procedure = &painter;
    return ui::CreateNativeWindow(params);
  });
  auto pipeline = std::make_shared<camera::VideoPipeline>(1);
  pipeline->AddPlay(1, video);
  LibrariesAlone alone(SIZE{RectWidth(area), RectHeight(area)});

  Cost ours;
  Cost reference;
  std::uint32_t number = 0;
  for (auto _ : state) {
    for (int round = 0; round < kRounds; ++round) {
      for (const auto& jpeg : frames) {
        camera::protocol::VideoFrameEvent event{++number, kWidth, kHeight, jpeg};
        auto start = Clock::now();
        double cpu = ProcessCpuSeconds();
        pipeline->Offer(std::move(event));
        if (!painter.WaitForShown(number)) return state.SkipWithError("a frame was not shown");
        ours.wall += Clock::now() - start;
        ours.cpuSeconds += ProcessCpuSeconds() - cpu;
        ++ours.frames;

        start = Clock::now();
        cpu = ProcessCpuSeconds();
        alone.Decode(jpeg);
        reference.wall += Clock::now() - start;
        reference.cpuSeconds += ProcessCpuSeconds() - cpu;
        ++reference.frames;
      }
    }
  }
  pipeline->Stop();
  driver.Run([&] { ui::DestroyWindow(window->GetHWND()); });
  state.counters["video_area_width"] = RectWidth(area);
  state.counters["video_area_height"] = RectHeight(area);
  state.counters["ours_ms"] = ours.WallMs();
  state.counters["ours_cpu_ms"] = ours.CpuMs();
  state.counters["alone_ms"] = reference.WallMs();
  state.counters["alone_cpu_ms"] = reference.CpuMs();
  state.counters["ratio_cpu"] = ours.CpuMs() / reference.CpuMs();
  state.counters["ratio_wall"] = ours.WallMs() / reference.WallMs();
}
BENCHMARK(JpegToPaintedPixels)->Unit(benchmark::kMillisecond)->Iterations(1);

bool CanConnect(const std::string& ip, std::uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  ::inet_pton(AF_INET, ip.c_str(), &address.sin_addr);
  const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return connected;
}

// What a "video" step printed: decoded, shown, skipped, replaced.
std::optional<std::vector<double>> VideoCounts(const std::string& line) {
  static const std::regex pattern(R"(video play_control: decoded (\d+) shown (\d+) skipped (\d+) replaced (\d+))");
  std::smatch match;
  if (!std::regex_search(line, match, pattern)) return std::nullopt;
  return std::vector<double>{std::stod(match[1]), std::stod(match[2]), std::stod(match[3]), std::stod(match[4])};
}

struct ProgramRun {
  double cpuPercent = 0;
  std::vector<double> counts;  // Corvex's: decoded, shown, skipped, replaced
  double seconds = 0;
};

// Corvex opens the camera by its step script and tells its video counts at the start and the
// end of the measured time; its processor time is read when it tells them.
std::optional<ProgramRun> RunCorvex(const bench::CorvexCopy& copy, const std::string& display,
                                    const std::string& ip) {
  const fs::path script = copy.Folder() / "live-video.txt";
  std::ofstream(script) << "wait-window Corvex 20000\n"
                           "wait 1500\n"
                           "type edit_device_ip " << ip << "\n"
                           "type edit_device_login_pwd qorvt\n"
                           "click btn_open\n"
                           "wait " << std::chrono::milliseconds(kWarmUp).count() << "\n"
                           "video play_control\n"
                           "wait " << std::chrono::milliseconds(kMeasured).count() << "\n"
                           "video play_control\n"
                           "quit\n";
  bench::DisplayProgram::Options options;
  options.environment = {"LPR_UI_SCRIPT=" + script.string()};
  options.readErrors = true;
  bench::DisplayProgram corvex({copy.Program().string()}, display, copy.Runtime(), options);
  std::vector<std::pair<Clock::time_point, double>> marks;
  std::vector<std::vector<double>> counts;
  const auto deadline = Clock::now() + kWarmUp + kMeasured + 60s;
  while (counts.size() < 2) {
    const auto line = corvex.NextErrorLine(deadline);
    if (!line) return std::nullopt;
    if (auto told = VideoCounts(*line)) {
      marks.emplace_back(Clock::now(), corvex.CpuSeconds());
      counts.push_back(*told);
    }
  }
  ProgramRun run;
  run.seconds = Seconds(marks[1].first - marks[0].first);
  run.cpuPercent = 100 * (marks[1].second - marks[0].second) / run.seconds;
  for (std::size_t i = 0; i < counts[0].size(); ++i) run.counts.push_back(counts[1][i] - counts[0][i]);
  return run;
}

// Another program, measured after the same warm-up for the same time.
std::optional<ProgramRun> RunOther(const std::vector<std::string>& arguments, const std::string& display,
                                   const fs::path& runtime) {
  bench::DisplayProgram program(arguments, display, runtime, {});
  if (!program.Started()) return std::nullopt;
  std::this_thread::sleep_for(kWarmUp);
  const double cpu = program.CpuSeconds();
  const auto start = Clock::now();
  std::this_thread::sleep_for(kMeasured);
  ProgramRun run;
  run.seconds = Seconds(Clock::now() - start);
  run.cpuPercent = 100 * (program.CpuSeconds() - cpu) / run.seconds;
  return run;
}

bool Installed(const char* program) {
  return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

void BesideFfmpegAndFfplay(benchmark::State& state) {
  lpr::test::PrivateDisplay server;
  if (server.Name().empty()) return state.SkipWithError("Xvfb did not start");
  const bench::CorvexCopy copy;
  // The video area's size, from the main window's layout.
  RECT area{};
  {
    bench::ToolSkin skin;
    ui::test::Driver driver;
    CMainWnd* window = nullptr;
    driver.Run([&] {
      window = new CMainWnd;
      window->CreateWnd("skin.xml", nullptr, "Corvex", window->ControlFactory(), false, false, true, 1);
      window->ShowWindow(true, true);
    });
    area = VideoArea(driver);
    driver.Run([&] { ui::DestroyWindow(window->GetHWND()); });
  }
  const std::string width = std::to_string(RectWidth(area));
  const std::string height = std::to_string(RectHeight(area));
  // The same stream for the players: ten seconds of the simulator's frames, played in a loop.
  const fs::path stream = copy.Folder() / "camera.mjpeg";
  {
    std::ofstream file(stream, std::ios::binary);
    for (const auto& jpeg : SimulatorFrames(250)) file.write(reinterpret_cast<const char*>(jpeg.data()), jpeg.size());
  }

  const std::string ip = lpr::test::ProcessLoopbackPrefix() + "1";
  bench::DisplayProgram camsim({LPR_BENCH_CAMSIM, "--cameras", "1", "--base", ip, "--port", "8080", "--no-multicast"},
                               server.Name(), copy.Runtime(), {});
  for (int attempt = 0; attempt < 100 && !CanConnect(ip, 8080); ++attempt) std::this_thread::sleep_for(50ms);

  for (auto _ : state) {
    const auto corvex = RunCorvex(copy, server.Name(), ip);
    if (!corvex) return state.SkipWithError("Corvex did not show the camera");
    const auto& counts = corvex->counts;
    state.counters["corvex_cpu_pct"] = corvex->cpuPercent;
    state.counters["frames_decoded"] = counts[0];
    state.counters["frames_shown"] = counts[1];
    state.counters["frames_skipped"] = counts[2];   // never reached the window
    state.counters["frames_replaced"] = counts[3];  // replaced before they were painted
    state.counters["shown_per_s"] = counts[1] / corvex->seconds;
    if (Installed("ffmpeg")) {
      const auto ffmpeg = RunOther({"ffmpeg", "-hide_banner", "-loglevel", "error", "-re", "-stream_loop", "-1", "-f",
                                    "mjpeg", "-framerate", "25", "-i", stream.string(), "-vf",
                                    "scale=" + width + ":" + height, "-f", "null", "-"},
                                   server.Name(), copy.Runtime());
      if (ffmpeg) {
        state.counters["ffmpeg_cpu_pct"] = ffmpeg->cpuPercent;
        state.counters["ratio_ffmpeg"] = corvex->cpuPercent / ffmpeg->cpuPercent;
      }
    } else {
      state.SetLabel("ffmpeg not installed");
    }
    if (Installed("ffplay")) {
      const auto ffplay = RunOther({"ffplay", "-hide_banner", "-loglevel", "error", "-an", "-x", width, "-y", height,
                                    "-loop", "0", "-f", "mjpeg", "-framerate", "25", stream.string()},
                                   server.Name(), copy.Runtime());
      if (ffplay) {
        state.counters["ffplay_cpu_pct"] = ffplay->cpuPercent;
        state.counters["ratio_ffplay"] = corvex->cpuPercent / ffplay->cpuPercent;
      }
    }
  }
}
BENCHMARK(BesideFfmpegAndFfplay)->Unit(benchmark::kSecond)->Iterations(1);

void WindowThreadWithOneCamera(benchmark::State& state) {
  lpr::test::PrivateDisplay server;
  if (server.Name().empty()) return state.SkipWithError("Xvfb did not start");
  ::setenv("DISPLAY", server.Name().c_str(), 1);
  ::setenv("GDK_BACKEND", "x11", 1);
  ::setenv("GSETTINGS_BACKEND", "memory", 1);
  ::setenv("NO_AT_BRIDGE", "1", 1);
  std::unique_ptr<ui::Host> host = ui::CreateGtkHost();
  if (host == nullptr) return state.SkipWithError("GTK could not open the display");
  ui::SetHost(std::move(host));

  camsim::SimulatorOptions simulatorOptions;
  simulatorOptions.multicastGroup.clear();
  camsim::Simulator simulator(simulatorOptions);
  camsim::CameraProfile profile;
  profile.ip = lpr::test::ProcessLoopbackPrefix() + "2";
  if (!simulator.AddCamera(profile)) return state.SkipWithError("camera did not start");
  CameraClient_Setup();
  bench::ToolSkin skin;

  for (auto _ : state) {
    // This thread is the window thread; a scenario thread drives it.
    auto* window = new CMainWnd;
    window->CreateWnd("skin.xml", nullptr, "Corvex", window->ControlFactory(), false, false, true, 1);
    window->CenterWindow();
    window->ShowWindow(true, true);
    bench::WindowThreadWatch watch;
    ui::test::DriverOptions options;
    options.virtualClock = false;
    std::unique_ptr<ui::test::Driver> driver = ui::test::Driver::AttachToCurrentThread(options);
    bench::WindowThreadWatch::Figures figures;
    ui::VideoFrameCounts before;
    ui::VideoFrameCounts after;
    auto videoCounts = [&] {
      auto* play = dynamic_cast<ui::CPlayControlUI*>(driver->Control("play_control"));
      return play != nullptr ? ui::GetVideoFrameCounts(play->GetHandle()) : ui::VideoFrameCounts{};
    };
    std::thread scenario([&] {
      bench::OpenCamera(*driver, profile.ip);
      std::this_thread::sleep_for(kWarmUp);
      driver->Run([&] {
        watch.Reset();
        before = videoCounts();
      });
      std::this_thread::sleep_for(kMeasured);
      driver->Run([&] {
        figures = watch.Read();
        after = videoCounts();
        ui::DestroyWindow(window->GetHWND());
      });
    });
    ui::CPaintManagerUI::MessageLoop();
    scenario.join();
    driver.reset();
    const double seconds = Seconds(kMeasured);
    state.counters["longest_busy_ms"] = figures.longestMs;
    state.counters["longest_busy_cpu_ms"] = figures.longestCpuMs;
    state.counters["busy_over_16ms"] = figures.over16Ms;
    state.counters["shown_per_s"] = static_cast<double>(after.shown - before.shown) / seconds;
    state.counters["frames_skipped"] = static_cast<double>(after.skipped - before.skipped);
    state.counters["frames_replaced"] = static_cast<double>(after.replaced - before.replaced);
  }
  CameraClient_Cleanup();
  simulator.Stop();
  ui::TearDownHost();
}
BENCHMARK(WindowThreadWithOneCamera)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
