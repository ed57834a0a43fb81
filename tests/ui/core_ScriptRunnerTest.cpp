// The LPR_UI_SCRIPT step runner: parsing, and steps run against a window.

#include "platform/ui/test/ScriptRunner.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
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

// Two probes of one name inside two containers, told apart by their parents' names; points
// relative to a control, and the events they give.
class ScriptPointTest : public ::testing::Test {
 protected:
  struct Seen {
    int type;
    POINT pt;
  };

  void SetUp() override {
    skin.Add("p.xml", R"(<Window size="200,120"><VerticalLayout>)"
                      R"(<HorizontalLayout name="left" height="40"><Probe name="inner" width="80"/></HorizontalLayout>)"
                      R"(<HorizontalLayout name="right" height="40"><Control width="20"/><Probe name="inner" width="80"/>)"
                      R"(</HorizontalLayout></VerticalLayout></Window>)");
    ASSERT_TRUE(skin.Install());
    driver.Run([&] {
      window = new RecordingWindow;
      window->CreateWnd("p.xml", nullptr, "points", &factory);
      window->ShowWindow(true, true);
    });
  }
  bool Step(const std::string& line) { return test::RunScriptStep(driver, test::ParseScript(line).front()); }
  // The mouse events the probe at `path` received, with their points relative to it.
  std::vector<Seen> Events(const std::string& path) {
    return driver.Get<std::vector<Seen>>([&] {
      std::vector<Seen> seen;
      auto* probe = static_cast<ProbeControl*>(driver.Control(path));
      for (const Seen& s : recorded[probe]) seen.push_back(s);
      return seen;
    });
  }
  void Record(const std::string& path) {
    driver.Run([&] {
      auto* probe = static_cast<ProbeControl*>(driver.Control(path));
      probe->onEvent = [this, probe](TEventUI& event) {
        if (event.Type == UIEVENT_BUTTONDOWN || event.Type == UIEVENT_BUTTONUP || event.Type == UIEVENT_MOUSEMOVE ||
            event.Type == UIEVENT_RBUTTONDOWN || event.Type == UIEVENT_CONTEXTMENU || event.Type == UIEVENT_DBLCLICK) {
          const RECT& rc = probe->GetPos();
          recorded[probe].push_back(Seen{event.Type, POINT{event.ptMouse.x - rc.left, event.ptMouse.y - rc.top}});
        }
        return false;
      };
    });
  }

  test::Driver driver;
  TestSkin skin;
  ProbeFactory factory;
  RecordingWindow* window = nullptr;
  std::map<ProbeControl*, std::vector<Seen>> recorded;
};

TEST_F(ScriptPointTest, AParentNameTellsTwoControlsOfOneNameApart) {
  EXPECT_NE(driver.Get<CControlUI*>([&] { return driver.Control("left/inner"); }),
            driver.Get<CControlUI*>([&] { return driver.Control("right/inner"); }));
  EXPECT_EQ(driver.Rect("right/inner")->left, 20);
  EXPECT_EQ(driver.Rect("left/inner")->left, 0);
  EXPECT_FALSE(driver.Exists("left/nothing"));
  EXPECT_FALSE(driver.Exists("nowhere/inner"));
  EXPECT_TRUE(driver.Click("right/inner"));
  EXPECT_TRUE(driver.Get<bool>([&] { return window->Saw("click", "inner"); }));
}

TEST_F(ScriptPointTest, PointStepsClickAndDragFromTheControlsCorner) {
  Record("right/inner");
  EXPECT_TRUE(Step("clickat right/inner 5 7"));
  EXPECT_TRUE(Step("rclickat right/inner 30 9"));
  EXPECT_TRUE(Step("dragat right/inner 2 3 42 23"));
  const auto seen = Events("right/inner");
  auto first = [&](int type, std::size_t from = 0) -> std::optional<POINT> {
    for (std::size_t i = from; i < seen.size(); ++i) {
      if (seen[i].type == type) return seen[i].pt;
    }
    return std::nullopt;
  };
  ASSERT_TRUE(first(UIEVENT_BUTTONDOWN).has_value());
  EXPECT_EQ(first(UIEVENT_BUTTONDOWN)->x, 5);
  EXPECT_EQ(first(UIEVENT_BUTTONDOWN)->y, 7);
  ASSERT_TRUE(first(UIEVENT_RBUTTONDOWN).has_value());
  EXPECT_EQ(first(UIEVENT_RBUTTONDOWN)->x, 30);
  ASSERT_TRUE(first(UIEVENT_CONTEXTMENU).has_value());
  EXPECT_EQ(first(UIEVENT_CONTEXTMENU)->y, 9);
  EXPECT_EQ(seen.back().type, UIEVENT_BUTTONUP);
  EXPECT_EQ(seen.back().pt.x, 42);
  EXPECT_EQ(seen.back().pt.y, 23);
  for (const char* bad : {"clickat right/inner 5", "dragat right/inner 1 2 3", "clickat right/inner x 3",
                          "rclickat nowhere 1 1", "dragat right/inner 1 2 3 4 5"}) {
    EXPECT_FALSE(Step(bad)) << bad;
  }
}

TEST_F(ScriptPointTest, TheDriversPointClicks) {
  Record("left/inner");
  const HWND hwnd = driver.FindWindow("points");
  ASSERT_TRUE(driver.DoubleClickAt(hwnd, POINT{10, 10}));
  ASSERT_TRUE(driver.RightClickAt(hwnd, POINT{12, 14}));
  std::vector<int> types;
  for (const Seen& s : Events("left/inner")) {
    if (s.type != UIEVENT_MOUSEMOVE) types.push_back(s.type);
  }
  EXPECT_EQ(types, (std::vector<int>{UIEVENT_BUTTONDOWN, UIEVENT_BUTTONUP, UIEVENT_DBLCLICK, UIEVENT_BUTTONUP,
                                     UIEVENT_RBUTTONDOWN, UIEVENT_CONTEXTMENU}));
  EXPECT_FALSE(driver.ClickAt(reinterpret_cast<HWND>(0x1234), POINT{1, 1}));
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
