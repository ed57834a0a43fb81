// The extension controls: the play control's video window and its notifications, the press and
// release button, the extension factory, and the web browser control over the headless backend.

#include "platform/ui/controls/JqExControlFactory.h"

#include <gtest/gtest.h>

#include "platform/os/WindowSystem.h"
#include "platform/ui/controls/HeadlessWebBrowserBackend.h"
#include "platform/ui/controls/UIPlayControl.h"
#include "platform/ui/controls/UIPtzButton.h"
#include "platform/ui/controls/UIWebBrowser.h"
#include "platform/ui/render/Image.h"
#include "platform/ui/test/ScriptRunner.h"
#include "tests/ui/ControlsTestSupport.h"

namespace ui::testing {
namespace {

const char* const kLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="500,400">
  <VerticalLayout>
    <PlayControl name="play_control" height="200"/>
    <HorizontalLayout height="30">
      <PtzButton name="intell_btnZoomAdd" width="60"/>
      <Button name="other" width="60"/>
    </HorizontalLayout>
    <WebBrowser name="web_browser" height="100"/>
    <Control/>
  </VerticalLayout>
</Window>)";

class SurfacePainter : public IPlayOnPaintCallBack {
 public:
  void OnPaint(HDC hDC, const RECT& rc) override {
    ++paints;
    lastRect = rc;
    CRenderEngine::DrawColor(hDC, rc, 0xFF00FF00);
  }
  int paints = 0;
  RECT lastRect{};
};

class ExtensionTest : public ControlsTest {
 protected:
  void SetUp() override { Open(kLayout, &factory); }
  CPlayControlUI* Play() { return Find<CPlayControlUI>("play_control"); }
  HWND PlayWindow() {
    return driver.Get<HWND>([&] {
      UpdateWindow(hwnd);
      return Play()->CreatePlayWindow();
    });
  }
  DWORD PixelAt(POINT pt) {
    return driver.Get<DWORD>([&] { return HostWindowPicture(hwnd)->ColorAt(static_cast<int>(pt.x), static_cast<int>(pt.y)); });
  }

  CJqExControlFactory factory;
};

TEST(JqExControlFactoryTest, CreatesTheExtensionControlsByExactClassName) {
  CJqExControlFactory factory;
  struct Case {
    const char* name;
    const char* interface;
  };
  for (const Case& c : {Case{"PlayControl", "PlayControl"}, Case{"PtzButton", "PtzButton"}}) {
    CControlUI* control = factory.CreateControl(c.name, nullptr);
    ASSERT_NE(control, nullptr) << c.name;
    EXPECT_NE(control->GetInterface(c.interface), nullptr) << c.name;
    delete control;
  }
  for (const char* unknown : {"playcontrol", "PlayControl2", "Calendar", ""}) {
    EXPECT_EQ(factory.CreateControl(unknown, nullptr), nullptr) << unknown;
  }
}

TEST_F(ExtensionTest, PlayWindowIsMadeOnDemandAndDetachedAgain) {
  EXPECT_EQ(driver.Get<HWND>([&] { return Play()->GetHandle(); }), nullptr);
  const HWND video = PlayWindow();
  ASSERT_NE(video, nullptr);
  driver.Run([&] {
    EXPECT_EQ(Play()->GetHandle(), video);
    EXPECT_EQ(Play()->CreatePlayWindow(), video);  // once
    RECT rc{};
    GetClientRect(video, &rc);
    EXPECT_EQ(RectWidth(rc), RectWidth(Play()->GetPos()));
    EXPECT_EQ(RectHeight(rc), 200);
    Play()->DetachPlayWindow();
    EXPECT_EQ(Play()->GetHandle(), nullptr);
    EXPECT_FALSE(IsWindow(video));
  });
  // What the camera library sends to a detached window is refused, not shown.
  std::vector<std::uint32_t> pixels(4 * 4, 0xFF0000FF);
  const os::VideoImage image{reinterpret_cast<const std::uint8_t*>(pixels.data()), 4, 4, 16};
  EXPECT_FALSE(os::PresentVideo(video, image));
}

TEST_F(ExtensionTest, VideoPicturesFromAnyThreadShowInThePlayWindow) {
  const HWND video = PlayWindow();
  std::vector<std::uint32_t> pixels(8 * 8, 0xFF0000FF);
  const os::VideoImage image{reinterpret_cast<const std::uint8_t*>(pixels.data()), 8, 8, 32};
  std::thread presenter([&] { EXPECT_TRUE(os::PresentVideo(video, image)); });
  presenter.join();
  driver.WaitUntilIdle();
  const RECT pos = driver.Get<RECT>([&] { return Play()->GetPos(); });
  EXPECT_EQ(PixelAt(Centre(pos)), 0xFF0000FFu);
}

TEST_F(ExtensionTest, AStepReadsWhatThePlayWindowWasGivenAndShowed) {
  const HWND video = PlayWindow();
  driver.WaitUntilIdle();
  const RECT pos = driver.Get<RECT>([&] { return Play()->GetPos(); });
  EXPECT_EQ(PixelAt(Centre(pos)), 0xFF000000u);  // black until the first picture
  std::vector<std::uint32_t> pixels(8 * 8, 0xFF0000FF);
  for (std::uint32_t frame : {1u, 3u}) {
    const os::VideoImage image{reinterpret_cast<const std::uint8_t*>(pixels.data()), 8, 8, 32, frame};
    std::thread presenter([&] { EXPECT_TRUE(os::PresentVideo(video, image)); });
    presenter.join();
    driver.WaitUntilIdle();
  }
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(test::RunScriptStep(driver, test::ParseScript("video play_control").front()));
  EXPECT_FALSE(test::RunScriptStep(driver, test::ParseScript("video other").front()));
  const std::string printed = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(printed.find("LPR_UI_SCRIPT: video play_control: decoded 2 shown 2 skipped 1 replaced 0\n"),
            std::string::npos)
      << printed;
}

TEST_F(ExtensionTest, MouseInThePlayWindowArrivesAsNotificationsWithItsClientPosition) {
  PlayWindow();
  const RECT pos = driver.Get<RECT>([&] { return Play()->GetPos(); });
  const POINT inside{pos.left + 30, pos.top + 40};
  MoveMouse(inside);
  ClickAt(inside);
  driver.Run([&] {
    HostMouseEvent(hwnd, WM_LBUTTONDOWN, inside, MK_LBUTTON);  // the second press: a double click
    HostMouseEvent(hwnd, WM_LBUTTONUP, inside, 0);
  });
  std::vector<std::string> types;
  for (const Notification& n : Notes()) {
    if (n.sender != "play_control") continue;
    types.push_back(n.type);
    EXPECT_EQ(n.wParam, 30u) << n.type;
    EXPECT_EQ(n.lParam, 40) << n.type;
  }
  ASSERT_FALSE(types.empty());
  EXPECT_EQ(types.front(), "play_control_mousemove");
  EXPECT_NE(std::find(types.begin(), types.end(), "play_control_buttondown"), types.end());
  EXPECT_EQ(types.back(), "play_control_dbclick");
}

TEST_F(ExtensionTest, APaintCallbackPaintsThePlayWindowWithItsClientRectangle) {
  SurfacePainter painter;
  const HWND video = PlayWindow();
  driver.Run([&] { Play()->SetPlayOnPaintCallBack(&painter); });
  const RECT pos = driver.Get<RECT>([&] { return Play()->GetPos(); });
  EXPECT_EQ(PixelAt(Centre(pos)), 0xFF00FF00u);
  driver.Run([&] {
    EXPECT_GE(painter.paints, 1);
    EXPECT_EQ(painter.lastRect.left, 0);
    EXPECT_EQ(painter.lastRect.right, RectWidth(pos));
    Play()->SetPlayOnPaintCallBack(nullptr);
    InvalidateRect(video, nullptr);
  });
  EXPECT_EQ(PixelAt(Centre(pos)), 0xFF000000u);  // no picture yet: black
}

TEST_F(ExtensionTest, PressAndReleaseButtonSendsDownAndUpWhereverTheReleaseIs) {
  const RECT button = *driver.Rect("intell_btnZoomAdd");
  DragThrough({Centre(button), POINT{button.right + 200, button.bottom + 50}});
  EXPECT_EQ(Types("intell_btnZoomAdd"), (std::vector<std::string>{"ptz_button_down", "ptz_button_up"}));
  // Disabled while held: released at once, so the lens never keeps moving.
  ClearNotes();
  driver.Run([&] {
    HostMouseEvent(hwnd, WM_MOUSEMOVE, Centre(button), 0);
    HostMouseEvent(hwnd, WM_LBUTTONDOWN, Centre(button), MK_LBUTTON);
  });
  driver.Run([&] { Find<CPtzButtonUI>("intell_btnZoomAdd")->SetEnabled(false); });
  driver.Run([&] { HostMouseEvent(hwnd, WM_LBUTTONUP, Centre(button), 0); });
  EXPECT_EQ(Types("intell_btnZoomAdd"), (std::vector<std::string>{"ptz_button_down", "ptz_button_up"}));
}

TEST_F(ExtensionTest, WebBrowserNavigationsAndCookiesReachTheBackend) {
  HeadlessWebBrowserBackend* backend = HeadlessWebBrowserBackend::Current();
  ASSERT_NE(backend, nullptr);
  backend->Clear();
  driver.Run([&] {
    auto* browser = Find<CWebBrowserUI>("web_browser");
    browser->Navigate2("about:blank");
    EXPECT_TRUE(InternetSetCookieExA("http://127.0.10.1", "sessionID", "abc;expires=Sun, 18 Jan 2038 00:00:00 GMT", 0, 0));
    EXPECT_FALSE(InternetSetCookieExA(nullptr, "sessionID", "x"));
    browser->Navigate2("http://127.0.10.1:8080/htmldata/SetNetPort.htm");
    EXPECT_EQ(browser->GetCurrentUrl(), "http://127.0.10.1:8080/htmldata/SetNetPort.htm");
  });
  EXPECT_EQ(backend->Navigations(),
            (std::vector<std::string>{"about:blank", "http://127.0.10.1:8080/htmldata/SetNetPort.htm"}));
  const auto cookies = backend->Cookies();
  ASSERT_EQ(cookies.size(), 1u);
  EXPECT_EQ(cookies[0].url, "http://127.0.10.1");
  EXPECT_EQ(cookies[0].name, "sessionID");
  EXPECT_EQ(cookies[0].data, "abc;expires=Sun, 18 Jan 2038 00:00:00 GMT");
}

// A backend whose web library cannot be loaded.
class NoViewBackend final : public IWebBrowserBackend {
 public:
  std::unique_ptr<IWebView> CreateView(HWND) override {
    ++requests;
    return nullptr;
  }
  bool SetCookie(const std::string&, const std::string&, const std::string&) override { return false; }
  int requests = 0;
};

TEST_F(ExtensionTest, WithoutAWebViewTheBrowserSaysSoInItsPlace) {
  auto owned = std::make_unique<NoViewBackend>();
  NoViewBackend* backend = owned.get();
  SetWebBrowserBackend(std::move(owned));
  const RECT area = driver.Get<RECT>([&] {
    auto* browser = Find<CWebBrowserUI>("web_browser");
    browser->Navigate2("about:blank");
    browser->Navigate2("http://127.0.10.1:8080/htmldata/SetNetPort.htm");  // asks no more
    EXPECT_EQ(browser->GetCurrentUrl(), "");
    return browser->GetPos();
  });
  EXPECT_EQ(backend->requests, 1);
  EXPECT_EQ(driver.Get<std::string>([&] { return std::string(Find<CWebBrowserUI>("web_browser")->GetText().Str()); }),
            "无法加载网页浏览组件，网页不能显示。");
  // The text is drawn over the white page area.
  int dark = 0;
  driver.Run([&] {
    UpdateWindow(hwnd);
    const int row = static_cast<int>((area.top + area.bottom) / 2);
    for (auto x = area.left; x < area.right; ++x) {
      if (HostWindowPicture(hwnd)->ColorAt(static_cast<int>(x), row) != 0xFFFFFFFFu) ++dark;
    }
  });
  SetWebBrowserBackend(nullptr);
  EXPECT_GT(dark, 0);
}

TEST_F(ExtensionTest, ControlTimersArriveAsTimerNotifications) {
  driver.Run([&] { window->Manager().SetTimer(Find<CWebBrowserUI>("web_browser"), 1157, 1500); });
  driver.AdvanceClock(std::chrono::milliseconds(1600));
  EXPECT_EQ(Types("web_browser"), std::vector<std::string>{"timer"});
}

}  // namespace
}  // namespace ui::testing
