// The web-page menu and dialog against a simulated camera: the page address, the session cookie
// and its renewal on the virtual clock, and every way the dialog ends.

#include "configtool/dialogs/DlgNetMoreCfg.h"

#include <functional>

#include "platform/ui/controls/HeadlessWebBrowserBackend.h"
#include "tests/configtool/dialogs/DialogTest.h"

namespace configtool::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* kDialog = "DlgNetMoreCfg";
constexpr const char* kExpiry = ";expires=Sun, 18 Jan 2038 00:00:00 GMT";

class WebPageDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    ASSERT_NE(Browser(), nullptr);
    Browser()->Clear();
  }
  ui::HeadlessWebBrowserBackend* Browser() { return ui::HeadlessWebBrowserBackend::Current(); }

  HWND OpenPage(const char* item) {
    if (!Driver().Click("btn_more_cfg") || !Driver().Click(item)) return nullptr;
    return WaitForDialog(kDialog);
  }
  void OpenCameraAndPage(const char* item = "menu_web_network") {
    OpenCameraOk();
    ASSERT_NE(OpenPage(item), nullptr);
  }
  std::string PageUrl(const char* page) {
    return "http://" + harness.Camera(0).Ip() + ":" + std::to_string(harness.Camera(0).Port()) + "/htmldata/" + page;
  }
  std::size_t Connections() { return harness.Camera(0).ConnectionCount(); }
  bool ConnectionsBecome(std::size_t count) {
    return harness.Eventually([&] { return Connections() == count; });
  }
  // The session id of the last cookie, which the camera's pages must take.
  std::string LastSessionId() {
    const auto cookies = Browser()->Cookies();
    if (cookies.empty()) return {};
    const std::string& data = cookies.back().data;
    return data.substr(0, data.find(';'));
  }
  unsigned PageStatusWith(const std::string& sessionId) {
    return harness.Camera(0).ServeWeb("GET", "/htmldata/SetNetPort.htm", "sessionID=" + sessionId).status;
  }
};

TEST_F(WebPageDialogTest, TheMenuOffersTheSevenPages) {
  OpenCameraOk();
  ASSERT_TRUE(Driver().Click("btn_more_cfg"));
  const HWND menu = Driver().FindWindow("MenuWnd");
  ASSERT_NE(menu, nullptr);
  for (const char* item : {"menu_web_network", "menu_web_inoutput", "menu_web_storage", "menu_web_config",
                           "menu_web_platerecord", "menu_web_usermanage", "menu_web_about"}) {
    EXPECT_TRUE(Driver().IsVisible(item, menu)) << item;
  }
  EXPECT_EQ(Driver().Text("menu_web_about", menu), std::string(25, ' ') + "关于");
  SaveScreenshot(menu, "web_page_menu.png");
}

TEST_F(WebPageDialogTest, EachPageOpensUnderItsTitleAtItsAddress) {
  struct Case {
    const char* item;
    const char* page;
    const char* title;
  };
  const Case cases[] = {
      {"menu_web_network", "SetNetPort.htm", "更多配置-网络参数"},
      {"menu_web_inoutput", "SetPlateDeviceIO.htm", "更多配置-输入输出"},
      {"menu_web_storage", "StorgeDeviceMana.htm", "更多配置-存储管理"},
      {"menu_web_config", "SetAlarm.htm", "更多配置-基本配置"},
      {"menu_web_platerecord", "PlatePictureView.htm", "更多配置-车牌历史记录"},
      {"menu_web_usermanage", "AddEditUsers.htm", "更多配置-用户管理"},
      {"menu_web_about", "Support.htm", "更多配置-关于"},
  };
  OpenCameraOk();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    Browser()->Clear();
    const HWND dialog = OpenPage(c.item);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text("title"), c.title);
    Driver().AdvanceClock(1500ms);
    EXPECT_EQ(Browser()->Navigations(), (std::vector<std::string>{"about:blank", PageUrl(c.page)}));
    if (c.item == cases[0].item) SaveScreenshot(dialog, "web_page_dialog.png");
    Driver().Click("closebtn");
    EXPECT_FALSE(IsOpen(kDialog));
  }
}

TEST_F(WebPageDialogTest, LoadsThePageWithTheCamerasSessionCookieAfterOneAndAHalfSeconds) {
  OpenCameraAndPage();
  // The dialog's own login, beside the main window's.
  EXPECT_TRUE(ConnectionsBecome(2));
  Driver().AdvanceClock(1499ms);
  EXPECT_TRUE(Browser()->Navigations().empty());
  EXPECT_TRUE(Browser()->Cookies().empty());
  Driver().AdvanceClock(1ms);

  EXPECT_EQ(Browser()->Navigations(), (std::vector<std::string>{"about:blank", PageUrl("SetNetPort.htm")}));
  const auto cookies = Browser()->Cookies();
  ASSERT_EQ(cookies.size(), 1u);
  EXPECT_EQ(cookies[0].url, "http://" + harness.Camera(0).Ip());
  EXPECT_EQ(cookies[0].name, "sessionID");
  const std::string id = LastSessionId();
  EXPECT_EQ(cookies[0].data, id + kExpiry);
  EXPECT_EQ(PageStatusWith(id), 200u);
  EXPECT_EQ(PageStatusWith("not-a-session"), 403u);
}

TEST_F(WebPageDialogTest, RenewsTheCookieEveryFiftySecondsWithoutReloading) {
  OpenCameraAndPage();
  Driver().AdvanceClock(1500ms);
  Driver().AdvanceClock(49999ms);
  EXPECT_EQ(Browser()->Cookies().size(), 1u);
  Driver().AdvanceClock(1ms);
  EXPECT_EQ(Browser()->Cookies().size(), 2u);
  // Long past the camera's session lifetime, the renewed cookie still lets the browser in.
  Driver().AdvanceClock(450s);
  EXPECT_EQ(Browser()->Cookies().size(), 11u);
  EXPECT_EQ(PageStatusWith(LastSessionId()), 200u);
  EXPECT_EQ(Browser()->Navigations().size(), 2u);
}

TEST_F(WebPageDialogTest, ThePageAddressIsThatOfTheLastCompleteOpen) {
  OpenCameraOk();
  ASSERT_TRUE(Driver().Type("edit_device_ip", "192.168.9.9"));
  SetText("edit_device_port", "81");
  ASSERT_NE(OpenPage("menu_web_about"), nullptr);
  Driver().AdvanceClock(1500ms);
  EXPECT_EQ(Browser()->Navigations().back(), PageUrl("Support.htm"));
  EXPECT_EQ(Browser()->Cookies().size(), 1u);
}

TEST_F(WebPageDialogTest, AFailedOwnLoginLoadsThePageWithoutCookie) {
  OpenCameraOk();
  harness.Camera(0).Faults().Set(camera::protocol::Operation::Login,
                                 {.status = camera::protocol::Status::LoginFailed, .times = 1});
  ASSERT_NE(OpenPage("menu_web_network"), nullptr);
  EXPECT_EQ(harness.Messages().size(), 0u);
  Driver().AdvanceClock(1500ms);
  EXPECT_EQ(Browser()->Navigations(), (std::vector<std::string>{"about:blank", PageUrl("SetNetPort.htm")}));
  Driver().AdvanceClock(100s);
  EXPECT_TRUE(Browser()->Cookies().empty());
  EXPECT_TRUE(ConnectionsBecome(1));
}

TEST_F(WebPageDialogTest, EveryWayOfClosingStopsTheTimersAndEndsTheOwnConnection) {
  struct Case {
    const char* way;
    std::function<void(HWND)> close;
  };
  const Case cases[] = {
      {"close button", [&](HWND) { Driver().Click("closebtn"); }},
      {"frame close", [&](HWND dialog) { Driver().Run([=] { os::PostMessage(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }); }},
      {"window close", [&](HWND dialog) { Driver().Run([=] { os::PostMessage(dialog, WM_CLOSE, 0, 0); }); }},
  };
  OpenCameraOk();
  for (const Case& c : cases) {
    for (const auto loadedFor : {0ms, 1500ms}) {
      SCOPED_TRACE(std::string(c.way) + " after " + std::to_string(loadedFor.count()) + " ms");
      Browser()->Clear();
      const HWND dialog = OpenPage("menu_web_network");
      ASSERT_NE(dialog, nullptr);
      ASSERT_TRUE(ConnectionsBecome(2));
      Driver().AdvanceClock(loadedFor);
      const std::size_t navigations = Browser()->Navigations().size();
      c.close(dialog);
      EXPECT_FALSE(IsOpen(kDialog));
      EXPECT_TRUE(ConnectionsBecome(1));
      Driver().AdvanceClock(120s);
      EXPECT_EQ(Browser()->Navigations().size(), navigations);
      EXPECT_EQ(Browser()->Cookies().size(), navigations == 0 ? 0u : 1u);
      // The main window's camera stays open.
      EXPECT_NE(harness.DeviceState().handle, 0);
    }
  }
}

TEST_F(WebPageDialogTest, AMenuPickAfterAFailedSecondLoginUsesTheLastCompleteOpen) {
  camsim::CameraProfile encrypted;
  encrypted.encryptMode = 2;
  encrypted.userPassword = "123456";
  ASSERT_TRUE(harness.AddCameras(1, encrypted));
  OpenCameraOk(0);
  ASSERT_TRUE(Driver().Click("btn_close"));
  harness.OpenCamera(1, "000000");
  ASSERT_EQ(harness.DismissMessageBox(), "二次登录失败，请检查用户密码是否正确!");
  // The pick as the menu sends it; queued, since the dialog it opens runs its own loop.
  Driver().Run([&] {
    harness.Window()->GetPaintManager()->SendNotify(Driver().Control("btn_more_cfg"), "menu_web_network", 0, 0, true);
  });
  ASSERT_NE(WaitForDialog(kDialog), nullptr);
  Driver().AdvanceClock(1500ms);
  EXPECT_EQ(Browser()->Navigations(), (std::vector<std::string>{"about:blank", PageUrl("SetNetPort.htm")}));
  EXPECT_EQ(PageStatusWith(LastSessionId()), 200u) << "the session of camera 0, opened with its login";
  Driver().Click("closebtn");
  EXPECT_FALSE(IsOpen(kDialog));
}

TEST_F(WebPageDialogTest, TheMainWindowsEndAlsoEndsTheDialogsConnection) {
  OpenCameraAndPage();
  ASSERT_TRUE(ConnectionsBecome(2));
  const HWND main = harness.Window()->GetHWND();
  Driver().Run([=] { ui::DestroyWindow(main); });
  EXPECT_FALSE(IsOpen(kDialog));
  EXPECT_TRUE(ConnectionsBecome(0));
  Driver().AdvanceClock(120s);
  EXPECT_TRUE(Browser()->Cookies().empty());
}

}  // namespace
}  // namespace configtool::test
