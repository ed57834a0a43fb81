#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <webkit2/webkit2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/controls/WebBrowserBackend.h"
#include "platform/ui/hosts/gtk/GtkHost.h"
#include "platform/ui/render/Color.h"
#include "tests/ui/gtkTestSupport.h"

namespace ui {
namespace {

using gtktest::PumpUntil;
using gtktest::RecordingWindow;

// WebKit's JavaScript engine pauses its threads with signals, which the thread sanitizer holds
// back until the threads wait forever; WebKit is left out of that build.
#if defined(__SANITIZE_THREAD__)
constexpr bool kWebKitCanRun = false;
#else
constexpr bool kWebKitCanRun = true;
#endif

class GtkWebView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gtktest::XvfbEnvironment::Ready());
    if (!kWebKitCanRun) GTEST_SKIP() << "WebKit does not run under the thread sanitizer";
  }
};

// A web server on loopback that answers every request with a red page and keeps the request
// lines and Cookie headers it saw. It serves its connections side by side: WebKit may open one it
// sends nothing on, and on a busy machine a request can take seconds to come. A connection closed
// before its request was whole is no request. It stops with the test.
class LoopbackPageServer {
 public:
  LoopbackPageServer() {
    m_listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(m_listener, 8);
    socklen_t length = sizeof address;
    getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Serve(); });
  }
  ~LoopbackPageServer() {
    m_stop = true;
    m_thread.join();
    close(m_listener);
  }

  int Port() const { return m_port; }
  std::vector<std::string> Requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
  }

 private:
  struct Client {
    int fd;
    std::string request;  // what came so far
  };

  void Serve() {
    std::vector<Client> clients;
    while (!m_stop) {
      std::vector<pollfd> waits{{m_listener, POLLIN, 0}};
      for (const Client& client : clients) waits.push_back({client.fd, POLLIN, 0});
      if (poll(waits.data(), waits.size(), 50) <= 0) continue;
      for (std::size_t i = clients.size(); i-- > 0;) {
        if (waits[i + 1].revents != 0 && !Read(clients[i])) {
          close(clients[i].fd);
          clients.erase(clients.begin() + static_cast<std::ptrdiff_t>(i));
        }
      }
      if ((waits[0].revents & POLLIN) != 0) {
        const int fd = accept(m_listener, nullptr, nullptr);
        if (fd >= 0) clients.push_back({fd, {}});
      }
    }
    for (const Client& client : clients) close(client.fd);
  }

  // Takes what came; false once the connection is done with (answered, or closed by the peer).
  bool Read(Client& client) {
    char buffer[4096];
    const ssize_t got = recv(client.fd, buffer, sizeof buffer, 0);
    if (got <= 0) return false;
    client.request.append(buffer, static_cast<std::size_t>(got));
    if (client.request.find("\r\n\r\n") == std::string::npos) return true;
    {
      std::lock_guard lock(m_mutex);
      m_requests.push_back(client.request);
    }
    const std::string body =
        "<html><body style='margin:0;background:#ff0000'>"
        "<input id='name' autofocus style='position:absolute;left:10px;top:10px;width:150px;height:30px' "
        "oninput='document.title=this.value'></body></html>";
    const std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: " +
                              std::to_string(body.size()) + "\r\n\r\n" + body;
    send(client.fd, reply.data(), reply.size(), MSG_NOSIGNAL);
    return false;
  }

  int m_listener = -1;
  int m_port = 0;
  std::atomic<bool> m_stop{false};
  mutable std::mutex m_mutex;
  std::vector<std::string> m_requests;
  std::thread m_thread;
};

// The page view the host put into the GTK window of `hwnd`.
WebKitWebView* PageViewIn(HWND hwnd) {
  GList* windows = gtk_window_list_toplevels();
  WebKitWebView* found = nullptr;
  for (GList* item = windows; item != nullptr; item = item->next) {
    if (g_object_get_data(G_OBJECT(item->data), "lpr-hwnd") != hwnd) continue;
    GtkWidget* fixed = gtk_bin_get_child(GTK_BIN(item->data));
    GList* children = gtk_container_get_children(GTK_CONTAINER(fixed));
    for (GList* child = children; child != nullptr; child = child->next) {
      if (WEBKIT_IS_WEB_VIEW(child->data)) found = WEBKIT_WEB_VIEW(child->data);
    }
    g_list_free(children);
  }
  g_list_free(windows);
  return found;
}

TEST_F(GtkWebView, PagesCarryTheSessionCookieAndShowInTheWindow) {
  LoopbackPageServer server;
  const RECT place{150, 120, 550, 420};
  RecordingWindow window(place);
  ShowWindow(window.Hwnd(), SW_SHOW);

  std::unique_ptr<IWebView> view = CurrentWebBrowserBackend().CreateView(window.Hwnd());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->CurrentUrl(), "");
  view->SetPlace(RECT{100, 50, 300, 250}, true);
  view->Navigate("about:blank");
  EXPECT_EQ(view->CurrentUrl(), "about:blank");

  // As the web-page dialog does: the cookie for the camera's address, then its page on its port.
  ASSERT_TRUE(InternetSetCookieExA("http://127.0.0.1", "sessionID", "7f3a9c;expires=Sun, 18 Jan 2038 00:00:00 GMT"));
  const std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/htmldata/index.htm";
  view->Navigate(url);
  EXPECT_EQ(view->CurrentUrl(), url);
  ASSERT_TRUE(PumpUntil([&] { return !server.Requests().empty(); }));
  const std::string request = server.Requests().front();
  EXPECT_EQ(request.rfind("GET /htmldata/index.htm ", 0), 0u) << request;
  EXPECT_NE(request.find("sessionID=7f3a9c"), std::string::npos) << request;

  // The page is drawn over the window's picture, at the control's place.
  const RECT pageOnScreen{place.left + 100, place.top + 50, place.left + 300, place.top + 250};
  EXPECT_TRUE(gtktest::PumpUntilBetweenTurns(
      [&] {
        const std::vector<DWORD> pixels = gtktest::ScreenPixels(pageOnScreen);
        return !pixels.empty() && pixels[pixels.size() / 2] == 0xFFFF0000u;
      }));
  const std::vector<DWORD> outside =
      gtktest::ScreenPixels(RECT{place.left + 20, place.top + 20, place.left + 21, place.top + 21});
  ASSERT_EQ(outside.size(), 1u);
  EXPECT_EQ(outside[0], 0xFFD03030u) << "beside the view the framework's picture shows";

  // A click into the page's input gives it the keyboard; a click on the window takes it back.
  WebKitWebView* page = PageViewIn(window.Hwnd());
  ASSERT_NE(page, nullptr);
  gtktest::Click(pageOnScreen.left + 80, pageOnScreen.top + 25);
  ASSERT_TRUE(PumpUntil([&] { return gtk_widget_has_focus(GTK_WIDGET(page)) != FALSE; }));
  for (unsigned int key : {GDK_KEY_o, GDK_KEY_k}) gtktest::TypeKey(key);
  EXPECT_TRUE(PumpUntil([&] {
    const char* title = webkit_web_view_get_title(page);
    return title != nullptr && std::string(title) == "ok";
  }));
  EXPECT_FALSE(window.Got(WM_KEYDOWN)) << "the page's keys are not the window's";
  gtktest::Click(place.left + 20, place.top + 20);
  gtktest::TypeKey(GDK_KEY_Delete);
  EXPECT_TRUE(PumpUntil([&] { return window.Got(WM_KEYDOWN); }));

  view->SetPlace(RECT{100, 50, 300, 250}, false);
  EXPECT_TRUE(gtktest::PumpUntilBetweenTurns([&] {
    const std::vector<DWORD> pixels = gtktest::ScreenPixels(pageOnScreen);
    return !pixels.empty() && pixels[pixels.size() / 2] != 0xFFFF0000u;
  }));
}

TEST_F(GtkWebView, RefusesUnreadableCookiesAndOutlivesItsWindow) {
  EXPECT_FALSE(InternetSetCookieExA("", "sessionID", "x"));
  EXPECT_FALSE(InternetSetCookieExA("http://127.0.0.1", "", "x"));
  EXPECT_FALSE(InternetSetCookieExA("not a url", "sessionID", "x"));
  std::unique_ptr<IWebView> view;
  {
    RecordingWindow window(RECT{10, 10, 200, 200});
    ShowWindow(window.Hwnd(), SW_SHOW);
    view = CurrentWebBrowserBackend().CreateView(window.Hwnd());
    view->SetPlace(RECT{0, 0, 100, 100}, true);
  }
  // The window is gone: the view finds no place and goes quietly.
  view->SetPlace(RECT{0, 0, 50, 50}, true);
  view->Navigate("about:blank");
  view.reset();
}

}  // namespace
}  // namespace ui
