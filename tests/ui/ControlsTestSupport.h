#pragma once
// A window built from a test layout, driven by the test driver, that records what its controls
// notify.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/UIlib.h"
#include "platform/ui/core/ThreadQueue.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/render/Canvas.h"
#include "platform/ui/test/Driver.h"
#include "tests/ui/CoreTestSupport.h"
#include "tests/ui/TestSkin.h"

namespace ui::testing {

class ControlsTest : public ::testing::Test {
 protected:
  // Opens the layout (UTF-8 XML) as a shown, active window named "controls".
  void Open(const std::string& xml, IDialogBuilderCallback* callback = nullptr) {
    m_skin.Add("controls.xml", xml);
    ASSERT_TRUE(m_skin.Install());
    driver.Run([&] {
      window = new RecordingWindow;
      window->CreateWnd("controls.xml", nullptr, "controls", callback);
      window->ShowWindow(true, true);
    });
    hwnd = driver.FindWindow("controls");
    ASSERT_NE(hwnd, nullptr);
  }

  template <typename T>
  T* Find(const char* name) {
    return static_cast<T*>(window->Manager().FindControl(name));
  }

  std::vector<Notification> Notes() {
    return driver.Get<std::vector<Notification>>([&] { return window->notifications; });
  }
  // The notification types from `sender`, in order, leaving out the focus ones.
  std::vector<std::string> Types(const std::string& sender) {
    std::vector<std::string> types;
    for (const Notification& n : Notes()) {
      if (n.sender == sender && n.type != "setfocus" && n.type != "killfocus") types.push_back(n.type);
    }
    return types;
  }
  int Count(const std::string& type) {
    int count = 0;
    for (const Notification& n : Notes()) count += n.type == type ? 1 : 0;
    return count;
  }
  void ClearNotes() {
    driver.Run([&] { window->notifications.clear(); });
  }
  // Presses the mouse on a point of the window's client area, moves through `path`, releases.
  void DragThrough(const std::vector<POINT>& path) {
    driver.Run([&] {
      HostMouseEvent(hwnd, WM_MOUSEMOVE, path.front(), 0);
      HostMouseEvent(hwnd, WM_LBUTTONDOWN, path.front(), MK_LBUTTON);
      for (std::size_t i = 1; i < path.size(); ++i) HostMouseEvent(hwnd, WM_MOUSEMOVE, path[i], MK_LBUTTON);
      HostMouseEvent(hwnd, WM_LBUTTONUP, path.back(), 0);
    });
  }
  void MoveMouse(POINT pt) {
    driver.Run([&] { HostMouseEvent(hwnd, WM_MOUSEMOVE, pt, 0); });
  }
  // A click at a client point with MK_* key bits.
  void ClickAt(POINT pt, WPARAM keys = 0) {
    driver.Run([&] {
      ThreadQueue::Current()->lastDownWindow = nullptr;  // never a double click
      HostMouseEvent(hwnd, WM_MOUSEMOVE, pt, keys);
      HostMouseEvent(hwnd, WM_LBUTTONDOWN, pt, MK_LBUTTON | keys);
      HostMouseEvent(hwnd, WM_LBUTTONUP, pt, keys);
    });
  }
  static POINT Centre(const RECT& rc) { return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }

  test::Driver driver;
  TestSkin m_skin;
  RecordingWindow* window = nullptr;
  HWND hwnd = nullptr;
};

}  // namespace ui::testing
