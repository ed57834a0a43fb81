// The program Brenlo itself, started as the tool starts it: one copy at a time, its main dialog
// over the cameras the search finds, and no window without its skin package.

#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "batch/LoginCipher.h"
#include "batch/LoginStore.h"
#include "platform/os/File.h"
#include "sim/Simulator.h"
#include "tests/batch/support/TempFolder.h"
#include "tests/common/ChildProcess.h"
#include "tests/support/LoopbackBlock.h"

namespace {

using namespace std::chrono_literals;

std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

// Brenlo with its standard error joined to the output the test reads.
class Brenlo : public ChildProcess {
 public:
  // `prelude`: shell commands run before the program replaces the shell.
  Brenlo(const std::string& program, const std::vector<std::string>& environment, const std::string& prelude = "")
      : ChildProcess("/bin/sh", {"-c", prelude + "exec \"$0\" 2>&1", program}, environment) {}

  // Reads lines until one contains `text`; false when the program ends or stays silent first.
  bool SaysSoon(const std::string& text, std::string* all = nullptr) {
    while (const std::optional<std::string> line = ReadLine(30s)) {
      if (all != nullptr) *all += *line + "\n";
      if (line->find(text) != std::string::npos) return true;
    }
    return false;
  }
};

TEST(BrenloProgram, RunsAsOneCopyOverTheCamerasItFinds) {
  camsim::Simulator simulator;
  ASSERT_TRUE(simulator.AddCameras(2, "127.0.31." + std::to_string(getpid() % 200 + 10), 8080));
  TempFolder folder;
  const std::string screenshot = folder.Path("brenlo.png");
  const std::string script = folder.Write("steps.txt", "wait-window batch_operation 10000\n"
                                                       "wait 3000\n"
                                                       "click tab_config\n"
                                                       "screenshot " + screenshot + " batch_operation\n"
                                                       "quit\n");
  const std::vector<std::string> environment{"LPR_UI_HOST=headless", "XDG_RUNTIME_DIR=" + folder.Path(),
                                             "CAMERACLIENT_SEARCH_TARGETS=" + simulator.SearchTargets()};
  std::vector<std::string> scripted = environment;
  scripted.push_back("LPR_UI_SCRIPT=" + script);

  Brenlo first(LPR_BRENLO_PROGRAM, scripted);
  ASSERT_TRUE(first.Started());
  ASSERT_TRUE(first.SaysSoon("1: wait-window ok"));

  Brenlo second(LPR_BRENLO_PROGRAM, environment);
  std::string said;
  EXPECT_TRUE(second.SaysSoon(Utf8(u8"批量设备操作程序已经启动"), &said)) << said;
  EXPECT_EQ(second.Wait(10s), 0);

  said.clear();
  // The last step ends the message loop under the step runner, which may not call that a success.
  EXPECT_TRUE(first.SaysSoon("5: quit", &said)) << said;
  const std::string steps = said.substr(0, said.find("5: quit"));
  EXPECT_NE(steps.find("4: screenshot ok"), std::string::npos) << said;
  EXPECT_EQ(steps.find("failed"), std::string::npos) << said;
  // The dialog waits at least 10 s for its device threads once its window is gone.
  EXPECT_EQ(first.Wait(40s), 0);
  EXPECT_TRUE(std::filesystem::exists(screenshot));
}

// Copies the program and the libraries it loads into `folder`, and the skin package with them.
void InstallBrenlo(const TempFolder& folder, bool withSkin) {
  const std::filesystem::path bin = std::filesystem::path(LPR_BRENLO_PROGRAM).parent_path();
  std::vector<std::string> files{"Brenlo", "libJqLPRSDK.so", "libJQShareMem.so"};
  if (withSkin) files.push_back("skin.dll");
  for (const std::string& file : files) {
    std::filesystem::copy_file(bin / file, std::filesystem::path(folder.Path()) / file);
  }
}

TEST(BrenloProgram, EndsWithoutAWindowWhenItsSkinPackageIsMissing) {
  TempFolder folder;
  InstallBrenlo(folder, false);
  Brenlo alone(folder.Path("Brenlo"), {"LPR_UI_HOST=headless", "XDG_RUNTIME_DIR=" + folder.Path()});
  std::string said;
  EXPECT_TRUE(alone.SaysSoon("Can't open", &said)) << said;
  EXPECT_EQ(alone.Wait(10s), 0);
}

// "logininfo" as another program finds it after Brenlo saved a login: readable by its owner only,
// holding the logins of cameras that run did not find, and whole after a save that failed.
class SavedLoginsFile : public ::testing::Test {
 protected:
  SavedLoginsFile() {
    InstallBrenlo(m_program, true);
    m_simulator.AddCameras(1, lpr::test::ProcessLoopbackPrefix() + "1", 8080);
    m_camera = lpr::test::ProcessLoopbackPrefix() + "1";
    m_unseen = lpr::test::ProcessLoopbackPrefix() + "250";
  }

  std::string File() const { return m_program.Path("logininfo"); }

  // Runs Brenlo over the camera: it confirms the camera's login in the update tab with
  // `typedUser` typed (none: as shown) and ends. `prelude` runs in the shell before the program.
  void ConfirmLogin(const std::string& typedUser, const std::string& prelude = "") {
    std::string steps = "wait-window batch_operation 10000\n"
                        "wait 5000\n"
                        "click dlg_update_device_list/dlg_btn_login\n"
                        "wait-window batchlogin 10000\n";
    if (!typedUser.empty()) steps += "type dlg_edit_username " + typedUser + "\n";
    steps += "click ok\nquit\n";
    const std::string script = m_scripts.Write("steps.txt", steps);
    Brenlo brenlo(m_program.Path("Brenlo"),
                  {"LPR_UI_HOST=headless", "XDG_RUNTIME_DIR=" + m_scripts.Path(), "LPR_UI_SCRIPT=" + script,
                   "CAMERACLIENT_SEARCH_TARGETS=" + m_simulator.SearchTargets()},
                  prelude);
    ASSERT_TRUE(brenlo.Started());
    std::string said;
    EXPECT_TRUE(brenlo.SaysSoon("quit", &said)) << said;
    EXPECT_EQ(said.find("failed"), std::string::npos) << said;
    EXPECT_EQ(brenlo.Wait(60s), 0);
  }

  // The login the file holds for `ip`, read with the program's passphrase.
  std::shared_ptr<DeviceInfo> Saved(const std::string& ip) const {
    const std::optional<std::string> text = os::ReadWholeFile(File());
    if (!text) return nullptr;
    LoginStore store;
    ReadLoginInfoText(store, *text);
    return store.Find(ip);
  }

  TempFolder m_program;
  TempFolder m_scripts;
  camsim::Simulator m_simulator;
  std::string m_camera;
  std::string m_unseen;
};

TEST_F(SavedLoginsFile, IsTheOwnersKeepsUnseenCamerasAndSurvivesAFailedWrite) {
  // Saved by an earlier run, readable by everyone: a camera this run will not find.
  ASSERT_TRUE(os::WriteWholeFile(File(), AesCtrEncrypt(m_unseen + ";far;away\r\n\r\n", "qorvt")));
  ::chmod(File().c_str(), 0644);

  ConfirmLogin("");
  struct stat status {};
  ASSERT_EQ(::stat(File().c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  ASSERT_NE(Saved(m_unseen), nullptr);
  EXPECT_EQ(Saved(m_unseen)->User(), "far");
  EXPECT_EQ(Saved(m_unseen)->Password(), "away");
  ASSERT_NE(Saved(m_camera), nullptr);
  EXPECT_EQ(Saved(m_camera)->User(), "qorvt");

  // A run whose files cannot grow: the new login cannot be written.
  const std::optional<std::string> before = os::ReadWholeFile(File());
  const std::vector<std::string> files = os::ListFiles(m_program.Path(), "");
  ConfirmLogin("changed", "trap '' XFSZ; ulimit -f 0;");
  EXPECT_EQ(os::ReadWholeFile(File()), before);
  EXPECT_EQ(os::ListFiles(m_program.Path(), ""), files) << "nothing of the failed write is left";
  ASSERT_NE(Saved(m_camera), nullptr);
  EXPECT_EQ(Saved(m_camera)->User(), "qorvt");
}

}  // namespace
