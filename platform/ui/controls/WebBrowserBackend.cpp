#include "platform/ui/controls/WebBrowserBackend.h"

#include <mutex>

#include "platform/ui/controls/HeadlessWebBrowserBackend.h"

namespace ui {
namespace {

std::mutex g_backendMutex;
std::unique_ptr<IWebBrowserBackend> g_backend;

}  // namespace

IWebBrowserBackend& CurrentWebBrowserBackend() {
  std::lock_guard lock(g_backendMutex);
  if (g_backend == nullptr) g_backend = std::make_unique<HeadlessWebBrowserBackend>();
  return *g_backend;
}

void SetWebBrowserBackend(std::unique_ptr<IWebBrowserBackend> backend) {
  std::lock_guard lock(g_backendMutex);
  g_backend = std::move(backend);
}

bool InternetSetCookieExA(const char* url, const char* cookieName, const char* cookieData, DWORD, LPARAM) {
  if (url == nullptr || cookieName == nullptr || cookieData == nullptr) return false;
  return CurrentWebBrowserBackend().SetCookie(url, cookieName, cookieData);
}

}  // namespace ui
