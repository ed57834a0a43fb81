#pragma once
// The host without a display: windows exist only as pictures, input is injected (by the test
// driver), waits follow os::Clock, so a virtual clock moves timers.

#include <string>

#include "platform/ui/host/Host.h"

namespace ui {

class HeadlessHost final : public Host {
 public:
  // The work area of the imagined desktop.
  explicit HeadlessHost(RECT workArea = RECT{0, 0, 1920, 1040});

  const char* Name() const override { return "headless"; }
  void WindowCreated(const HostWindowSpec&) override {}
  void WindowDestroyed(HWND) override {}
  void WindowMoved(HWND, const RECT&) override {}
  void WindowShown(HWND, bool, bool) override {}
  void WindowTitleChanged(HWND, const std::string&) override {}
  void WindowEnabled(HWND, bool) override {}
  void WindowActivated(HWND) override {}
  void WindowPainted(HWND, const Canvas&, const RECT&) override {}
  void CursorChanged(HWND, int) override {}
  void TextInputPlace(HWND, const RECT&) override {}
  RECT WorkArea() const override { return m_workArea; }
  bool WindowReady(HWND hwnd) override;
  void WaitForWork(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                   std::optional<std::chrono::milliseconds> timeout, const std::function<bool()>& ready) override;
  void Wake() override {}
  bool HandlePendingEvent() override { return false; }
  void SetClipboardText(const std::string& gbk) override;
  std::string GetClipboardText() override;

 private:
  RECT m_workArea;
  std::mutex m_clipboardMutex;
  std::string m_clipboard;
};

}  // namespace ui
