// The native-window model: kinds of windows, coordinates, activation, keyboard focus, capture.

#include "platform/ui/core/NativeWindow.h"

#include <gtest/gtest.h>

#include "platform/ui/host/Host.h"
#include "platform/ui/test/Driver.h"
#include "tests/ui/CoreTestSupport.h"

namespace ui {
namespace {

// Records what a window receives.
class Recorder : public IWindowProcedure {
 public:
  LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    messages.push_back(message);
    if (message == WM_LBUTTONDOWN || message == WM_MOUSEMOVE) points.push_back(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return DefWindowProc(hwnd, message, wParam, lParam);
  }
  int Count(UINT message) const { return static_cast<int>(std::count(messages.begin(), messages.end(), message)); }
  std::vector<UINT> messages;
  std::vector<POINT> points;
};

using testing::MakeNativeWindow;

class NativeWindowTest : public ::testing::Test {
 protected:
  test::Driver driver;
  Recorder topRecorder, childRecorder, popupRecorder, otherRecorder;
  HWND top = nullptr, child = nullptr, popup = nullptr, other = nullptr;

  void SetUp() override {
    driver.Run([&] {
      top = MakeNativeWindow(&topRecorder, WS_CAPTION, RECT{100, 50, 500, 350}, nullptr, "top");
      child = MakeNativeWindow(&childRecorder, WS_CHILD | WS_VISIBLE, RECT{20, 30, 120, 60}, top);
      popup = MakeNativeWindow(&popupRecorder, WS_POPUP, RECT{300, 200, 400, 260}, top, "popup");
      other = MakeNativeWindow(&otherRecorder, WS_CAPTION, RECT{600, 50, 700, 150}, nullptr, "other");
      ShowWindow(top, SW_SHOW);
    });
  }
  void TearDown() override {
    driver.Run([&] {
      DestroyWindow(top);
      DestroyWindow(other);
    });
  }
};

TEST_F(NativeWindowTest, ClientAndScreenCoordinatesMapThroughParents) {
  driver.Run([&] {
    struct Case {
      HWND window;
      POINT client;
      POINT screen;
    };
    for (const Case& c : {Case{top, {0, 0}, {100, 50}}, Case{child, {5, 6}, {125, 86}}, Case{popup, {1, 2}, {301, 202}}}) {
      POINT pt = c.client;
      ASSERT_TRUE(ClientToScreen(c.window, &pt));
      EXPECT_EQ(pt.x, c.screen.x);
      EXPECT_EQ(pt.y, c.screen.y);
      ASSERT_TRUE(ScreenToClient(c.window, &pt));
      EXPECT_EQ(pt.x, c.client.x);
      EXPECT_EQ(pt.y, c.client.y);
    }
    RECT rc{};
    GetWindowRect(child, &rc);
    EXPECT_EQ(rc.left, 120);
    EXPECT_EQ(rc.bottom, 110);
    GetClientRect(child, &rc);
    EXPECT_EQ(rc.right, 100);
    EXPECT_EQ(GetParent(child), top);
    EXPECT_EQ(GetParent(popup), top);  // the owner
    EXPECT_EQ(GetAncestorRoot(child), top);
    EXPECT_EQ(GetAncestorRoot(popup), popup);
    EXPECT_TRUE(IsChild(top, child));
    EXPECT_FALSE(IsChild(top, popup));
    const RECT work = GetWorkArea();
    EXPECT_GT(RectWidth(work), 0);
  });
}

TEST_F(NativeWindowTest, ShowingWithoutActivationKeepsTheActiveWindowAndFocus) {
  driver.Run([&] {
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(GetFocus(), top);
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_EQ(GetActiveWindow(), top);
    ShowWindow(other, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_GE(topRecorder.Count(WM_ACTIVATE), 2);  // activated, then deactivated
    EXPECT_EQ(topRecorder.Count(WM_KILLFOCUS), 1);
  });
}

TEST_F(NativeWindowTest, FocusMovesWithKillAndSetFocusAndFocusingAChildActivatesItsWindow) {
  driver.Run([&] {
    ShowWindow(other, SW_SHOW);
    EXPECT_EQ(SetFocus(child), other);
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(GetFocus(), child);
    EXPECT_EQ(childRecorder.Count(WM_SETFOCUS), 1);
    SetFocus(top);
    EXPECT_EQ(childRecorder.Count(WM_KILLFOCUS), 1);
    SetFocus(child);
    DestroyWindow(child);
    child = nullptr;
    EXPECT_EQ(GetFocus(), top);  // a child's focus falls back to its parent
  });
}

TEST_F(NativeWindowTest, ClicksGoToTheChildUnderThePointerOrToTheCaptureWindow) {
  driver.ClickAt(top, POINT{30, 40});
  driver.Run([&] {
    ASSERT_EQ(childRecorder.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(childRecorder.points.back().x, 10);
    EXPECT_EQ(childRecorder.points.back().y, 10);
    EXPECT_EQ(topRecorder.Count(WM_LBUTTONDOWN), 0);
    SetCapture(child);
  });
  driver.ClickAt(top, POINT{300, 200});  // far outside the child
  driver.Run([&] {
    EXPECT_EQ(childRecorder.Count(WM_LBUTTONDOWN), 2);
    EXPECT_EQ(childRecorder.points.back().x, 280);
    EXPECT_EQ(topRecorder.Count(WM_LBUTTONDOWN), 0);
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    EnableWindow(top, false);
  });
  driver.ClickAt(top, POINT{300, 200});
  driver.Run([&] { EXPECT_EQ(topRecorder.Count(WM_LBUTTONDOWN), 0); });  // disabled: no input
}

TEST_F(NativeWindowTest, DestroyingAWindowDestroysItsChildrenAndOwnedWindowsAndTheirTimers) {
  driver.Run([&] {
    SetTimer(child, 1, 10);
    DestroyWindow(top);
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(childRecorder.Count(WM_DESTROY), 1);
    EXPECT_EQ(popupRecorder.Count(WM_NCDESTROY), 1);
    EXPECT_EQ(GetActiveWindow(), nullptr);
  });
  driver.AdvanceClock(std::chrono::milliseconds(100));
  driver.Run([&] { EXPECT_EQ(childRecorder.Count(WM_TIMER), 0); });
}

TEST_F(NativeWindowTest, OnlyAChildThatAppearsOrGoesRepaintsItsParent) {
  driver.WaitUntilIdle();
  const int paints = driver.Get<int>([&] { return topRecorder.Count(WM_PAINT); });
  driver.Run([&] { ShowWindow(child, SW_SHOWNOACTIVATE); });  // shown already
  EXPECT_EQ(driver.Get<int>([&] { return topRecorder.Count(WM_PAINT); }), paints);
  driver.Run([&] { ShowWindow(child, SW_HIDE); });
  EXPECT_EQ(driver.Get<int>([&] { return topRecorder.Count(WM_PAINT); }), paints + 1);
}

TEST_F(NativeWindowTest, WindowTextIsCutOnACharacterBoundary) {
  driver.Run([&] {
    SetWindowText(top, "ab\xD6\xD0");  // "ab" and one double-byte character
    char buffer[4];
    EXPECT_EQ(GetWindowText(top, buffer, sizeof buffer), 2);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(GetWindowTextLength(top), 4);
    EXPECT_EQ(SendMessage(top, WM_GETTEXTLENGTH), 4);
  });
}

}  // namespace
}  // namespace ui
