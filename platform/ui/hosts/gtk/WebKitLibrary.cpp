#include "platform/ui/hosts/gtk/WebKitLibrary.h"

#include <dlfcn.h>

#include <cstdio>

namespace ui::gtkhost {
namespace {

// The soname that libwebkit2gtk-4.1-dev links against.
constexpr const char* kInstalledWebKit = "libwebkit2gtk-4.1.so.0";

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(::dlsym(library, name));
  if (function != nullptr) return true;
  std::fprintf(stderr, "WebKitGTK: no %s\n", name);
  return false;
}

}  // namespace

std::unique_ptr<WebKitLibrary> WebKitLibrary::Load(const char* file) {
  void* library = ::dlopen(file, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = ::dlerror();
    std::fprintf(stderr, "WebKitGTK cannot be loaded: %s\n", reason != nullptr ? reason : file);
    return nullptr;
  }
  auto webkit = std::make_unique<WebKitLibrary>();
  const bool found = Find(library, "webkit_web_view_new", webkit->webViewNew) &&
                     Find(library, "webkit_web_view_load_uri", webkit->webViewLoadUri) &&
                     Find(library, "webkit_web_context_get_default", webkit->webContextGetDefault) &&
                     Find(library, "webkit_web_context_get_website_data_manager",
                          webkit->webContextGetWebsiteDataManager) &&
                     Find(library, "webkit_website_data_manager_get_cookie_manager",
                          webkit->websiteDataManagerGetCookieManager) &&
                     Find(library, "webkit_cookie_manager_add_cookie", webkit->cookieManagerAddCookie) &&
                     Find(library, "webkit_cookie_manager_add_cookie_finish", webkit->cookieManagerAddCookieFinish) &&
                     Find(library, "soup_cookie_parse", webkit->soupCookieParse) &&
                     Find(library, "soup_cookie_free", webkit->soupCookieFree);
  if (!found) return nullptr;  // the library stays loaded all the same: see Load's comment
  return webkit;
}

const WebKitLibrary* WebKitLibrary::Installed() {
  static const std::unique_ptr<WebKitLibrary> installed = Load(kInstalledWebKit);
  return installed.get();
}

}  // namespace ui::gtkhost
