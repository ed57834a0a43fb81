#pragma once
// A host still being made: the display's start-up (opening it, reading its settings and theme)
// runs on another thread while the window thread builds and paints its first window. Notices that
// need no answer are kept, in their order, and given to the host once it is made; the work area is
// the display's as soon as it is open; anything else waits for the start-up to end. The host is
// then made by `factory` on the window thread, and every call goes straight to it.
//
// Threads: made and used on the window thread, like any host; Wake from any thread.

#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/host/Host.h"

namespace ui {

struct HostStart {
  std::shared_future<std::optional<RECT>> workArea;  // once the display is open; nullopt: none opened
  std::shared_future<void> done;                     // the start-up has ended: the factory won't wait
};

class StartingHost final : public Host {
 public:
  StartingHost(HostStart start, HostFactory factory);

  // The host, made once the start-up has ended (waited for) and given what was kept for it.
  Host& Started() const;

  const char* Name() const override;
  void WindowCreated(const HostWindowSpec& spec) override;
  void WindowDestroyed(HWND hwnd) override;
  void WindowMoved(HWND hwnd, const RECT& screenRect) override;
  void WindowShown(HWND hwnd, bool visible, bool activate) override;
  void WindowTitleChanged(HWND hwnd, const std::string& utf8) override;
  void WindowEnabled(HWND hwnd, bool enabled) override;
  void WindowActivated(HWND hwnd) override;
  void WindowPainted(HWND hwnd, const Canvas& picture, const RECT& dirty) override;
  void CursorChanged(HWND hwnd, int cursorId) override;
  void TextInputPlace(HWND topLevel, const RECT& caret) override;
  RECT WorkArea() const override;
  bool WindowReady(HWND hwnd) override;
  void WaitForWork(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                   std::optional<std::chrono::milliseconds> timeout, const std::function<bool()>& ready) override;
  void Wake() override;
  bool HandlePendingEvent() override;
  void SetClipboardText(const std::string& gbk) override;
  std::string GetClipboardText() override;

 private:
  using Notice = std::function<void(Host&)>;

  // The host when the start-up has ended already (made now if need be), else nullptr.
  Host* StartedIfDone() const;
  // Given to the host now when the start-up has ended, else kept for it.
  void Tell(Notice notice);

  HostStart m_start;
  HostFactory m_factory;
  mutable std::unique_ptr<Host> m_host;
  mutable std::vector<Notice> m_kept;
  mutable std::atomic<Host*> m_started{nullptr};  // read by Wake on other threads
};

}  // namespace ui
