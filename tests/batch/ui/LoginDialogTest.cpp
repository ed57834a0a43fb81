// The login dialog of a row: what the operator types is the camera's login from then on, saved
// in "logininfo" and used again at the next start.

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "batch/LoginCipher.h"
#include "batch/LoginStore.h"
#include "platform/os/File.h"
#include "tests/batch/ui/BatchProgram.h"

namespace {

using camera::protocol::Operation;

std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

// Files of this process may grow to `bytes` at most while it lives: a write beyond fails (EFBIG).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_previous);
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, m_previous.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_previous);
    std::signal(SIGXFSZ, m_handler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit m_previous{};
  void (*m_handler)(int) = SIG_DFL;
};

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

TEST_F(LoginDialog, ALoginTheFileCannotHoldIsRefusedAndChangesNothing) {
  program.AddCameras(1);
  program.Start();
  ASSERT_TRUE(program.WaitForRows(1));
  const HWND login = OpenLogin(kConfigTab, 0);
  ASSERT_NE(login, nullptr);
  for (const char* control : {"dlg_edit_username", "dlg_edit_pwd"}) {
    ASSERT_TRUE(program.Driver().Type(control, "a;b", login));
    program.Driver().AnswerNextMessageBox("ok");
    ASSERT_TRUE(program.Driver().Click("ok", login));
    EXPECT_EQ(program.Driver().MessageBoxTexts().back(), "用户名和密码不能包含分号或换行！") << control;
    EXPECT_NE(program.Driver().FindWindow("batchlogin"), nullptr) << control;
    ASSERT_TRUE(program.Driver().Type(control, "qorvt", login));
  }
  ASSERT_TRUE(program.Driver().Click("cancel", login));
  EXPECT_FALSE(os::PathExists(LoginInfoPath()));
  EXPECT_EQ(program.Camera(0).Calls().CountOf(Operation::Login), 1u);
  EXPECT_TRUE(program.Row(kConfigTab, program.Ip(0)).loggedIn);
  EXPECT_TRUE(program.Close());
}

// The file as another program sees it after a save.
TEST_F(LoginDialog, TheSavedFileIsTheOwnersKeepsUnseenCamerasAndSurvivesAFailedWrite) {
  program.AddCameras(1);
  const std::string unseen = program.Ip(0).substr(0, program.Ip(0).rfind('.')) + ".250";
  ASSERT_TRUE(os::WriteWholeFile(LoginInfoPath(), AesCtrEncrypt(unseen + ";far;away\r\n\r\n", "qorvt")));
  std::filesystem::permissions(LoginInfoPath(), std::filesystem::perms(0644));
  program.Start();
  ASSERT_TRUE(program.WaitForRows(1));
  HWND login = OpenLogin(kConfigTab, 0);
  ASSERT_NE(login, nullptr);
  ASSERT_TRUE(program.Driver().Click("ok", login));

  EXPECT_EQ(std::filesystem::status(LoginInfoPath()).permissions(), std::filesystem::perms(0600));
  ASSERT_NE(Saved(unseen), nullptr);
  EXPECT_EQ(Saved(unseen)->User(), "far");
  EXPECT_EQ(Saved(unseen)->Password(), "away");
  ASSERT_NE(Saved(program.Ip(0)), nullptr);
  const std::optional<std::string> before = os::ReadWholeFile(LoginInfoPath());
  const std::string folder = std::filesystem::path(LoginInfoPath()).parent_path().string();
  const std::vector<std::string> files = os::ListFiles(folder, "");

  // A disk that takes no more than a few bytes of a file.
  login = OpenLogin(kConfigTab, 0);
  ASSERT_NE(login, nullptr);
  ASSERT_TRUE(program.Driver().Type("dlg_edit_username", "changed", login));
  {
    const FileSizeLimit limit(8);
    ASSERT_TRUE(program.Driver().Click("ok", login));
  }
  EXPECT_EQ(os::ReadWholeFile(LoginInfoPath()), before);
  EXPECT_EQ(os::ListFiles(folder, ""), files) << "nothing of the failed write is left";
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
