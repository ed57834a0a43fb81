#pragma once
// The web browser control's pages in WebKitGTK views that lie over the control in its GTK window,
// with the cookies of InternetSetCookieExA in WebKit's cookie manager. WebKit is loaded by the
// first view or cookie; where it cannot be loaded there are no views (the control says so) and no
// cookies. Internal to the gtk host.

#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/controls/WebBrowserBackend.h"
#include "platform/ui/hosts/gtk/WebKitLibrary.h"

namespace ui::gtkhost {

class WebKitBrowserBackend final : public IWebBrowserBackend {
 public:
  using LibraryLoader = std::function<const WebKitLibrary*()>;

  // `overlaysOf` gives the container over a top-level window's picture (nullptr when it has none);
  // `library` gives WebKit's functions, or nullptr when they cannot be had.
  explicit WebKitBrowserBackend(std::function<GtkFixed*(HWND root)> overlaysOf,
                                LibraryLoader library = WebKitLibrary::Installed);

  // nullptr when WebKit cannot be loaded.
  std::unique_ptr<IWebView> CreateView(HWND root) override;
  // Waits (a few seconds at most) until WebKit has stored the cookie, so that a navigation made
  // right afterwards carries it.
  bool SetCookie(const std::string& url, const std::string& name, const std::string& data) override;

 private:
  class View;

  std::function<GtkFixed*(HWND root)> m_overlaysOf;
  LibraryLoader m_library;
};

}  // namespace ui::gtkhost
