#include "platform/ui/hosts/headless/HeadlessHost.h"

#include "platform/os/Clock.h"
#include "platform/ui/core/NativeWindow.h"

namespace ui {

HeadlessHost::HeadlessHost(RECT workArea) : m_workArea(workArea) {}

// Without a display a shown window takes input at once.
bool HeadlessHost::WindowReady(HWND hwnd) { return IsWindowVisible(hwnd); }

void HeadlessHost::WaitForWork(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                               std::optional<std::chrono::milliseconds> timeout, const std::function<bool()>& ready) {
  if (timeout.has_value()) {
    os::CurrentClock().WaitFor(cv, lock, *timeout, ready);
  } else {
    cv.wait(lock, ready);
  }
}

void HeadlessHost::SetClipboardText(const std::string& gbk) {
  std::lock_guard lock(m_clipboardMutex);
  m_clipboard = gbk;
}

std::string HeadlessHost::GetClipboardText() {
  std::lock_guard lock(m_clipboardMutex);
  return m_clipboard;
}

}  // namespace ui
