// Time to build a window of 300 controls from its layout, and to lay it out and paint it once,
// on the headless host.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "platform/ui/core/MessageLoop.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIWindow.h"

namespace {

constexpr int kRows = 30;
constexpr int kControlsPerRow = 9;  // with its row container: 10 per row, 300 in all

std::string Layout() {
  static const char* const kCells[] = {
      R"(<Label text="设备IP" width="70" textcolor="#FF333333"/>)",
      R"(<Edit text="192.168.1.100" width="110" bordersize="1" bordercolor="#FF8DB2E3"/>)",
      R"(<Button text="打开" width="60" bkcolor="#FFE3EEFB" hotbkcolor="#FFCCE0F7" bordersize="1" bordercolor="#FF7AA7E0"/>)",
      R"(<Option text="自动" width="60" group="g%d"/>)",
      R"(<Option text="手动" width="60" group="g%d" selected="true"/>)",
      R"(<Progress width="80" min="0" max="100" value="40" bkcolor="#FFE0E0E0" forecolor="#FF4A90E2"/>)",
      R"(<Label text="正在升级" width="70" align="center"/>)",
      R"(<Control width="20" bkcolor="#FFB0D0F0" borderround="4,4"/>)",
      R"(<Label text="状态良好，无需处理" textcolor="#FF666666" endellipsis="true"/>)",
  };
  std::string xml = R"(<?xml version="1.0" encoding="UTF-8"?><Window size="900,760">)"
                    R"(<Font id="0" name="宋体" size="12" default="true"/>)"
                    R"(<VerticalLayout bkcolor="#FFF5F9FE" inset="4,4,4,4" childpadding="1">)";
  for (int row = 0; row < kRows; ++row) {
    xml += R"(<HorizontalLayout height="24" childpadding="4">)";
    for (const char* cell : kCells) {
      char buffer[256];
      std::snprintf(buffer, sizeof(buffer), cell, row);
      xml += buffer;
    }
    xml += "</HorizontalLayout>";
  }
  xml += "</VerticalLayout></Window>";
  return xml;
}

class BenchWindow : public ui::CDialogWnd {};

ui::CControlUI* CountControl(ui::CControlUI*, void* count) {
  ++*static_cast<int*>(count);
  return nullptr;
}

// Controls under the window's root, the root excluded.
int ControlCount(HWND hwnd) {
  int count = 0;
  ui::CPaintManagerUI* manager = ui::CPaintManagerUI::FromPaintWindow(hwnd);
  if (manager != nullptr && manager->GetRoot() != nullptr) manager->GetRoot()->FindControl(CountControl, &count, ui::UIFIND_ALL);
  return count - 1;
}

HWND Build(const std::string& layout) {
  auto* window = new BenchWindow;
  return window->CreateWnd(layout.c_str(), nullptr, "bench", nullptr);
}

void Destroy(HWND hwnd) {
  ui::DestroyWindow(hwnd);
  ui::RunDeferred(true);  // no message loop runs here: delete the window object now
}

void BM_BuildWindowFromLayout(benchmark::State& state) {
  const std::string layout = Layout();
  for (auto _ : state) {
    const HWND hwnd = Build(layout);
    state.PauseTiming();
    if (hwnd == nullptr) state.SkipWithError("the layout did not build");
    state.counters["controls"] = ControlCount(hwnd);
    Destroy(hwnd);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildWindowFromLayout)->Unit(benchmark::kMillisecond);

void BM_LayOutAndPaintOnce(benchmark::State& state) {
  const std::string layout = Layout();
  for (auto _ : state) {
    state.PauseTiming();
    const HWND hwnd = Build(layout);
    if (hwnd == nullptr) state.SkipWithError("the layout did not build");
    ui::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    state.ResumeTiming();
    ui::UpdateWindow(hwnd);
    state.PauseTiming();
    Destroy(hwnd);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LayOutAndPaintOnce)->Unit(benchmark::kMillisecond);

void BM_RepaintWholeWindow(benchmark::State& state) {
  const HWND hwnd = Build(Layout());
  ui::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  ui::UpdateWindow(hwnd);
  for (auto _ : state) {
    ui::InvalidateRect(hwnd, nullptr);
    ui::UpdateWindow(hwnd);
  }
  Destroy(hwnd);
}
BENCHMARK(BM_RepaintWholeWindow)->Unit(benchmark::kMillisecond);

}  // namespace
