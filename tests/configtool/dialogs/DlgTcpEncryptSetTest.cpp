// The TCP-encryption dialog against a simulated camera: its modes, setting one with the user
// password, and changing or resetting the user password.

#include "configtool/dialogs/DlgTcpEncryptSet.h"

#include "tests/configtool/dialogs/DialogTest.h"

namespace configtool::test {
namespace {

using camera::protocol::Operation;

constexpr const char* kDialog = "tcpencryptset";
constexpr const char* kUserPassword = "123456";
constexpr const char* kMasterPassword = "888888";
const char* const kPasswordControls[] = {"dlg_edit_pwd", "dlg_edit_new_pwd", "dlg_edit_repwd", "opt_modify_pwd",
                                         "opt_reset_pwd"};

class EncryptDialogTest : public DialogTest {
 protected:
  void SetMode(int mode) {
    harness.Camera(0).With(
        [&](camsim::CameraState& state) { state.encryption = camsim::EncryptionState(mode, kUserPassword, kMasterPassword); });
  }
  int Mode() { return harness.Camera(0).With([](camsim::CameraState& state) { return state.encryption.Mode(); }); }
  std::string CameraUserPassword() {
    return harness.Camera(0).With([](camsim::CameraState& state) { return state.encryption.UserPassword(); });
  }
  HWND OpenDialog() {
    Driver().Click("btn_encrypt_set");
    return WaitForDialog(kDialog);
  }
  void OpenCameraAndDialog() {
    OpenCameraOk();
    ASSERT_NE(OpenDialog(), nullptr);
  }
  int ModeItemCount() {
    return Driver().Get<int>([&] {
      auto* combo = dynamic_cast<ui::CComboUI*>(Driver().Control("dlg_cmb_type"));
      return combo != nullptr ? combo->GetCount() : -1;
    });
  }
  void ExpectPasswordControls(bool enabled) {
    for (const char* control : kPasswordControls) EXPECT_EQ(Enabled(control), enabled) << control;
  }
  std::size_t PasswordCalls() {
    return harness.Camera(0).Calls().CountOf(Operation::SetEncryptPassword) +
           harness.Camera(0).Calls().CountOf(Operation::ResetEncryptPassword);
  }
  void EnterPasswords(const std::string& old, const std::string& fresh, const std::string& repeated) {
    SetText("dlg_edit_pwd", old);
    SetText("dlg_edit_new_pwd", fresh);
    SetText("dlg_edit_repwd", repeated);
  }
};

TEST_F(EncryptDialogTest, ShowsTheCamerasModesWithTheCurrentOneSelected) {
  struct Case {
    int mode;
    const char* shown;
    bool passwordControls;
  };
  const Case cases[] = {{0, "不加密", false}, {1, "数据加密", true}, {2, "二次登录", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    SetMode(c.mode);
    harness.OpenCamera(0, kUserPassword);
    ASSERT_EQ(harness.DismissMessageBox(), "");
    const HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ModeItemCount(), 3);
    EXPECT_EQ(Text("dlg_cmb_type"), c.shown);
    ExpectPasswordControls(c.passwordControls);
    EXPECT_TRUE(Enabled("dlg_user_pwd"));
    EXPECT_EQ(Text("dlg_lbl_pwd"), "用户密码：");
    if (c.mode == 1) SaveScreenshot(dialog, "tcp_encrypt_dialog.png");
    Driver().Click("cancel");
    EXPECT_FALSE(IsOpen(kDialog));
    Driver().Click("btn_close");
  }
}

TEST_F(EncryptDialogTest, PickingAnyModeEnablesThePasswordControls) {
  OpenCameraAndDialog();
  ExpectPasswordControls(false);
  ASSERT_TRUE(Driver().Select("dlg_cmb_type", 2));
  ExpectPasswordControls(true);
  ASSERT_TRUE(Driver().Select("dlg_cmb_type", 0));
  ExpectPasswordControls(true);
}

TEST_F(EncryptDialogTest, AFailedReadLeavesTheListEmptyAndTheControlsDisabled) {
  OpenCameraOk();
  harness.Camera(0).Faults().Set(Operation::GetEncryptInfo, {.status = camera::protocol::Status::Failed});
  ASSERT_NE(OpenDialog(), nullptr);
  EXPECT_EQ(ModeItemCount(), 0);
  ExpectPasswordControls(false);
}

TEST_F(EncryptDialogTest, WithoutTheModeListNoModeIsSent) {
  OpenCameraOk();
  harness.Camera(0).Faults().Set(Operation::GetEncryptInfo, {.status = camera::protocol::Status::Failed});
  ASSERT_NE(OpenDialog(), nullptr);
  ASSERT_TRUE(Driver().Type("dlg_user_pwd", kUserPassword));
  Driver().Click("save");
  EXPECT_EQ(harness.DismissMessageBox(), "设置加密方式失败，请检查密码是否正确！");
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::SetEncryptMode), 0u);
  EXPECT_EQ(Text("dlg_user_pwd"), "");
  EXPECT_EQ(Mode(), 0);
}

TEST_F(EncryptDialogTest, SetsTheModeOnlyWithTheUserPassword) {
  OpenCameraAndDialog();
  ASSERT_TRUE(Driver().Select("dlg_cmb_type", 2));
  Driver().Click("save");
  EXPECT_EQ(harness.DismissMessageBox(), "请输入用户密码！");
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::SetEncryptMode), 0u);

  ASSERT_TRUE(Driver().Type("dlg_user_pwd", "wrong"));
  Driver().Click("save");
  EXPECT_EQ(harness.DismissMessageBox(), "设置加密方式失败，请检查密码是否正确！");
  EXPECT_EQ(Text("dlg_user_pwd"), "");
  EXPECT_EQ(Mode(), 0);

  ASSERT_TRUE(Driver().Type("dlg_user_pwd", kUserPassword));
  Driver().Click("save");
  EXPECT_EQ(harness.DismissMessageBox(), "设置加密方式成功！");
  EXPECT_EQ(Text("dlg_user_pwd"), "");
  EXPECT_EQ(Mode(), 2);
  EXPECT_TRUE(IsOpen(kDialog));
  // The main window's connection is the one the dialog used, and it stays open.
  EXPECT_NE(harness.DeviceState().handle, 0);
  EXPECT_EQ(harness.Camera(0).ConnectionCount(), 1u);
}

TEST_F(EncryptDialogTest, ChecksThePasswordsBeforeAnyCameraCall) {
  struct Case {
    std::string old, fresh, repeated;
    const char* message;
  };
  const Case cases[] = {
      {"", "654321", "654321", "请输入用户密码！"},
      {kUserPassword, "", "654321", "请输入新密码！"},
      {kUserPassword, "654321", "", "请输入确认密码！"},
      {kUserPassword, "654321", "654322", "两次输入密码不一致，请重新输入！"},
  };
  SetMode(1);
  OpenCameraAndDialog();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    EnterPasswords(c.old, c.fresh, c.repeated);
    Driver().Click("ok");
    EXPECT_EQ(harness.DismissMessageBox(), c.message);
    EXPECT_TRUE(IsOpen(kDialog));
  }
  EXPECT_EQ(PasswordCalls(), 0u);
  EXPECT_EQ(CameraUserPassword(), kUserPassword);
}

TEST_F(EncryptDialogTest, ChangesTheUserPasswordWithTheOldOne) {
  SetMode(1);
  OpenCameraAndDialog();
  EnterPasswords("wrong", "654321", "654321");
  Driver().Click("ok");
  EXPECT_EQ(harness.DismissMessageBox(), "设置密码失败，请检查原始密码是否正确！");
  EXPECT_TRUE(IsOpen(kDialog));
  EXPECT_EQ(Text("dlg_edit_pwd"), "");
  EXPECT_EQ(Text("dlg_edit_new_pwd"), "654321");
  EXPECT_EQ(CameraUserPassword(), kUserPassword);

  SetText("dlg_edit_pwd", kUserPassword);
  Driver().Click("ok");
  EXPECT_EQ(harness.DismissMessageBox(), "设置密码成功！");
  EXPECT_FALSE(IsOpen(kDialog));
  EXPECT_EQ(CameraUserPassword(), "654321");
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::ResetEncryptPassword), 0u);
}

TEST_F(EncryptDialogTest, ResetsTheUserPasswordWithTheMasterPassword) {
  SetMode(1);
  OpenCameraAndDialog();
  ASSERT_TRUE(Driver().Click("opt_reset_pwd"));
  EXPECT_EQ(Text("dlg_lbl_pwd"), "主密码：");
  // The user password is not the master password.
  EnterPasswords(kUserPassword, "112233", "112233");
  Driver().Click("ok");
  EXPECT_EQ(harness.DismissMessageBox(), "设置密码失败，请检查原始密码是否正确！");
  EXPECT_EQ(CameraUserPassword(), kUserPassword);

  SetText("dlg_edit_pwd", kMasterPassword);
  Driver().Click("ok");
  EXPECT_EQ(harness.DismissMessageBox(), "设置密码成功！");
  EXPECT_FALSE(IsOpen(kDialog));
  EXPECT_EQ(CameraUserPassword(), "112233");
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::SetEncryptPassword), 0u);
}

TEST_F(EncryptDialogTest, TheLabelFollowsThePasswordKind) {
  SetMode(1);
  OpenCameraAndDialog();
  Driver().Click("opt_reset_pwd");
  EXPECT_TRUE(IsSelected("opt_reset_pwd"));
  EXPECT_FALSE(IsSelected("opt_modify_pwd"));
  EXPECT_EQ(Text("dlg_lbl_pwd"), "主密码：");
  Driver().Click("opt_modify_pwd");
  EXPECT_TRUE(IsSelected("opt_modify_pwd"));
  EXPECT_EQ(Text("dlg_lbl_pwd"), "用户密码：");
}

TEST_F(EncryptDialogTest, ClosingLeavesTheCameraOpen) {
  for (const char* button : {"cancel", "closebtn"}) {
    SCOPED_TRACE(button);
    if (harness.DeviceState().handle == 0) OpenCameraOk();
    ASSERT_NE(OpenDialog(), nullptr);
    Driver().Click(button);
    EXPECT_FALSE(IsOpen(kDialog));
    EXPECT_NE(harness.DeviceState().handle, 0);
    EXPECT_TRUE(Enabled("btn_close"));
  }
}

}  // namespace
}  // namespace configtool::test
