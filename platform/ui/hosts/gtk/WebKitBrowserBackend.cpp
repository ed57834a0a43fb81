#include "platform/ui/hosts/gtk/WebKitBrowserBackend.h"

#include <webkit2/webkit2.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "platform/os/Charset.h"

namespace ui::gtkhost {
namespace {

constexpr auto kCookieWait = std::chrono::seconds(5);

WebKitCookieManager* CookieManager() {
  WebKitWebsiteDataManager* data = webkit_web_context_get_website_data_manager(webkit_web_context_get_default());
  return webkit_website_data_manager_get_cookie_manager(data);
}

// Shared by the waiting call and WebKit's answer, which may come after the call gave up.
struct CookieResult {
  bool done = false;
  bool stored = false;
};
using SharedCookieResult = std::shared_ptr<CookieResult>;

void OnCookieAdded(GObject* manager, GAsyncResult* result, gpointer data) {
  std::unique_ptr<SharedCookieResult> outcome(static_cast<SharedCookieResult*>(data));
  GError* error = nullptr;
  (*outcome)->stored = webkit_cookie_manager_add_cookie_finish(WEBKIT_COOKIE_MANAGER(manager), result, &error) != FALSE;
  if (error != nullptr) g_error_free(error);
  (*outcome)->done = true;
}

}  // namespace

class WebKitBrowserBackend::View final : public IWebView {
 public:
  View(HWND root, std::function<GtkFixed*(HWND)> overlaysOf)
      : m_root(root), m_overlaysOf(std::move(overlaysOf)), m_view(webkit_web_view_new()) {
    g_object_ref_sink(m_view);
  }

  ~View() override {
    // The window may have gone first and taken the view out already.
    if (GtkWidget* parent = gtk_widget_get_parent(m_view)) gtk_container_remove(GTK_CONTAINER(parent), m_view);
    g_object_unref(m_view);
  }

  View(const View&) = delete;
  View& operator=(const View&) = delete;

  void Navigate(const std::string& url) override {
    m_url = url;
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(m_view), os::GbkToUtf8(url).c_str());
  }

  std::string CurrentUrl() const override { return m_url; }

  void SetPlace(const RECT& rc, bool visible) override {
    GtkFixed* overlays = m_overlaysOf(m_root);
    if (overlays == nullptr) return;
    if (gtk_widget_get_parent(m_view) == nullptr) gtk_fixed_put(overlays, m_view, rc.left, rc.top);
    gtk_fixed_move(overlays, m_view, rc.left, rc.top);
    gtk_widget_set_size_request(m_view, std::max(1L, RectWidth(rc)), std::max(1L, RectHeight(rc)));
    gtk_widget_set_visible(m_view, visible && RectWidth(rc) > 0 && RectHeight(rc) > 0);
  }

 private:
  HWND m_root;
  std::function<GtkFixed*(HWND)> m_overlaysOf;
  GtkWidget* m_view;
  std::string m_url;
};

WebKitBrowserBackend::WebKitBrowserBackend(std::function<GtkFixed*(HWND root)> overlaysOf)
    : m_overlaysOf(std::move(overlaysOf)) {}

std::unique_ptr<IWebView> WebKitBrowserBackend::CreateView(HWND root) {
  return std::make_unique<View>(root, m_overlaysOf);
}

bool WebKitBrowserBackend::SetCookie(const std::string& url, const std::string& name, const std::string& data) {
  if (url.empty() || name.empty()) return false;
  GUri* origin = g_uri_parse(os::GbkToUtf8(url).c_str(), G_URI_FLAGS_NONE, nullptr);
  if (origin == nullptr) return false;
  // The data is a cookie's value with its attributes, as a Set-Cookie header carries it.
  SoupCookie* cookie = soup_cookie_parse(os::GbkToUtf8(name + "=" + data).c_str(), origin);
  g_uri_unref(origin);
  if (cookie == nullptr) return false;
  auto outcome = std::make_shared<CookieResult>();
  webkit_cookie_manager_add_cookie(CookieManager(), cookie, nullptr, OnCookieAdded, new SharedCookieResult(outcome));
  soup_cookie_free(cookie);
  // WebKit answers through the main loop; a timer makes sure the wait sees its deadline.
  const auto deadline = std::chrono::steady_clock::now() + kCookieWait;
  const guint tick = g_timeout_add(
      50, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
  while (!outcome->done && std::chrono::steady_clock::now() < deadline) g_main_context_iteration(nullptr, TRUE);
  g_source_remove(tick);
  return outcome->done && outcome->stored;
}

}  // namespace ui::gtkhost
