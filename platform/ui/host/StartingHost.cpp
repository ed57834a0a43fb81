#include "platform/ui/host/StartingHost.h"

#include <utility>

#include "platform/ui/hosts/headless/HeadlessHost.h"

namespace ui {

StartingHost::StartingHost(HostStart start, HostFactory factory)
    : m_start(std::move(start)), m_factory(std::move(factory)) {}

Host& StartingHost::Started() const {
  if (Host* host = m_started.load(std::memory_order_acquire)) return *host;
  m_start.done.wait();
  if (m_factory) m_host = m_factory();
  if (m_host == nullptr) m_host = std::make_unique<HeadlessHost>();
  // Before the kept notices: what they set off (GTK's answers to a window shown) goes straight on.
  m_started.store(m_host.get(), std::memory_order_release);
  for (const Notice& notice : std::exchange(m_kept, {})) notice(*m_host);
  return *m_host;
}

Host* StartingHost::StartedIfDone() const {
  if (Host* host = m_started.load(std::memory_order_acquire)) return host;
  if (m_start.done.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return nullptr;
  return &Started();
}

void StartingHost::Tell(Notice notice) {
  if (Host* host = StartedIfDone()) {
    notice(*host);
  } else {
    m_kept.push_back(std::move(notice));
  }
}

const char* StartingHost::Name() const { return Started().Name(); }

void StartingHost::WindowCreated(const HostWindowSpec& spec) {
  Tell([spec](Host& host) { host.WindowCreated(spec); });
}

void StartingHost::WindowDestroyed(HWND hwnd) {
  Tell([hwnd](Host& host) { host.WindowDestroyed(hwnd); });
}

void StartingHost::WindowMoved(HWND hwnd, const RECT& screenRect) {
  Tell([hwnd, screenRect](Host& host) { host.WindowMoved(hwnd, screenRect); });
}

void StartingHost::WindowShown(HWND hwnd, bool visible, bool activate) {
  Tell([hwnd, visible, activate](Host& host) { host.WindowShown(hwnd, visible, activate); });
}

void StartingHost::WindowTitleChanged(HWND hwnd, const std::string& utf8) {
  Tell([hwnd, utf8](Host& host) { host.WindowTitleChanged(hwnd, utf8); });
}

void StartingHost::WindowEnabled(HWND hwnd, bool enabled) {
  Tell([hwnd, enabled](Host& host) { host.WindowEnabled(hwnd, enabled); });
}

void StartingHost::WindowActivated(HWND hwnd) {
  Tell([hwnd](Host& host) { host.WindowActivated(hwnd); });
}

void StartingHost::WindowPainted(HWND hwnd, const Canvas& picture, const RECT& dirty) {
  if (Host* host = StartedIfDone()) {
    host->WindowPainted(hwnd, picture, dirty);
    return;
  }
  // The picture may be replaced before the host comes (a new size): it gets the one then current.
  m_kept.push_back([hwnd, dirty](Host& host) {
    if (const Canvas* current = HostWindowLastPicture(hwnd)) host.WindowPainted(hwnd, *current, dirty);
  });
}

void StartingHost::CursorChanged(HWND hwnd, int cursorId) {
  Tell([hwnd, cursorId](Host& host) { host.CursorChanged(hwnd, cursorId); });
}

void StartingHost::TextInputPlace(HWND topLevel, const RECT& caret) {
  Tell([topLevel, caret](Host& host) { host.TextInputPlace(topLevel, caret); });
}

RECT StartingHost::WorkArea() const {
  if (Host* host = StartedIfDone()) return host->WorkArea();
  if (const std::optional<RECT> area = m_start.workArea.get()) return *area;
  return Started().WorkArea();
}

bool StartingHost::WindowReady(HWND hwnd) { return Started().WindowReady(hwnd); }

void StartingHost::WaitForWork(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                               std::optional<std::chrono::milliseconds> timeout, const std::function<bool()>& ready) {
  // Work of its own comes first; a thread with nothing left to do waits for the host.
  if (m_started.load(std::memory_order_acquire) == nullptr) {
    if (ready()) return;
    lock.unlock();
    Started();
    lock.lock();
  }
  Started().WaitForWork(lock, cv, timeout, ready);
}

void StartingHost::Wake() {
  // Before the host is made nobody waits in it: the window thread looks at its queue first.
  if (Host* host = m_started.load(std::memory_order_acquire)) host->Wake();
}

bool StartingHost::HandlePendingEvent() {
  Host* host = StartedIfDone();
  return host != nullptr && host->HandlePendingEvent();
}

void StartingHost::SetClipboardText(const std::string& gbk) { Started().SetClipboardText(gbk); }

std::string StartingHost::GetClipboardText() { return Started().GetClipboardText(); }

}  // namespace ui
