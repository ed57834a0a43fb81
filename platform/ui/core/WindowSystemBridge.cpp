// The framework's side of os::PostMessage, os::IsWindow, os::PresentVideo and os::VideoSize: other
// threads reach windows only through here.

#include <mutex>

#include "platform/os/WindowSystem.h"
#include "platform/ui/core/ThreadQueue.h"
#include "platform/ui/core/WindowModel.h"

namespace ui {
namespace {

class FrameworkWindowSystem final : public os::WindowSystem {
 public:
  bool Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    auto record = WindowTable::Instance().Find(hwnd);
    if (record == nullptr) return false;
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    record->queue->Post(msg, {}, record->discarder.load());
    return true;
  }

  bool IsWindow(HWND hwnd) override { return WindowTable::Instance().Find(hwnd) != nullptr; }

  bool PresentVideo(HWND hwnd, const os::VideoImage& image) override {
    auto record = WindowTable::Instance().Find(hwnd);
    if (record == nullptr) return false;
    const VideoSurface::Presented presented = record->video.Present(image);
    if (presented == VideoSurface::Presented::kRefused) return false;
    // One repaint request at a time, however fast pictures come.
    if (presented == VideoSurface::Presented::kRepaintAsked) return true;
    MSG msg;
    msg.hwnd = hwnd;
    record->queue->Post(msg, [record] {
      record->video.RepaintAsked();
      if (record->alive) InvalidateVideoWindow(record->hwnd);
    });
    return true;
  }

  std::optional<SIZE> VideoSize(HWND hwnd) override {
    auto record = WindowTable::Instance().Find(hwnd);
    if (record == nullptr) return std::nullopt;
    return record->video.Size();
  }
};

}  // namespace

void EnsureWindowSystem() {
  static FrameworkWindowSystem windowSystem;
  static std::once_flag installed;
  std::call_once(installed, [] { os::InstallWindowSystem(&windowSystem); });
}

}  // namespace ui
