// Opening and closing the camera: the login checks, the second login of an encrypted camera,
// the buttons, "user.ini", and every way the window ends.

#include <filesystem>
#include <functional>
#include <fstream>
#include <thread>

#include "tests/configtool/support/MainWindowTest.h"

namespace configtool::test {
namespace {

const char* const kDeviceControls[] = {
    "btn_close",           "btn_rule_cfg",         "btn_manual_trigger",   "btn_device_reset", "intell_slider_LED",
    "intell_opt_LED_Auto", "intell_opt_LED_Open",  "intell_opt_LED_Close", "intell_cmb_prov",  "btn_sys_log",
    "btn_plate_record",    "btn_more_cfg",         "btn_encrypt_set",      "btn_wlist_cfg",    "btn_videocfg",
    "btn_export_param"};

class ConnectionTest : public MainWindowTest {
 protected:
  void ExpectDeviceControls(bool enabled) {
    for (const char* control : kDeviceControls) EXPECT_EQ(Enabled(control), enabled) << control;
    EXPECT_EQ(Enabled("btn_open"), !enabled);
  }
  std::size_t Connections() { return harness.Camera(0).ConnectionCount(); }
  std::string Ip() { return harness.Camera(0).Ip(); }
  std::string Port() { return std::to_string(harness.Camera(0).Port()); }
};

TEST_F(ConnectionTest, StartsClosed) {
  ExpectDeviceControls(false);
  EXPECT_FALSE(Enabled("btn_stop_search"));
  EXPECT_EQ(harness.DeviceState().deviceClosed, 1);
  EXPECT_EQ(Text("intell_txt_mark1"), "08:00");
  EXPECT_EQ(Text("intell_txt_mark2"), "16:00");
}

TEST_F(ConnectionTest, RefusesIncompleteLogins) {
  struct Case {
    std::string ip, port, user;
    const char* message;
  };
  const Case cases[] = {
      {"", Port(), "qorvt", "请输入设备IP！"},
      {"127.0.0", Port(), "qorvt", "IP格式不正确，请重新输入! "},
      {"127.0.0.300", Port(), "qorvt", "IP格式不正确，请重新输入! "},
      {"127.0.0.a", Port(), "qorvt", "IP格式不正确，请重新输入! "},
      {Ip(), "", "qorvt", "请确保设备端口正确！"},
      {Ip(), "0", "qorvt", "请确保设备端口正确！"},
      {Ip(), "-80", "qorvt", "请确保设备端口正确！"},
      {Ip(), "65536", "qorvt", "请确保设备端口正确！"},
      {Ip(), "99999999999999999999", "qorvt", "请确保设备端口正确！"},
      {Ip(), "port", "qorvt", "请确保设备端口正确！"},
      {Ip(), Port(), "", "请输入用户名！"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ip + " / " + c.port + " / " + c.user);
    harness.OpenWith(c.ip, c.port, c.user, "qorvt");
    EXPECT_EQ(harness.DismissMessageBox(), c.message);
    EXPECT_EQ(harness.DeviceState().handle, 0);
  }
  EXPECT_EQ(Connections(), 0u);
}

TEST_F(ConnectionTest, APortWithTrailingLettersOpensWithItsDigits) {
  harness.OpenWith(Ip(), Port() + "abc", "qorvt", "qorvt");
  EXPECT_EQ(harness.DismissMessageBox(), "");
  EXPECT_NE(harness.DeviceState().handle, 0);
  EXPECT_EQ(harness.DeviceState().port, harness.Camera(0).Port());
}

TEST_F(ConnectionTest, AnIpWithABlankInsideAPartPassesTheCheckAndGoesToTheLibraryAsTyped) {
  const std::string ip = Ip();
  const std::string typed = ip.substr(0, ip.rfind('.') + 1) + " " + ip.substr(ip.rfind('.') + 1);
  harness.OpenWith(typed, Port(), "qorvt", "qorvt");
  // The check lets it through; the library, given it whole, opens nothing with it.
  EXPECT_EQ(harness.DismissMessageBox(), "打开设备失败，请检查登录信息！");
  EXPECT_EQ(harness.DeviceState().handle, 0);
}

TEST_F(ConnectionTest, AWrongLoginOpensNothing) {
  harness.OpenWith(Ip(), Port(), "qorvt", "wrong");
  EXPECT_EQ(harness.DismissMessageBox(), "打开设备失败，请检查登录信息！");
  EXPECT_EQ(harness.DeviceState().handle, 0);
  ExpectDeviceControls(false);
}

TEST_F(ConnectionTest, OpeningEnablesTheDeviceAndRemembersTheLogin) {
  OpenCameraOk();
  ExpectDeviceControls(true);
  const OpenDeviceState state = harness.DeviceState();
  EXPECT_EQ(state.deviceClosed, 0);
  EXPECT_NE(state.playHandle, 0);
  EXPECT_EQ(state.ip, Ip());
  EXPECT_EQ(state.port, harness.Camera(0).Port());
  EXPECT_EQ(state.user, "qorvt");
  EXPECT_EQ(state.password, "qorvt");
  EXPECT_TRUE(Driver().Get<bool>([&] {
    return dynamic_cast<ui::CPlayControlUI*>(Driver().Control("play_control"))->GetHandle() != nullptr;
  }));
  EXPECT_EQ(harness.ReadFile(harness.AppFolder() / "user.ini"), Ip());
  EXPECT_EQ(Connections(), 1u);
}

TEST_F(ConnectionTest, ClosingReturnsToTheClosedArrangement) {
  OpenCameraOk();
  harness.Camera(0).Trigger(CAMERACLIENT_TRIGGER_MANUAL);
  ASSERT_TRUE(harness.Eventually([&] { return harness.RowCount("plate_result_list") == 1; }));
  Driver().Click("btn_close");
  ExpectDeviceControls(false);
  EXPECT_FALSE(Enabled("intell_pan_led_ctrl"));
  EXPECT_EQ(harness.RowCount("plate_result_list"), 0);
  const OpenDeviceState state = harness.DeviceState();
  EXPECT_EQ(state.handle, 0);
  EXPECT_EQ(state.playHandle, 0);
  EXPECT_EQ(state.deviceClosed, 1);
  EXPECT_EQ(state.ip, Ip());
  EXPECT_TRUE(Driver().Get<bool>([&] {
    return dynamic_cast<ui::CPlayControlUI*>(Driver().Control("play_control"))->GetHandle() == nullptr;
  }));
  EXPECT_TRUE(harness.Eventually([&] { return Connections() == 0; }));
}

class EncryptedConnectionTest : public ConnectionTest {
 protected:
  camsim::CameraProfile Profile() const override {
    camsim::CameraProfile profile;
    profile.encryptMode = 2;
    profile.userPassword = "123456";
    return profile;
  }
};

TEST_F(EncryptedConnectionTest, TheUserPasswordOpensTheCamera) {
  harness.OpenCamera(0, "123456");
  EXPECT_EQ(harness.DismissMessageBox(), "");
  ExpectDeviceControls(true);
  EXPECT_NE(harness.DeviceState().playHandle, 0);
}

TEST_F(EncryptedConnectionTest, AFailedSecondLoginLeavesTheClosedArrangement) {
  harness.OpenCamera(0, "000000");
  EXPECT_EQ(harness.DismissMessageBox(), "二次登录失败，请检查用户密码是否正确!");
  ExpectDeviceControls(false);
  // The first login's handle is closed at once: the device counts as closed.
  const OpenDeviceState failed = harness.DeviceState();
  EXPECT_EQ(failed.handle, 0);
  EXPECT_EQ(failed.playHandle, 0);
  EXPECT_EQ(failed.deviceClosed, 1);
  EXPECT_TRUE(harness.Eventually([&] { return Connections() == 0; }));
  // The remembered login is still the empty one.
  EXPECT_EQ(failed.ip, "");
  harness.OpenCamera(0, "123456");
  EXPECT_EQ(harness.DismissMessageBox(), "");
  ExpectDeviceControls(true);
  EXPECT_TRUE(harness.Eventually([&] { return Connections() == 1; }));
}

TEST_F(EncryptedConnectionTest, AFoundCameraPickedAfterAFailedSecondLoginFillsTheLogin) {
  harness.OpenCamera(0, "000000");
  ASSERT_EQ(harness.DismissMessageBox(), "二次登录失败，请检查用户密码是否正确!");
  ReportFound("127.0.0.77", 8081);
  ASSERT_TRUE(Driver().Select("lst_device_find", 0));
  EXPECT_EQ(Text("edit_device_ip"), "127.0.0.77");
  EXPECT_EQ(Text("edit_device_port"), "8081");
}

// Ways the window ends besides its close button (which has a test of its own).
enum class WindowEnd { Destroyed, WindowClose, FrameClose };

class WindowEndTest : public ConnectionTest, public ::testing::WithParamInterface<WindowEnd> {};

TEST_P(WindowEndTest, EveryWayOfClosingTheWindowEndsTheConnection) {
  OpenCameraOk();
  const HWND window = harness.Window()->GetHWND();
  Driver().Run([&] {
    switch (GetParam()) {
      case WindowEnd::Destroyed: ui::DestroyWindow(window); break;
      case WindowEnd::WindowClose: os::PostMessage(window, WM_CLOSE, 0, 0); break;
      case WindowEnd::FrameClose: os::PostMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
  });
  EXPECT_TRUE(harness.Eventually([&] { return !os::IsWindow(window); }));
  EXPECT_TRUE(harness.Eventually([&] { return Connections() == 0; }));
  // The camera goes on reading plates; nothing reaches the window any more.
  harness.Camera(0).Trigger(CAMERACLIENT_TRIGGER_MANUAL);
  harness.Simulator().Settle();
}

INSTANTIATE_TEST_SUITE_P(Ways, WindowEndTest,
                         ::testing::Values(WindowEnd::Destroyed, WindowEnd::WindowClose, WindowEnd::FrameClose));

TEST_F(ConnectionTest, TheFramesCloseButtonClosesTheCamera) {
  OpenCameraOk();
  const HWND window = harness.Window()->GetHWND();
  Driver().Click("closebtn");
  EXPECT_TRUE(harness.Eventually([&] { return !os::IsWindow(window); }));
  EXPECT_TRUE(harness.Eventually([&] { return Connections() == 0; }));
}

class QueuedResultTest : public ConnectionTest {
 protected:
  // On the window thread: the camera reads a plate, waits (10 s at most) until its result is in
  // the window's queue, then runs `then` before the window handles it. True when it was queued.
  bool WithAResultQueued(const std::function<void(HWND)>& then) {
    const HWND window = harness.Window()->GetHWND();
    return Driver().Get<bool>([&] {
      harness.Camera(0).Trigger(CAMERACLIENT_TRIGGER_MANUAL);
      MSG msg;
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      bool queued = false;
      while (!(queued = ui::PeekMessage(&msg, window, WM_PLATE_RESULT, WM_PLATE_RESULT, PM_NOREMOVE)) &&
             std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
      then(window);
      return queued;
    });
  }
};

TEST_F(QueuedResultTest, ResultsQueuedWhenTheWindowEndsAreFreed) {
  OpenCameraOk();
  const HWND window = harness.Window()->GetHWND();
  EXPECT_TRUE(WithAResultQueued([](HWND queuedFor) { ui::DestroyWindow(queuedFor); }));
  EXPECT_FALSE(os::IsWindow(window));
}

TEST_F(QueuedResultTest, ResultsQueuedWhenTheCameraClosesAreNotShown) {
  OpenCameraOk();
  EXPECT_TRUE(WithAResultQueued([&](HWND) {
    harness.Window()->GetPaintManager()->SendNotify(Driver().Control("btn_close"), "click");
  }));
  Driver().WaitUntilIdle();
  EXPECT_EQ(harness.RowCount("plate_result_list"), 0);
}

class LastDeviceIpTest : public MainWindowTest {
 protected:
  void BeforeWindow() override { std::ofstream(harness.AppFolder() / "user.ini") << std::string(70, '7'); }
};

TEST_F(LastDeviceIpTest, TheLastIpIsShownAtStart) { EXPECT_EQ(Text("edit_device_ip"), std::string(63, '7')); }

class EditedLastDeviceIpTest : public MainWindowTest {
 protected:
  // As an editor saves it: with a line end.
  void BeforeWindow() override { std::ofstream(harness.AppFolder() / "user.ini") << harness.Camera(0).Ip() << "\r\n"; }
};

TEST_F(EditedLastDeviceIpTest, AnIpSavedByAnEditorOpens) {
  EXPECT_EQ(Text("edit_device_ip"), harness.Camera(0).Ip());
  SetText("edit_device_port", std::to_string(harness.Camera(0).Port()));
  SetText("edit_device_username", "qorvt");
  SetText("edit_device_login_pwd", "qorvt");
  Driver().Click("btn_open");
  EXPECT_EQ(harness.DismissMessageBox(), "");
  EXPECT_NE(harness.DeviceState().handle, 0);
}

}  // namespace
}  // namespace configtool::test
