// The LPR_UI_SCRIPT step runner: parsing, and steps run against a window.

#include "platform/ui/test/ScriptRunner.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "platform/os/File.h"
#include "tests/ui/CoreTestSupport.h"
#include "tests/ui/TestSkin.h"

namespace ui::testing {
namespace {

TEST(ScriptParseTest, SplitsCommandsArgumentsAndTheRestOfTheLine) {
  const auto steps = test::ParseScript(
      "# a comment\n"
      "\n"
      "wait-window main 500\r\n"
      "type edit_ip 192.168.1.100 and more\n"
      "  click   btn_open\n");
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].line, 3);
  EXPECT_EQ(steps[0].command, "wait-window");
  EXPECT_EQ(steps[0].arguments, (std::vector<std::string>{"main", "500"}));
  EXPECT_EQ(steps[1].rest, "192.168.1.100 and more");
  EXPECT_EQ(steps[1].arguments.front(), "edit_ip");
  EXPECT_EQ(steps[2].command, "click");
  EXPECT_EQ(steps[2].arguments, std::vector<std::string>{"btn_open"});
}

class ScriptRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    skin.Add("s.xml", R"(<Window size="200,100"><VerticalLayout><Probe name="go" height="30"/><Probe name="closebtn" height="30"/></VerticalLayout></Window>)");
    ASSERT_TRUE(skin.Install());
    driver.Run([&] {
      window = new RecordingWindow;
      window->CreateWnd("s.xml", nullptr, "scripted", &factory, false, false, true, 1);
      window->ShowWindow(true, true);
    });
  }
  bool Step(const std::string& line) { return test::RunScriptStep(driver, test::ParseScript(line).front()); }

  test::Driver driver;
  TestSkin skin;
  ProbeFactory factory;
  RecordingWindow* window = nullptr;
};

TEST_F(ScriptRunTest, StepsDriveTheWindowAndBadStepsFail) {
  EXPECT_TRUE(Step("wait-window scripted 100"));
  EXPECT_TRUE(Step("click go"));
  EXPECT_TRUE(driver.Get<bool>([&] { return window->Saw("click", "go"); }));
  EXPECT_TRUE(Step(Utf8(u8"type go 中文")));  // step files are UTF-8
  EXPECT_EQ(driver.Get<std::size_t>([&] { return window->Probe("go")->chars.size(); }), 2u);
  EXPECT_TRUE(Step("key Return"));
  EXPECT_TRUE(Step("wait 100"));
  for (const char* bad : {"click nothing_of_that_name", "wait-window absent 50", "wait soon", "key Hyper", "fly away"}) {
    EXPECT_FALSE(Step(bad)) << bad;
  }
  const std::string path = "/tmp/lpr_ui_script_" + std::to_string(getpid()) + ".png";
  EXPECT_TRUE(Step("screenshot " + path + " scripted"));
  const auto png = os::ReadWholeFile(path);
  ASSERT_TRUE(png.has_value());
  EXPECT_EQ(png->substr(1, 3), "PNG");
  os::RemoveFile(path);
}

TEST_F(ScriptRunTest, AScriptEndsByClosingEveryWindowEvenAfterAFailure) {
  const auto steps = test::ParseScript("click go\nclick missing\nclick go\n");
  EXPECT_FALSE(test::RunScript(driver, steps));
  EXPECT_EQ(driver.FindWindow("scripted"), nullptr);
  EXPECT_EQ(driver.QuitCount(), 1);  // the main window's end ended the loop
}

// A program's main thread as the programs run it, with LPR_UI_SCRIPT set to `steps`: a main window
// "program" (made ready by `prepare`) whose end ends the loop, then the loop with the runner beside
// it. What the runner reported, and how long the program took.
struct ProgramRun {
  std::string report;
  std::chrono::steady_clock::duration took{};
};

ProgramRun RunProgram(const std::string& steps, const std::function<void(RecordingWindow&)>& prepare = {}) {
  TestSkin skin{{"p.xml", R"(<Window size="200,100"><VerticalLayout><Probe name="go" height="30"/>)"
                          R"(<Probe name="closebtn" height="30"/></VerticalLayout></Window>)"}};
  EXPECT_TRUE(skin.Install());
  const std::string path = "/tmp/lpr_ui_script_env_" + std::to_string(getpid()) + ".txt";
  EXPECT_TRUE(os::WriteWholeFile(path, steps));
  EXPECT_EQ(setenv("LPR_UI_SCRIPT", path.c_str(), 1), 0);
  ::testing::internal::CaptureStderr();
  const auto start = std::chrono::steady_clock::now();
  std::thread program([&] {
    ProbeFactory factory;
    auto* window = new RecordingWindow;
    if (prepare) prepare(*window);
    window->CreateWnd("p.xml", nullptr, "program", &factory, false, false, true, 1);
    window->ShowWindow(true, true);
    test::StartScriptFromEnvironment();
    CPaintManagerUI::MessageLoop();
    test::StopScriptFromEnvironment();
  });
  program.join();
  ProgramRun run;
  run.took = std::chrono::steady_clock::now() - start;
  run.report = ::testing::internal::GetCapturedStderr();
  unsetenv("LPR_UI_SCRIPT");
  os::RemoveFile(path);
  return run;
}

TEST(ScriptFromEnvironmentTest, DrivesTheWindowThreadThatRunsTheMessageLoop) {
  bool clicked = false;
  const ProgramRun run = RunProgram("wait-window program 5000\nclick go\nquit\n", [&](RecordingWindow& window) {
    window.onNotify = [&](TNotifyUI& msg) {
      if (msg.sType == "click" && msg.pSender->GetName() == "go") clicked = true;
      return false;
    };
  });
  EXPECT_TRUE(clicked);
  // The program ended as asked.
  EXPECT_NE(run.report.find("LPR_UI_SCRIPT: 3: quit ok"), std::string::npos) << run.report;
}

TEST(ScriptFromEnvironmentTest, AStepStillWaitingWhenTheLoopEndsEndsWithIt) {
  for (const char* waiting : {"wait-window never 30000", "wait 30000"}) {
    SCOPED_TRACE(waiting);
    // The window's own close button ends the loop while the next step has just begun.
    const ProgramRun run = RunProgram(std::string("wait-window program 5000\nclick closebtn\n") + waiting + "\n");
    EXPECT_NE(run.report.find("LPR_UI_SCRIPT: 2: click ok"), std::string::npos) << run.report;
    EXPECT_LT(run.took, std::chrono::seconds(10)) << run.report;
  }
}

}  // namespace
}  // namespace ui::testing
