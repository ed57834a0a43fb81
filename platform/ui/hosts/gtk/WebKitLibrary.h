#pragma once
// WebKitGTK, loaded when the first page view or cookie needs it rather than at exec: the library
// brings JavaScriptCore and GStreamer along, whose loading would cost every start of a program the
// time that only its web-page dialog needs. The host calls WebKit only through these pointers.
// Internal to the gtk host.

#include <webkit2/webkit2.h>

#include <memory>

namespace ui::gtkhost {

struct WebKitLibrary {
  decltype(&webkit_web_view_new) webViewNew = nullptr;
  decltype(&webkit_web_view_load_uri) webViewLoadUri = nullptr;
  decltype(&webkit_web_context_get_default) webContextGetDefault = nullptr;
  decltype(&webkit_web_context_get_website_data_manager) webContextGetWebsiteDataManager = nullptr;
  decltype(&webkit_website_data_manager_get_cookie_manager) websiteDataManagerGetCookieManager = nullptr;
  decltype(&webkit_cookie_manager_add_cookie) cookieManagerAddCookie = nullptr;
  decltype(&webkit_cookie_manager_add_cookie_finish) cookieManagerAddCookieFinish = nullptr;
  // libsoup comes in with WebKit.
  decltype(&soup_cookie_parse) soupCookieParse = nullptr;
  decltype(&soup_cookie_free) soupCookieFree = nullptr;

  // Loads the shared library `file` and finds every function above in it; nullptr when either
  // fails (the reason on stderr). A loaded library stays: WebKit's GObject types cannot go.
  static std::unique_ptr<WebKitLibrary> Load(const char* file);
  // The system's WebKitGTK, loaded on the first call (on the GTK thread); nullptr, on that call
  // and every later one, when it cannot be had.
  static const WebKitLibrary* Installed();
};

}  // namespace ui::gtkhost
