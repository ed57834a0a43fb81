// The program's start: the single-instance step and a missing skin package, with the real program
// run in a folder of its own on the headless host; and on a real display, its end and the typing
// that follows its window's appearance at once.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/os/Charset.h"
#include "sim/Simulator.h"
#include "tests/support/LoopbackBlock.h"
#include "tests/support/PrivateDisplay.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string ReadWholeFile(const fs::path& path) {
  std::ifstream file(path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The program, its libraries and (when asked) its skin package copied into a folder of the
// test's own, with a private folder for the single-instance lock.
class ProgramFolder {
 public:
  explicit ProgramFolder(bool withSkin) {
    std::string pattern = (fs::temp_directory_path() / "corvex-start-XXXXXX").string();
    m_folder = ::mkdtemp(pattern.data());
    fs::create_directory(m_folder / "run");
    const fs::path bin = fs::path(LPR_TEST_CORVEX).parent_path();
    for (const char* file : {"Corvex", "libJqLPRSDK.so", "libJQShareMem.so"}) fs::copy_file(bin / file, m_folder / file);
    if (withSkin) AddSkin();
  }
  ~ProgramFolder() { fs::remove_all(m_folder); }

  void AddSkin() const { fs::copy_file(LPR_TEST_SKIN_PACKAGE, m_folder / "skin.dll", fs::copy_options::overwrite_existing); }
  fs::path Script(const std::string& name, const std::string& steps) const {
    const fs::path path = m_folder / name;
    std::ofstream(path) << steps;
    return path;
  }
  const fs::path& Path() const { return m_folder; }
  std::string Read(const std::string& name) const { return ReadWholeFile(m_folder / name); }

 private:
  fs::path m_folder;
};

// One run of the program; its output goes to files. With a display the program shows its windows
// there (the gtk host), else it runs on the headless host.
class ProgramRun {
 public:
  ProgramRun(const ProgramFolder& folder, const fs::path& script, const std::string& name,
             const std::string& display = {})
      : m_out(folder.Path() / (name + ".out")), m_err(folder.Path() / (name + ".err")) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
      const std::string text = *entry;
      if (text.starts_with("DISPLAY=") || text.starts_with("WAYLAND_DISPLAY=") || text.starts_with("XDG_RUNTIME_DIR=") ||
          text.starts_with("LPR_UI_")) {
        continue;
      }
      environment.push_back(text);
    }
    environment.push_back("XDG_RUNTIME_DIR=" + (folder.Path() / "run").string());
    if (display.empty()) {
      environment.push_back("LPR_UI_HOST=headless");
    } else {
      environment.push_back("DISPLAY=" + display);
      // No session bus here: GTK keeps its settings in memory and looks for no accessibility bus.
      environment.insert(environment.end(), {"GDK_BACKEND=x11", "GSETTINGS_BACKEND=memory", "NO_AT_BRIDGE=1"});
    }
    if (!script.empty()) environment.push_back("LPR_UI_SCRIPT=" + script.string());
    std::vector<char*> envp;
    for (std::string& text : environment) envp.push_back(text.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, m_out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, m_err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::string program = (folder.Path() / "Corvex").string();
    char* argv[] = {program.data(), nullptr};
    if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0) m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  // A copy still running when the test is done is ended.
  ~ProgramRun() {
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGKILL);
    Wait(5s);
  }

  // True when the program ended within `limit`; its exit code in ExitCode().
  bool Wait(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (m_pid > 0) {
      int status = 0;
      const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
      if (done == m_pid) {
        m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        m_pid = 0;
        return true;
      }
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(10ms);
    }
    return m_pid == 0;
  }
  int ExitCode() const { return m_exitCode; }
  std::string Out() const { return ReadWholeFile(m_out); }
  std::string Err() const { return ReadWholeFile(m_err); }

 private:
  fs::path m_out;
  fs::path m_err;
  pid_t m_pid = -1;
  int m_exitCode = -1;
};

bool EventuallyContains(const ProgramRun& run, const std::string& text) {
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (run.Err().find(text) == std::string::npos) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

const std::string kAlreadyRunning = os::GbkToUtf8("提示: 一体机配置工具程序已经启动");

TEST(ConfigToolStartup, AMissingSkinEndsTheProgramWithoutAWindow) {
  ProgramFolder folder(false);
  const fs::path script = folder.Script("window.txt", "wait-window Corvex 5000\nquit\n");
  {
    ProgramRun run(folder, script, "no-skin");
    ASSERT_TRUE(run.Wait(20s));
    EXPECT_EQ(run.ExitCode(), 0);
    EXPECT_NE(run.Out().find("skin.dll"), std::string::npos) << run.Out();
    EXPECT_EQ(run.Err().find("LPR_UI_SCRIPT"), std::string::npos) << run.Err();
  }
  // The lock went with the program: the next start runs.
  folder.AddSkin();
  ProgramRun run(folder, script, "with-skin");
  ASSERT_TRUE(run.Wait(30s));
  EXPECT_EQ(run.ExitCode(), 0);
  EXPECT_NE(run.Err().find("LPR_UI_SCRIPT: 1: wait-window ok"), std::string::npos) << run.Err();
  EXPECT_EQ(run.Err().find(kAlreadyRunning), std::string::npos);
}

TEST(ConfigToolStartup, ASecondCopyShowsTheNoticeAndEnds) {
  ProgramFolder folder(true);
  // The first copy waits for a window that never comes, and so runs for a while.
  const fs::path hold = folder.Script("hold.txt", "wait-window Corvex 10000\nwait-window nothing 15000\n");
  ProgramRun first(folder, hold, "first");
  ASSERT_TRUE(EventuallyContains(first, "LPR_UI_SCRIPT: 1: wait-window ok")) << first.Err();
  for (int copy = 0; copy < 2; ++copy) {
    SCOPED_TRACE(copy);
    ProgramRun second(folder, {}, "second" + std::to_string(copy));
    ASSERT_TRUE(second.Wait(20s));
    EXPECT_EQ(second.ExitCode(), 0);
    // Shown again by a later copy: the flag is cleared once the notice is closed.
    EXPECT_NE(second.Err().find(kAlreadyRunning), std::string::npos) << second.Err();
  }
  EXPECT_FALSE(first.Wait(0ms));
}

TEST(ConfigToolStartup, OnARealDisplayTheScriptedProgramQuitsAndEndsCleanly) {
  lpr::test::PrivateDisplay display;
  ASSERT_FALSE(display.Name().empty()) << "Xvfb could not be started";
  ProgramFolder folder(true);
  const fs::path script = folder.Script("quit.txt", "wait-window Corvex 20000\nquit\n");
  ProgramRun run(folder, script, "gtk", display.Name());
  ASSERT_TRUE(run.Wait(60s)) << run.Err();
  EXPECT_EQ(run.ExitCode(), 0) << "-1: ended by a signal\n" << run.Err();
  EXPECT_NE(run.Err().find("LPR_UI_SCRIPT: 1: wait-window ok"), std::string::npos) << run.Err();
  EXPECT_NE(run.Err().find("LPR_UI_SCRIPT: 2: quit ok"), std::string::npos) << run.Err();
}

TEST(ConfigToolStartup, OnARealDisplayTextTypedAsSoonAsTheWindowShowsOpensTheCamera) {
  // The display focuses a window that has just been shown more than once, and late: what a step
  // script (or a quick user) types must still land in the fields.
  camsim::Simulator simulator;
  const std::string ip = lpr::test::ProcessLoopbackPrefix() + "1";
  ASSERT_TRUE(simulator.AddCameras(1, ip, 8080));
  lpr::test::PrivateDisplay display;
  ASSERT_FALSE(display.Name().empty()) << "Xvfb could not be started";
  ProgramFolder folder(true);
  const fs::path script = folder.Script("open.txt", "wait-window Corvex 60000\n"
                                                    "type edit_device_ip " + ip + "\n"
                                                    "type edit_device_login_pwd qorvt\n"
                                                    "click btn_open\n"
                                                    "quit\n");
  ProgramRun run(folder, script, "open", display.Name());
  ASSERT_TRUE(run.Wait(120s)) << run.Err();
  EXPECT_EQ(run.ExitCode(), 0) << run.Err();
  for (const char* step : {"1: wait-window ok", "2: type ok", "3: type ok", "4: click ok", "5: quit ok"}) {
    EXPECT_NE(run.Err().find(std::string("LPR_UI_SCRIPT: ") + step), std::string::npos) << run.Err();
  }
  // The camera opened with the typed address, which the tool keeps as the last one opened.
  EXPECT_EQ(folder.Read("user.ini"), ip);
}

}  // namespace
