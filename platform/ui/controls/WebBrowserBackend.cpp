#include "platform/ui/controls/WebBrowserBackend.h"

#include <mutex>

#include "platform/ui/controls/HeadlessWebBrowserBackend.h"

namespace ui {
namespace {

struct BackendSlot {
  std::mutex mutex;
  std::unique_ptr<IWebBrowserBackend> backend;
};

// Never destroyed: a host may put its backend back while the process's statics go, in whatever
// order they go.
BackendSlot& Slot() {
  static BackendSlot* const slot = new BackendSlot;
  return *slot;
}

}  // namespace

IWebBrowserBackend& CurrentWebBrowserBackend() {
  BackendSlot& slot = Slot();
  std::lock_guard lock(slot.mutex);
  if (slot.backend == nullptr) slot.backend = std::make_unique<HeadlessWebBrowserBackend>();
  return *slot.backend;
}

void SetWebBrowserBackend(std::unique_ptr<IWebBrowserBackend> backend) {
  BackendSlot& slot = Slot();
  std::lock_guard lock(slot.mutex);
  slot.backend = std::move(backend);
}

bool InternetSetCookieExA(const char* url, const char* cookieName, const char* cookieData, DWORD, LPARAM) {
  if (url == nullptr || cookieName == nullptr || cookieData == nullptr) return false;
  return CurrentWebBrowserBackend().SetCookie(url, cookieName, cookieData);
}

}  // namespace ui
