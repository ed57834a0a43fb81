#include "platform/ui/hosts/gtk/WebKitBrowserBackend.h"

#include <algorithm>
#include <chrono>
#include <memory>

#include "platform/os/Charset.h"

namespace ui::gtkhost {
namespace {

constexpr auto kCookieWait = std::chrono::seconds(5);

WebKitCookieManager* CookieManager(const WebKitLibrary& webkit) {
  WebKitWebsiteDataManager* data = webkit.webContextGetWebsiteDataManager(webkit.webContextGetDefault());
  return webkit.websiteDataManagerGetCookieManager(data);
}

// Shared by the waiting call and WebKit's answer, which may come after the call gave up.
struct CookieResult {
  const WebKitLibrary* webkit = nullptr;
  bool done = false;
  bool stored = false;
};
using SharedCookieResult = std::shared_ptr<CookieResult>;

void OnCookieAdded(GObject* manager, GAsyncResult* result, gpointer data) {
  std::unique_ptr<SharedCookieResult> outcome(static_cast<SharedCookieResult*>(data));
  GError* error = nullptr;
  auto* cookies = reinterpret_cast<WebKitCookieManager*>(manager);
  (*outcome)->stored = (*outcome)->webkit->cookieManagerAddCookieFinish(cookies, result, &error) != FALSE;
  if (error != nullptr) g_error_free(error);
  (*outcome)->done = true;
}

}  // namespace

class WebKitBrowserBackend::View final : public IWebView {
 public:
  View(const WebKitLibrary& webkit, HWND root, std::function<GtkFixed*(HWND)> overlaysOf)
      : m_webkit(webkit), m_root(root), m_overlaysOf(std::move(overlaysOf)), m_view(webkit.webViewNew()) {
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
    m_webkit.webViewLoadUri(reinterpret_cast<WebKitWebView*>(m_view), os::GbkToUtf8(url).c_str());
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
  const WebKitLibrary& m_webkit;
  HWND m_root;
  std::function<GtkFixed*(HWND)> m_overlaysOf;
  GtkWidget* m_view;
  std::string m_url;
};

WebKitBrowserBackend::WebKitBrowserBackend(std::function<GtkFixed*(HWND root)> overlaysOf, LibraryLoader library)
    : m_overlaysOf(std::move(overlaysOf)), m_library(std::move(library)) {}

std::unique_ptr<IWebView> WebKitBrowserBackend::CreateView(HWND root) {
  const WebKitLibrary* webkit = m_library();
  if (webkit == nullptr) return nullptr;
  return std::make_unique<View>(*webkit, root, m_overlaysOf);
}

bool WebKitBrowserBackend::SetCookie(const std::string& url, const std::string& name, const std::string& data) {
  if (url.empty() || name.empty()) return false;
  const WebKitLibrary* webkit = m_library();
  if (webkit == nullptr) return false;
  GUri* origin = g_uri_parse(os::GbkToUtf8(url).c_str(), G_URI_FLAGS_NONE, nullptr);
  if (origin == nullptr) return false;
  // The data is a cookie's value with its attributes, as a Set-Cookie header carries it.
  SoupCookie* cookie = webkit->soupCookieParse(os::GbkToUtf8(name + "=" + data).c_str(), origin);
  g_uri_unref(origin);
  if (cookie == nullptr) return false;
  auto outcome = std::make_shared<CookieResult>();
  outcome->webkit = webkit;
  webkit->cookieManagerAddCookie(CookieManager(*webkit), cookie, nullptr, OnCookieAdded, new SharedCookieResult(outcome));
  webkit->soupCookieFree(cookie);
  // WebKit answers through the main loop; a timer makes sure the wait sees its deadline.
  const auto deadline = std::chrono::steady_clock::now() + kCookieWait;
  const guint tick = g_timeout_add(
      50, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
  while (!outcome->done && std::chrono::steady_clock::now() < deadline) g_main_context_iteration(nullptr, TRUE);
  g_source_remove(tick);
  return outcome->done && outcome->stored;
}

}  // namespace ui::gtkhost
