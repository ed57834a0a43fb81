#pragma once
// What shows web pages for the web browser control. The headless backend (the default) records
// what was asked of it, so tests can read the navigations and cookies; the gtk host installs a
// WebKitGTK backend with its cookie manager.

#include <memory>
#include <string>

#include "platform/os/WinTypes.h"

namespace ui {

// One page view, owned by one web browser control, living over that control in its top-level
// window.
class IWebView {
 public:
  virtual ~IWebView() = default;
  virtual void Navigate(const std::string& url) = 0;
  // The URL of the last navigation ("" before the first).
  virtual std::string CurrentUrl() const = 0;
  // Where the view lies, in the client coordinates of its top-level window, and whether it shows.
  virtual void SetPlace(const RECT& rc, bool visible) = 0;
};

class IWebBrowserBackend {
 public:
  virtual ~IWebBrowserBackend() = default;
  // A view for a control in the top-level window `root`.
  virtual std::unique_ptr<IWebView> CreateView(HWND root) = 0;
  // Sets a cookie for the pages of `url`, shared by every view. `data` is the cookie's value with
  // its attributes, as "value;expires=..." (the value up to the first ';'). False on failure.
  virtual bool SetCookie(const std::string& url, const std::string& name, const std::string& data) = 0;
};

// The backend in use (the headless one unless a host installed another).
IWebBrowserBackend& CurrentWebBrowserBackend();
// Installs a backend for the process before the first web browser control (nullptr: headless).
void SetWebBrowserBackend(std::unique_ptr<IWebBrowserBackend> backend);

// The cookie call of the programs: sets `cookieData` as the cookie `cookieName` for `url`.
// `flags` and `reserved` are accepted for the call's shape. True when the cookie was set.
bool InternetSetCookieExA(const char* url, const char* cookieName, const char* cookieData, DWORD flags = 0,
                          LPARAM reserved = 0);

}  // namespace ui
