// The sample window driven as a user would, with pictures of it saved as PNG files.

#include "tests/ui/SampleWindow.h"

#include <gtest/gtest.h>

#include "platform/os/File.h"
#include "platform/ui/test/Driver.h"

namespace ui::testing {
namespace {

class SampleWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InstallSampleSkin(skin));
    ASSERT_TRUE(os::CreateDirectories(LPR_UI_SCREENSHOT_DIR));
    driver.Run([&] {
      window = new SampleWindow;
      ASSERT_NE(window->CreateWnd("SampleWindow.xml", nullptr, "sample", nullptr, false, false, true, 1), nullptr);
      window->CenterWindow();
      window->ShowWindow(true, true);
    });
    main = driver.FindWindow("sample");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(driver.Get<UINT>([&] { return GetWindowIcon(main); }), 101u);
  }

  template <typename T>
  T Read(T SampleWindow::*member) {
    return driver.Get<T>([&] { return window->*member; });
  }
  static std::string Shot(const char* name) { return std::string(LPR_UI_SCREENSHOT_DIR) + "/" + name; }

  test::Driver driver;
  TestSkin skin;
  SampleWindow* window = nullptr;
  HWND main = nullptr;
};

TEST_F(SampleWindowTest, UserActionsReachTheWindowAsNotifications) {
  // A row of the device list fills the login inputs.
  ASSERT_TRUE(driver.Select("device_list", 1));
  EXPECT_EQ(driver.Text("edit_device_ip"), "192.168.1.100");
  EXPECT_EQ(driver.Text("edit_device_port"), "8080");

  // Typing replaces the edit's text, stored as GBK; more typing goes in at the caret.
  ASSERT_TRUE(driver.Type("edit_device_username", reinterpret_cast<const char*>(u8"管理员")));
  EXPECT_EQ(driver.Text("edit_device_username"), "管理员");
  driver.TypeText("2");
  EXPECT_EQ(driver.Text("edit_device_username"), "管理员2");

  ASSERT_TRUE(driver.Select("intell_cmb_prov", 3));
  EXPECT_EQ(Read(&SampleWindow::province), 3);
  EXPECT_EQ(driver.Text("intell_cmb_prov"), "粤");

  ASSERT_TRUE(driver.Click("intell_opt_LED_Open"));
  EXPECT_EQ(Read(&SampleWindow::ledOption), "intell_opt_LED_Open");
  EXPECT_TRUE(Read(&SampleWindow::ledSelected));  // option_click sees the state after the toggle
  EXPECT_FALSE(driver.Get<bool>([&] {
    return static_cast<COptionUI*>(window->GetPaintManager()->FindControl("intell_opt_LED_Auto"))->IsSelected();
  }));

  const auto slider = driver.Rect("intell_slider_LED");
  ASSERT_TRUE(slider.has_value());
  ASSERT_TRUE(driver.Drag("intell_slider_LED", static_cast<int>(RectWidth(*slider) / 2), 0, 5));
  const int level = Read(&SampleWindow::ledLevel);
  EXPECT_GT(level, 3);
  EXPECT_EQ(driver.Text("lbl_led"), std::to_string(level + 2) + "米");

  ASSERT_TRUE(driver.Click("tab_results"));
  EXPECT_TRUE(driver.IsVisible("plate_list"));
  EXPECT_FALSE(driver.IsVisible("edit_device_ip"));
  EXPECT_TRUE(driver.SaveDesktopScreenshot(Shot("sample-results.png")));
  ASSERT_TRUE(driver.Click("tab_login"));
  EXPECT_TRUE(driver.IsVisible("edit_device_ip"));

  ASSERT_TRUE(driver.Click("btn_more_cfg"));
  const HWND menu = driver.WaitForWindow("MenuWnd", std::chrono::milliseconds(500));
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(driver.SaveDesktopScreenshot(Shot("sample-menu.png")));
  ASSERT_TRUE(driver.Click("menu_web_about", menu));
  EXPECT_EQ(Read(&SampleWindow::pickedMenu), "menu_web_about");
  EXPECT_EQ(driver.FindWindow("MenuWnd"), nullptr);  // hidden after the pick
  EXPECT_TRUE(driver.SaveDesktopScreenshot(Shot("sample-main.png")));
}

TEST_F(SampleWindowTest, MessageBoxAndModalDialogOpenOnTopAndAnswer) {
  ASSERT_TRUE(driver.Click("btn_open"));
  EXPECT_EQ(driver.OpenMessageBoxText(), std::optional<std::string>("请输入设备IP！"));
  EXPECT_TRUE(driver.SaveDesktopScreenshot(Shot("sample-messagebox.png")));
  EXPECT_TRUE(driver.AnswerMessageBox("ok"));
  EXPECT_FALSE(driver.OpenMessageBoxText().has_value());

  ASSERT_TRUE(driver.Click("btn_encrypt_set"));
  const HWND dialog = driver.FindWindow("tcpencryptset");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(driver.ActiveWindow(), dialog);
  ASSERT_TRUE(driver.Select("dlg_cmb_type", 2, dialog));
  ASSERT_TRUE(driver.Type("dlg_user_pwd", "secret", dialog));
  EXPECT_TRUE(driver.SaveDesktopScreenshot(Shot("sample-dialog.png")));
  ASSERT_TRUE(driver.Click("ok", dialog));
  EXPECT_EQ(Read(&SampleWindow::dialogResult), IDOK);
  EXPECT_EQ(Read(&SampleWindow::dialogPassword), "secret");
  EXPECT_EQ(Read(&SampleWindow::dialogMode), 2);
  EXPECT_EQ(driver.FindWindow("tcpencryptset"), nullptr);

  // A box answered in advance.
  driver.AnswerNextMessageBox("ok");
  ASSERT_TRUE(driver.Select("device_list", 0));
  ASSERT_TRUE(driver.Click("btn_open"));
  const auto texts = driver.MessageBoxTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back(), "打开设备成功！");
  EXPECT_FALSE(driver.OpenMessageBoxText().has_value());

  ASSERT_TRUE(driver.Click("closebtn", main));
  EXPECT_EQ(driver.QuitCount(), 1);
}

}  // namespace
}  // namespace ui::testing
