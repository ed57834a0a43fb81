// The framework's side of os::PostMessage, os::IsWindow and os::PresentVideo: other threads reach
// windows only through here.

#include <cstring>
#include <mutex>

#include "platform/os/WindowSystem.h"
#include "platform/ui/core/ThreadQueue.h"
#include "platform/ui/core/WindowModel.h"

namespace ui {
namespace {

// Repaints a video window on its own thread after a new picture arrived.
void InvalidateVideo(HWND hwnd) { InvalidateRect(hwnd, nullptr); }

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
    if (image.pixels == nullptr || image.width <= 0 || image.height <= 0 || image.stride < image.width * 4) {
      return false;
    }
    auto picture = Image::Create(image.width, image.height);
    if (picture == nullptr) return false;
    for (int y = 0; y < image.height; ++y) {
      std::memcpy(picture->Pixels() + static_cast<std::size_t>(y) * image.width,
                  image.pixels + static_cast<std::size_t>(y) * image.stride, static_cast<std::size_t>(image.width) * 4);
    }
    bool repaintPending = false;
    {
      std::lock_guard lock(record->videoMutex);
      repaintPending = record->video != nullptr && record->videoRepaintPending;
      record->video = std::move(picture);
      record->videoRepaintPending = true;
    }
    if (repaintPending) return true;  // one repaint request at a time, however fast frames come
    MSG msg;
    msg.hwnd = hwnd;
    record->queue->Post(msg, [record] {
      {
        std::lock_guard lock(record->videoMutex);
        record->videoRepaintPending = false;
      }
      if (record->alive) InvalidateVideo(record->hwnd);
    });
    return true;
  }
};

}  // namespace

void EnsureWindowSystem() {
  static FrameworkWindowSystem windowSystem;
  static std::once_flag installed;
  std::call_once(installed, [] { os::InstallWindowSystem(&windowSystem); });
}

}  // namespace ui
