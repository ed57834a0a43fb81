// WebKitGTK is loaded by the first page view, not at the start: this program is not linked with it,
// as the programs are not, and sees the library arrive. Where it cannot be loaded, the backend
// makes no view and sets no cookie.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/ui/controls/WebBrowserBackend.h"
#include "platform/ui/hosts/gtk/WebKitBrowserBackend.h"
#include "platform/ui/hosts/gtk/WebKitLibrary.h"
#include "tests/ui/gtkTestSupport.h"

namespace ui {
namespace {

// WebKit's JavaScript engine pauses its threads with signals, which the thread sanitizer holds
// back until the threads wait forever; WebKit is left out of that build.
#if defined(__SANITIZE_THREAD__)
constexpr bool kWebKitCanRun = false;
#else
constexpr bool kWebKitCanRun = true;
#endif

#if defined(__SANITIZE_ADDRESS__)
// The leak checker's scan of the threads at exit crashes once WebKit was loaded with dlopen (its
// tracer takes a segmentation fault; GCC 12's sanitizers, glibc 2.36). This program exists to load
// WebKit that way, and goes without the leak check.
extern "C" const char* __lsan_default_options() { return "detect_leaks=0"; }
#endif

bool WebKitMapped() {
  std::ifstream maps("/proc/self/maps");
  std::stringstream text;
  text << maps.rdbuf();
  return text.str().find("libwebkit2gtk") != std::string::npos;
}

TEST(WebKitLoading, TheFirstPageViewLoadsTheLibrary) {
  ASSERT_TRUE(gtktest::XvfbEnvironment::Ready());
  if (!kWebKitCanRun) GTEST_SKIP() << "WebKit does not run under the thread sanitizer";
  gtktest::RecordingWindow window(RECT{10, 10, 300, 300});
  ShowWindow(window.Hwnd(), SW_SHOW);
  gtktest::PumpFor(std::chrono::milliseconds(100));
  EXPECT_FALSE(WebKitMapped()) << "loaded before any page view";

  std::unique_ptr<IWebView> view = CurrentWebBrowserBackend().CreateView(window.Hwnd());
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(WebKitMapped());
  view->SetPlace(RECT{0, 0, 100, 100}, true);
  view->Navigate("about:blank");
  EXPECT_EQ(view->CurrentUrl(), "about:blank");
}

TEST(WebKitLoading, ALibraryThatCannotBeLoadedGivesNoViewAndNoCookie) {
  EXPECT_EQ(gtkhost::WebKitLibrary::Load("libwebkit2gtk-none.so.0"), nullptr);
  EXPECT_EQ(gtkhost::WebKitLibrary::Load("libc.so.6"), nullptr);  // loads, but holds no WebKit
  gtkhost::WebKitBrowserBackend backend([](HWND) -> GtkFixed* { return nullptr; },
                                        [] { return static_cast<const gtkhost::WebKitLibrary*>(nullptr); });
  EXPECT_EQ(backend.CreateView(nullptr), nullptr);
  EXPECT_FALSE(backend.SetCookie("http://127.0.0.1", "sessionID", "7f3a9c"));
}

}  // namespace
}  // namespace ui
