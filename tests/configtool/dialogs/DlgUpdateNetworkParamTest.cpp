// The network-parameter dialog: its entries from the found camera's row, the checks, and the
// datagram, through a recording socket and through real sockets on loopback to a simulated
// camera that listens for it.

#include "configtool/dialogs/DlgUpdateNetworkParam.h"

#include <memory>

#include "configtool/dialogs/NetParamDatagram.h"
#include "tests/configtool/dialogs/DialogTest.h"
#include "tests/configtool/dialogs/RecordingMulticastSocket.h"

namespace configtool::test {
namespace {

constexpr const char* kDialog = "updateParamDlg";
constexpr std::uint32_t kIdHigh = 0x11223344u;
constexpr std::uint32_t kIdLow = 0x55667788u;

class NetworkDialogTest : public DialogTest {
 protected:
  // Shows the dialog over the main window, as its opener does, sending through the recording socket.
  HWND ShowDialog(const std::string& ip, const std::string& netmask, const std::string& gateway) {
    auto* socket = new RecordingMulticastSocket(m_log);
    CMainWnd* main = harness.Window();
    Driver().Run([=] {
      auto* dialog = new CDlgUpdateNetworkParam(ip, kIdHigh, kIdLow, netmask, gateway,
                                                std::unique_ptr<IMulticastSocket>(socket));
      dialog->CreateWnd("Dlg_Update_NetworkParam.xml", main->GetHWND(), kDialog, main->ControlFactory(), false,
                        false, false, 0);
      dialog->CenterWindow();
      dialog->ShowModal();
    });
    return WaitForDialog(kDialog);
  }
  void Enter(const std::string& ip, const std::string& gateway, const std::string& netmask) {
    SetText("dlg_edit_IP", ip);
    SetText("dlg_edit_gateway", gateway);
    SetText("dlg_edit_netmask", netmask);
  }

  std::shared_ptr<MulticastSocketLog> m_log = std::make_shared<MulticastSocketLog>();
};

TEST_F(NetworkDialogTest, FillsTheEntriesFromTheFoundRow) {
  struct Case {
    std::string ip, netmask, gateway;
    std::string shownNetmask, shownGateway;
  };
  const Case cases[] = {
      {"192.168.5.23", "", "", "255.255.255.0", "192.168.5.1"},
      {"10.1.2.3", "", "", "255.0.0.0", "10.1.2.1"},
      {"172.16.4.5", "", "", "255.255.0.0", "172.16.4.1"},
      {"192.168.5.40", "255.255.0.0", "192.168.0.1", "255.255.0.0", "192.168.0.1"},
      {"camera", "", "", "255.255.255.0", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ip);
    ASSERT_NE(ShowDialog(c.ip, c.netmask, c.gateway), nullptr);
    EXPECT_EQ(Text("dlg_edit_IP"), c.ip);
    EXPECT_EQ(Text("dlg_edit_netmask"), c.shownNetmask);
    EXPECT_EQ(Text("dlg_edit_gateway"), c.shownGateway);
    Driver().Click("cancel");
    EXPECT_FALSE(IsOpen(kDialog));
  }
  EXPECT_TRUE(m_log->steps.empty());
}

TEST_F(NetworkDialogTest, RefusesWrongEntriesAndKeepsThemAsTyped) {
  struct Case {
    std::string ip, gateway, netmask;
    const char* message;
  };
  const Case cases[] = {
      {"", "192.168.1.1", "255.255.255.0", "请输入设备IP"},
      {"192.168.1", "192.168.1.1", "255.255.255.0", "IP格式不正确，请重新输入! "},
      {"192.168.1.10", "", "255.255.255.0", "请输入默认网关"},
      {"192.168.1.10", "192.168.1.300", "255.255.255.0", "默认网关格式不正确，请重新输入! "},
      {"192.168.1.10", "192.168.1.1", "", "请输入子网掩码"},
      {"192.168.1.10", "192.168.1.1", "255.255.255.x", "子网掩码不正确，请重新输入! "},
      {"192.168.1.10", "192.168.2.1", "255.255.255.0", "设备IP跟网关不在同一网段，请重新输入! "},
      {"192.168.1.10", "192.168.1.1", "255.255.255.255", "设备IP跟网关不在同一网段，请重新输入! "},
  };
  ASSERT_NE(ShowDialog("192.168.1.10", "", ""), nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    Enter(c.ip, c.gateway, c.netmask);
    Driver().Click("ok");
    EXPECT_EQ(harness.DismissMessageBox(), c.message);
    ASSERT_TRUE(IsOpen(kDialog));
    EXPECT_EQ(Text("dlg_edit_IP"), c.ip);
    EXPECT_EQ(Text("dlg_edit_gateway"), c.gateway);
    EXPECT_EQ(Text("dlg_edit_netmask"), c.netmask);
  }
  EXPECT_TRUE(m_log->steps.empty());
}

TEST_F(NetworkDialogTest, SendsTheRowsNumbersAndTheNewAddressesFromEveryLocalAddress) {
  ScopedEnvironment local("LPR_LOCAL_ADDRESSES", "127.0.0.1,127.0.0.2");
  ASSERT_NE(ShowDialog("192.168.1.100", "", ""), nullptr);
  // Leading zeros are read as the checks read them: decimal.
  Enter("192.168.1.100", "192.168.001.010", "255.255.255.0");
  Driver().Click("ok");
  EXPECT_EQ(harness.DismissMessageBox(), "修改网络参数成功");
  EXPECT_FALSE(IsOpen(kDialog));

  const std::vector<std::uint8_t> expected = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 100, 1,
                                              168,  192,  10,   1,    168,  192,  0,    255,  255,  255};
  ASSERT_EQ(m_log->payloads.size(), 2u);
  EXPECT_EQ(m_log->payloads[0], expected);
  EXPECT_EQ(m_log->payloads[1], expected);
  EXPECT_EQ(m_log->steps[3], "interface 127.0.0.1");
  EXPECT_EQ(m_log->steps[4], "bind 127.0.0.1:23456");
  EXPECT_EQ(m_log->steps[10], "interface 127.0.0.2");
  EXPECT_EQ(m_log->steps[11], "bind 127.0.0.2:23456");
}

TEST_F(NetworkDialogTest, ReportsAFailedSendAndStaysOpen) {
  struct Case {
    std::string addresses;
    std::size_t failingStep;
  };
  // No local address at all sends nothing: that is no success either.
  const Case cases[] = {{"", 0}, {"127.0.0.1", 5}, {"127.0.0.1,127.0.0.2", 13}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.addresses);
    ScopedEnvironment local("LPR_LOCAL_ADDRESSES", c.addresses);
    m_log->failingStep = c.failingStep;
    ASSERT_NE(ShowDialog("192.168.1.100", "", ""), nullptr);
    Enter("192.168.1.101", "192.168.1.1", "255.255.255.0");
    Driver().Click("ok");
    EXPECT_EQ(harness.DismissMessageBox(), "修改失败，请检查设备是否支持修改");
    EXPECT_TRUE(IsOpen(kDialog));
    EXPECT_EQ(Text("dlg_edit_IP"), "192.168.1.101");
    Driver().Click("closebtn");
    EXPECT_FALSE(IsOpen(kDialog));
    m_log->steps.clear();
  }
}

// The real road: the main window's opener, real UDP sockets from a loopback address of this
// test, and simulated cameras that listen for the datagram on loopback.
class NetworkDialogOnLoopbackTest : public NetworkDialogTest {
 protected:
  void SetUp() override {
    NetworkDialogTest::SetUp();
    camsim::SimulatorOptions options;
    options.clock = Driver().Clock();
    m_listening = std::make_unique<camsim::Simulator>(options);
    ASSERT_EQ(m_listening->MulticastError(), "");
    ASSERT_TRUE(m_listening->AddCameras(2, LocalNetwork() + "101", 8080));
    for (std::size_t i = 0; i < 2; ++i) {
      camsim::SimCamera& camera = m_listening->Camera(i);
      ReportFound(camera.Ip().c_str(), camera.Port(), camera.IdLow(), camera.IdHigh(), "255.255.255.0",
                  (LocalNetwork() + "254").c_str());
    }
  }
  void TearDown() override { m_listening->Stop(); }

  std::unique_ptr<camsim::Simulator> m_listening;
};

TEST_F(NetworkDialogOnLoopbackTest, MovesThePickedCameraWhileAnotherIsOpen) {
  ScopedEnvironment local("LPR_LOCAL_ADDRESSES", LocalNetwork() + "250");
  OpenCameraOk();
  ASSERT_TRUE(Driver().Select("lst_device_find", 1));
  ASSERT_TRUE(Driver().Click("btn_net_param"));
  const HWND dialog = WaitForDialog(kDialog);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Text("dlg_edit_IP"), m_listening->Camera(1).Ip());
  EXPECT_EQ(Text("dlg_edit_gateway"), LocalNetwork() + "254");
  SaveScreenshot(dialog, "network_param_dialog.png");

  const std::string moved = LocalNetwork() + "150";
  ASSERT_TRUE(Driver().Type("dlg_edit_IP", moved));
  Driver().Click("ok");
  EXPECT_EQ(harness.DismissMessageBox(), "修改网络参数成功");
  EXPECT_FALSE(IsOpen(kDialog));
  EXPECT_TRUE(harness.Eventually([&] { return m_listening->Camera(1).Ip() == moved; }));
  EXPECT_EQ(m_listening->Camera(0).Ip(), LocalNetwork() + "101");
  // The open camera is not the one that moved, and stays open.
  EXPECT_NE(harness.DeviceState().handle, 0);
  EXPECT_EQ(harness.Camera(0).ConnectionCount(), 1u);
}

}  // namespace
}  // namespace configtool::test
