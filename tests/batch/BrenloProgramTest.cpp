// The program Brenlo itself, started as the tool starts it: one copy at a time, its main dialog
// over the cameras the search finds, and no window without its skin package.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "sim/Simulator.h"
#include "tests/batch/support/TempFolder.h"
#include "tests/common/ChildProcess.h"

namespace {

using namespace std::chrono_literals;

std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

// Brenlo with its standard error joined to the output the test reads.
class Brenlo : public ChildProcess {
 public:
  Brenlo(const std::string& program, const std::vector<std::string>& environment)
      : ChildProcess("/bin/sh", {"-c", "exec \"$0\" 2>&1", program}, environment) {}

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

TEST(BrenloProgram, EndsWithoutAWindowWhenItsSkinPackageIsMissing) {
  TempFolder folder;
  const std::filesystem::path bin = std::filesystem::path(LPR_BRENLO_PROGRAM).parent_path();
  for (const char* file : {"Brenlo", "libJqLPRSDK.so", "libJQShareMem.so"}) {
    std::filesystem::copy_file(bin / file, std::filesystem::path(folder.Path()) / file);
  }
  Brenlo alone(folder.Path("Brenlo"), {"LPR_UI_HOST=headless", "XDG_RUNTIME_DIR=" + folder.Path()});
  std::string said;
  EXPECT_TRUE(alone.SaysSoon("Can't open", &said)) << said;
  EXPECT_EQ(alone.Wait(10s), 0);
}

}  // namespace
