// The mouse capture ends, with WM_CAPTURECHANGED to the window that held it, when its window is
// deactivated, destroyed or loses the display's grab; and the driver's pointer input at points
// (press, move, release, double click) and the step runner's point commands.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/test/Driver.h"
#include "platform/ui/test/ScriptRunner.h"
#include "tests/ui/CoreTestSupport.h"
#include "tests/ui/TestSkin.h"

namespace ui::testing {
namespace {

struct Message {
  UINT message;
  POINT point;
  WPARAM wParam;
};

class PointerCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    skin.Add(
        "p.xml",
        R"(<Window size="300,200"><VerticalLayout><Control height="20"/><Probe name="pad" height="120"/></VerticalLayout></Window>)");
    ASSERT_TRUE(skin.Install());
    first = Open("first", nullptr);
    second = Open("second", nullptr);
  }

  // A window that records its mouse and capture messages.
  RecordingWindow* Open(const char* name, HWND owner) {
    RecordingWindow* window = nullptr;
    driver.Run([&] {
      window = new RecordingWindow;
      window->CreateWnd("p.xml", owner, name, &factory);
      window->ShowWindow(true, true);
      window->onMessage = [this, window](UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
        if (message == WM_CAPTURECHANGED || message == WM_DESTROY ||
            (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)) {
          messages[window->GetHWND()].push_back(
              Message{message, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam});
        }
        return false;
      };
    });
    return window;
  }

  std::vector<UINT> Kinds(HWND hwnd) {
    return driver.Get<std::vector<UINT>>([&] {
      std::vector<UINT> kinds;
      for (const Message& m : messages[hwnd]) kinds.push_back(m.message);
      return kinds;
    });
  }
  void Capture(HWND hwnd) {
    driver.Run([&] {
      SetCapture(hwnd);
      messages.clear();
    });
  }
  HWND Captured() {
    return driver.Get<HWND>([] { return GetCapture(); });
  }

  // Kept until the driver has destroyed the windows that write into it.
  std::map<HWND, std::vector<Message>> messages;
  test::Driver driver;
  TestSkin skin;
  ProbeFactory factory;
  RecordingWindow* first = nullptr;
  RecordingWindow* second = nullptr;
};

TEST_F(PointerCaptureTest, DeactivationEndsTheCaptureUnlessAWindowItOwnsComesUp) {
  const HWND a = first->GetHWND();
  driver.Run([&] { SetActiveWindow(a); });
  Capture(a);
  driver.Run([&] { SetActiveWindow(second->GetHWND()); });
  EXPECT_EQ(Captured(), nullptr);
  EXPECT_EQ(Kinds(a), std::vector<UINT>{WM_CAPTURECHANGED});

  // Another application takes the focus.
  driver.Run([&] { SetActiveWindow(a); });
  Capture(a);
  driver.Run([&] { HostActivation(a, false); });
  EXPECT_EQ(Captured(), nullptr);
  EXPECT_EQ(Kinds(a), std::vector<UINT>{WM_CAPTURECHANGED});

  // A dialog the window owns leaves the capture where it is.
  driver.Run([&] { SetActiveWindow(a); });
  RecordingWindow* owned = Open("owned", a);
  driver.Run([&] { SetActiveWindow(a); });
  Capture(a);
  driver.Run([&] { SetActiveWindow(owned->GetHWND()); });
  EXPECT_EQ(Captured(), a);
  driver.Run([] { ReleaseCapture(); });
}

TEST_F(PointerCaptureTest, AWindowThatGoesOrLosesTheGrabGivesUpTheCaptureFirst) {
  const HWND a = first->GetHWND();
  Capture(a);
  driver.Run([&] { HostCaptureBroken(second->GetHWND()); });  // another window's grab: no change
  EXPECT_EQ(Captured(), a);
  driver.Run([&] { HostCaptureBroken(a); });
  EXPECT_EQ(Captured(), nullptr);
  EXPECT_EQ(Kinds(a), std::vector<UINT>{WM_CAPTURECHANGED});

  Capture(a);
  driver.Run([&] { DestroyWindow(a); });
  EXPECT_EQ(Captured(), nullptr);
  EXPECT_EQ(Kinds(a), (std::vector<UINT>{WM_CAPTURECHANGED, WM_DESTROY}));
}

TEST_F(PointerCaptureTest, PressMoveAndReleaseAtPointsDragAStepAtATime) {
  const HWND a = first->GetHWND();
  driver.Run([&] { messages.clear(); });
  ASSERT_TRUE(driver.PressAt(a, POINT{40, 50}));
  ASSERT_TRUE(driver.MoveAt(a, POINT{60, 70}));
  ASSERT_TRUE(driver.ReleaseAt(a, POINT{80, 90}));
  const std::vector<Message> seen = driver.Get<std::vector<Message>>([&] { return messages[a]; });
  std::vector<Message> buttons;
  for (const Message& m : seen) {
    const bool mouse = m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST;
    if (mouse && (m.message != WM_MOUSEMOVE || m.wParam != 0)) buttons.push_back(m);
  }
  ASSERT_EQ(buttons.size(), 4u);
  EXPECT_EQ(buttons[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
  EXPECT_EQ(buttons[1].message, static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(buttons[1].wParam, static_cast<WPARAM>(MK_LBUTTON));
  EXPECT_EQ(buttons[1].point.x, 60);
  EXPECT_EQ(buttons[2].message, static_cast<UINT>(WM_MOUSEMOVE));  // to the release point, button held
  EXPECT_EQ(buttons[3].message, static_cast<UINT>(WM_LBUTTONUP));
  EXPECT_EQ(buttons[3].point.y, 90);

  // A press soon after, at the same point, is a press again, not the second of a double click.
  driver.Run([&] { messages.clear(); });
  driver.PressAt(a, POINT{80, 90});
  driver.ReleaseAt(a, POINT{80, 90});
  EXPECT_EQ(driver.Get<int>([&] {
    int downs = 0;
    for (const Message& m : messages[a]) downs += m.message == WM_LBUTTONDOWN ? 1 : 0;
    return downs;
  }),
            1);
  // A double click at a point is one.
  driver.Run([&] { messages.clear(); });
  ASSERT_TRUE(driver.DoubleClickAt(a, POINT{10, 10}));
  const std::vector<UINT> kinds = Kinds(a);
  EXPECT_NE(std::find(kinds.begin(), kinds.end(), static_cast<UINT>(WM_LBUTTONDBLCLK)), kinds.end());
  EXPECT_FALSE(driver.PressAt(nullptr, POINT{1, 1}));
}

TEST_F(PointerCaptureTest, PointStepsActRelativeToTheNamedControl) {
  const HWND a = first->GetHWND();
  auto step = [&](const std::string& line) { return test::RunScriptStep(driver, test::ParseScript(line).front()); };
  // The steps find "pad" in the active window first.
  driver.Run([&] {
    SetActiveWindow(a);
    messages.clear();
  });
  // "pad" starts 20 pixels down.
  ASSERT_TRUE(step("dragat pad 10 5 30 45"));
  const std::vector<Message> seen = driver.Get<std::vector<Message>>([&] { return messages[a]; });
  ASSERT_FALSE(seen.empty());
  const auto down =
      std::find_if(seen.begin(), seen.end(), [](const Message& m) { return m.message == WM_LBUTTONDOWN; });
  const auto up = std::find_if(seen.begin(), seen.end(), [](const Message& m) { return m.message == WM_LBUTTONUP; });
  ASSERT_NE(down, seen.end());
  ASSERT_NE(up, seen.end());
  EXPECT_EQ(down->point.x, 10);
  EXPECT_EQ(down->point.y, 25);
  EXPECT_EQ(up->point.x, 30);
  EXPECT_EQ(up->point.y, 65);

  driver.Run([&] { messages.clear(); });
  ASSERT_TRUE(step("dblclickat pad 7 8"));
  const std::vector<UINT> kinds = Kinds(a);
  EXPECT_NE(std::find(kinds.begin(), kinds.end(), static_cast<UINT>(WM_LBUTTONDBLCLK)), kinds.end());

  EXPECT_FALSE(step("dragat pad 1 2 3"));
  EXPECT_FALSE(step("dblclickat pad 1 x"));
  EXPECT_FALSE(step("dblclickat nothere 1 1"));
}

}  // namespace
}  // namespace ui::testing
