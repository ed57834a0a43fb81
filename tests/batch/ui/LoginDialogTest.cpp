// The login dialog of a row: what the operator types is the camera's login from then on, saved
// in "logininfo" and used again at the next start.

#include <gtest/gtest.h>

#include "batch/LoginStore.h"
#include "platform/os/File.h"
#include "tests/batch/ui/BatchProgram.h"

namespace {

using camera::protocol::Operation;

std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

class LoginDialog : public ::testing::Test {
 protected:
  HWND OpenLogin(BatchTab tab, int camera) {
    EXPECT_TRUE(program.ClickRow(tab, program.Ip(camera), "dlg_btn_login"));
    return program.Driver().WaitForWindow("batchlogin");
  }
  std::shared_ptr<DeviceInfo> Saved(const std::string& ip) {
    LoginStore store;
    const std::optional<std::string> text = os::ReadWholeFile(LoginInfoPath());
    if (!text) return nullptr;
    ReadLoginInfoText(store, *text);
    return store.Find(ip);
  }

  BatchProgram program;
};

TEST_F(LoginDialog, ATypedLoginOpensTheCameraAndIsUsedAgainAtTheNextStart) {
  program.AddCameras(2);
  program.Camera(0).With([](camsim::CameraState& state) { state.accounts = {{"installer", "门岗2"}}; });
  program.Start();
  ASSERT_TRUE(program.WaitForRows(2));
  EXPECT_FALSE(program.Row(kConfigTab, program.Ip(0)).loggedIn);
  EXPECT_EQ(program.Row(kUpdateTab, program.Ip(0)).version, "");
  EXPECT_EQ(program.Camera(0).Calls().CountOf(Operation::Login), 2u) << "a refused login is tried once more";

  const HWND login = OpenLogin(kConfigTab, 0);
  ASSERT_NE(login, nullptr);
  EXPECT_EQ(program.Driver().Text("dlg_edit_username", login), "qorvt");
  EXPECT_EQ(program.Driver().Text("dlg_edit_pwd", login), "qorvt");
  ASSERT_TRUE(program.Driver().Type("dlg_edit_username", "installer", login));
  ASSERT_TRUE(program.Driver().Type("dlg_edit_pwd", Utf8(u8"门岗2"), login));
  ASSERT_TRUE(os::CreateDirectories(LPR_BATCH_SCREENSHOT_DIR));
  EXPECT_TRUE(program.Driver().SaveScreenshot(login, std::string(LPR_BATCH_SCREENSHOT_DIR) + "/login.png"));
  ASSERT_TRUE(program.Driver().Click("ok", login));
  EXPECT_EQ(program.Driver().FindWindow("batchlogin"), nullptr);

  for (BatchTab tab : {kConfigTab, kUpdateTab, kSelfTab}) {
    // Another tab shows the camera's record as it is when the tab is shown.
    ASSERT_TRUE(program.ShowTab(tab));
    const RowView row = program.Row(tab, program.Ip(0));
    EXPECT_TRUE(row.loggedIn) << "tab " << tab;
    EXPECT_EQ(row.version, "5.1.6.20") << "tab " << tab;
  }
  const std::shared_ptr<DeviceInfo> saved = Saved(program.Ip(0));
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->User(), "installer");
  EXPECT_EQ(saved->Password(), "门岗2");
  ASSERT_NE(Saved(program.Ip(1)), nullptr);
  EXPECT_EQ(Saved(program.Ip(1))->User(), "qorvt");
  ASSERT_TRUE(program.Close());

  program.Start();
  ASSERT_TRUE(program.WaitForRows(2));
  EXPECT_TRUE(program.Row(kUpdateTab, program.Ip(0)).loggedIn);
  EXPECT_TRUE(program.Row(kUpdateTab, program.Ip(1)).loggedIn);
  EXPECT_TRUE(program.Close());
}

TEST_F(LoginDialog, CancelAndTheCloseButtonChangeNothing) {
  program.AddCameras(1);
  program.Start();
  ASSERT_TRUE(program.WaitForRows(1));
  for (const char* button : {"cancel", "closebtn"}) {
    const HWND login = OpenLogin(kUpdateTab, 0);
    ASSERT_NE(login, nullptr);
    ASSERT_TRUE(program.Driver().Type("dlg_edit_username", "nobody", login));
    ASSERT_TRUE(program.Driver().Click(button, login));
    EXPECT_EQ(program.Driver().FindWindow("batchlogin"), nullptr) << button;
  }
  EXPECT_FALSE(os::PathExists(LoginInfoPath())) << "nothing confirmed, nothing saved";
  EXPECT_TRUE(program.Row(kUpdateTab, program.Ip(0)).loggedIn);
  EXPECT_EQ(program.Camera(0).Calls().CountOf(Operation::Login), 1u);
  EXPECT_TRUE(program.Close());
}

TEST_F(LoginDialog, AnEmptyPasswordIsKeptAndSavedEvenWhenTheCameraRefusesIt) {
  program.AddCameras(1);
  program.Start();
  ASSERT_TRUE(program.WaitForRows(1));
  const HWND login = OpenLogin(kSelfTab, 0);
  ASSERT_NE(login, nullptr);
  ASSERT_TRUE(program.Driver().Type("dlg_edit_pwd", "", login));
  program.Driver().PressKey(VK_DELETE);
  EXPECT_EQ(program.Driver().Text("dlg_edit_pwd", login), "");
  ASSERT_TRUE(program.Driver().Click("ok", login));
  EXPECT_FALSE(program.Row(kSelfTab, program.Ip(0)).loggedIn);
  const std::shared_ptr<DeviceInfo> saved = Saved(program.Ip(0));
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->User(), "qorvt");
  EXPECT_EQ(saved->Password(), "");
  EXPECT_TRUE(program.Close());
}

}  // namespace
