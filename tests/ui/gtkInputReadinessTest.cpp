// When a window on the display takes input, and what keeps typed text from being lost: the
// host's readiness of a window, the step runner's wait for it, and the display's focus changes
// that arrive while an edit is open.

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <atomic>
#include <thread>

#include "platform/os/Charset.h"
#include "platform/ui/core/MessageLoop.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/test/Driver.h"
#include "platform/ui/test/ScriptRunner.h"
#include "tests/ui/SampleWindow.h"
#include "tests/ui/gtkTestSupport.h"

namespace ui::testing {
namespace {

using namespace std::chrono_literals;
using gtktest::PumpUntil;

std::string Gbk(const char8_t* utf8) { return os::Utf8ToGbk(reinterpret_cast<const char*>(utf8)); }

class GtkInputReadiness : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gtktest::XvfbEnvironment::Ready());
    ASSERT_TRUE(InstallSampleSkin(m_skin));
  }
  void TearDown() override {
    if (IsWindow(m_main)) DestroyWindow(m_main);
    RunDeferred(true);  // the window's own clean-up waits for a turn of the loop
  }

  // The sample window shown and activated, as a program shows its main window, with the pointer
  // over it and the keyboard focus following the pointer, as on a display that has just started:
  // the display then focuses the window twice over (for the pointer, then for the activation).
  void ShowSampleWindow() {
    m_window = new SampleWindow;
    ASSERT_NE(m_window->CreateWnd("SampleWindow.xml", nullptr, "sample", nullptr, false, false, false, 1), nullptr);
    m_window->CenterWindow();
    m_main = m_window->GetHWND();
    RECT place{};
    GetWindowRect(m_main, &place);
    gtktest::FocusFollowsPointer();
    gtktest::MovePointer((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    m_window->ShowWindow(true, true);
  }

  CControlUI* Control(const char* name) { return m_window->GetPaintManager()->FindControl(name); }
  std::string Text(const char* control) { return Control(control)->GetText().Str(); }
  HWND EditWindowOf(const char* control) { return static_cast<CEditUI*>(Control(control))->GetEditWindow(); }
  bool EditOpen() { return GetFocus() != m_main && IsChild(m_main, GetFocus()); }
  POINT ControlCentre(const char* control) {
    const RECT rc = Control(control)->GetPos();
    POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ClientToScreen(m_main, &pt);
    return pt;
  }
  // Opens the control's edit window with a real click.
  void ClickInto(const char* control) {
    const POINT pt = ControlCentre(control);
    gtktest::Click(static_cast<int>(pt.x), static_cast<int>(pt.y));
    ASSERT_TRUE(PumpUntil([&] { return EditOpen(); }));
  }
  static void TypeKeys(std::initializer_list<unsigned int> keys) {
    for (unsigned int key : keys) gtktest::TypeKey(key);
  }
  // The window ready on the display and "10" typed into its IP field, whose edit stays open.
  void TypeIntoTheIpField() {
    ShowSampleWindow();
    ASSERT_TRUE(gtktest::PumpUntilReady(m_main));
    ClickInto("edit_device_ip");
    TypeKeys({GDK_KEY_1, GDK_KEY_0});
    ASSERT_TRUE(PumpUntil([&] { return Text("edit_device_ip") == "10"; }));
  }

  TestSkin m_skin;
  SampleWindow* m_window = nullptr;
  HWND m_main = nullptr;
};

TEST_F(GtkInputReadiness, AWindowIsReadyOnceTheDisplayMappedDrewAndFocusedIt) {
  ShowSampleWindow();
  EXPECT_FALSE(CurrentHost().WindowReady(m_main)) << "the display has not shown it yet";
  ASSERT_TRUE(gtktest::PumpUntilReady(m_main));
  GtkWindow* shown = gtktest::GtkWindowOf(m_main);
  EXPECT_TRUE(gtk_widget_get_mapped(GTK_WIDGET(shown)));
  EXPECT_TRUE(gtk_window_has_toplevel_focus(shown));
  EXPECT_EQ(GetActiveWindow(), m_main);

  // A popup shown without activation never gets the display's focus, and needs none.
  gtktest::RecordingWindow popup(RECT{20, 20, 120, 80}, WS_POPUP, m_main);
  ShowWindow(popup.Hwnd(), SW_SHOWNOACTIVATE);
  EXPECT_TRUE(gtktest::PumpUntilReady(popup.Hwnd()));
  EXPECT_EQ(GetActiveWindow(), m_main);
  ShowWindow(popup.Hwnd(), SW_HIDE);
  EXPECT_FALSE(CurrentHost().WindowReady(popup.Hwnd())) << "hidden";
}

TEST_F(GtkInputReadiness, AStepScriptTypesIntoEditsRightAfterWaitWindow) {
  ShowSampleWindow();
  // The steps run on a thread of their own against this (the window) thread, as LPR_UI_SCRIPT runs.
  std::unique_ptr<test::Driver> driver = test::Driver::AttachToCurrentThread();
  const std::vector<test::ScriptStep> steps = test::ParseScript("wait-window sample 60000\n"
                                                                "type edit_device_ip 10.1.2.3\n"
                                                                "type edit_device_username " + Utf8(u8"管理员") + "\n"
                                                                "type edit_device_login_pwd qorvt\n");
  std::vector<bool> results;
  bool focusedAtWaitWindow = false;
  std::atomic<bool> done{false};
  std::thread runner([&] {
    for (const test::ScriptStep& step : steps) {
      results.push_back(test::RunScriptStep(*driver, step));
      if (step.command != "wait-window") continue;
      focusedAtWaitWindow = driver->Get<bool>([&] {
        return gtk_window_has_toplevel_focus(gtktest::GtkWindowOf(m_main)) && GetActiveWindow() == m_main;
      });
    }
    done = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
  runner.join();
  driver.reset();
  EXPECT_EQ(results, std::vector<bool>(steps.size(), true));
  EXPECT_TRUE(focusedAtWaitWindow) << "wait-window came back before the display focused the window";
  EXPECT_EQ(Text("edit_device_ip"), "10.1.2.3");
  EXPECT_EQ(Text("edit_device_username"), Gbk(u8"管理员"));
  EXPECT_EQ(Text("edit_device_login_pwd"), "qorvt");
}

TEST_F(GtkInputReadiness, AFocusTakenAndGivenBackAtOnceLeavesTheOpenEditTyping) {
  ASSERT_NO_FATAL_FAILURE(TypeIntoTheIpField());

  // The display reports the focus gone and back in one go, and the user types on at once.
  gtktest::PutFocusChange(m_main, false);
  gtktest::PutFocusChange(m_main, true);
  TypeKeys({GDK_KEY_period, GDK_KEY_9});
  EXPECT_TRUE(PumpUntil([&] { return Text("edit_device_ip") == "10.9"; })) << Text("edit_device_ip");
  EXPECT_TRUE(EditOpen());
  EXPECT_EQ(GetActiveWindow(), m_main);
}

TEST_F(GtkInputReadiness, AFocusLostForGoodClosesTheEditWithWhatWasTyped) {
  ASSERT_NO_FATAL_FAILURE(TypeIntoTheIpField());

  // Another program takes the display's focus: the window is no longer active and its edit closes.
  gtktest::PutFocusChange(m_main, false);
  EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == nullptr && GetFocus() == nullptr; }));
  EXPECT_TRUE(PumpUntil([&] { return EditWindowOf("edit_device_ip") == nullptr; }));
  EXPECT_EQ(Text("edit_device_ip"), "10") << "what was typed stays";

  // Back on the window: it is active again, and a click reopens the edit over the kept text.
  gtktest::PutFocusChange(m_main, true);
  EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == m_main; }));
  ClickInto("edit_device_ip");
  TypeKeys({GDK_KEY_End, GDK_KEY_period, GDK_KEY_4});
  EXPECT_TRUE(PumpUntil([&] { return Text("edit_device_ip") == "10.4"; })) << Text("edit_device_ip");
}

}  // namespace
}  // namespace ui::testing
