#pragma once
// The web browser backend without a display: it loads nothing and records every navigation and
// cookie, in order, for tests to read.

#include <mutex>
#include <string>
#include <vector>

#include "platform/ui/controls/WebBrowserBackend.h"

namespace ui {

class HeadlessWebBrowserBackend final : public IWebBrowserBackend {
 public:
  struct Cookie {
    std::string url;
    std::string name;
    std::string data;
  };

  std::unique_ptr<IWebView> CreateView(HWND root) override;
  bool SetCookie(const std::string& url, const std::string& name, const std::string& data) override;

  // Every URL navigated to by any view, in order.
  std::vector<std::string> Navigations() const;
  std::vector<Cookie> Cookies() const;
  void Clear();

  // The installed backend when it is the headless one, else nullptr.
  static HeadlessWebBrowserBackend* Current();

 private:
  class View;
  void Record(const std::string& url);

  mutable std::mutex m_mutex;
  std::vector<std::string> m_navigations;
  std::vector<Cookie> m_cookies;
};

}  // namespace ui
