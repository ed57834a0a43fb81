#include "platform/ui/controls/HeadlessWebBrowserBackend.h"

namespace ui {

class HeadlessWebBrowserBackend::View final : public IWebView {
 public:
  explicit View(HeadlessWebBrowserBackend& backend) : m_backend(backend) {}

  void Navigate(const std::string& url) override {
    m_url = url;
    m_backend.Record(url);
  }
  std::string CurrentUrl() const override { return m_url; }
  void SetPlace(const RECT&, bool) override {}

 private:
  HeadlessWebBrowserBackend& m_backend;
  std::string m_url;
};

std::unique_ptr<IWebView> HeadlessWebBrowserBackend::CreateView(HWND) { return std::make_unique<View>(*this); }

bool HeadlessWebBrowserBackend::SetCookie(const std::string& url, const std::string& name, const std::string& data) {
  if (url.empty() || name.empty()) return false;
  std::lock_guard lock(m_mutex);
  m_cookies.push_back(Cookie{url, name, data});
  return true;
}

std::vector<std::string> HeadlessWebBrowserBackend::Navigations() const {
  std::lock_guard lock(m_mutex);
  return m_navigations;
}

std::vector<HeadlessWebBrowserBackend::Cookie> HeadlessWebBrowserBackend::Cookies() const {
  std::lock_guard lock(m_mutex);
  return m_cookies;
}

void HeadlessWebBrowserBackend::Clear() {
  std::lock_guard lock(m_mutex);
  m_navigations.clear();
  m_cookies.clear();
}

HeadlessWebBrowserBackend* HeadlessWebBrowserBackend::Current() {
  return dynamic_cast<HeadlessWebBrowserBackend*>(&CurrentWebBrowserBackend());
}

void HeadlessWebBrowserBackend::Record(const std::string& url) {
  std::lock_guard lock(m_mutex);
  m_navigations.push_back(url);
}

}  // namespace ui
