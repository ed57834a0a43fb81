// Sessions over the simulated camera: encryption and the second login, web sessions, a reboot
// and an update on virtual time, a new address, and the faults the camera can be made to show.

#include "cameraclient/CameraClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>
#include <string>

#include "Eventually.h"
#include "SimCameras.h"
#include "platform/camera/protocol/FirmwareImage.h"
#include "platform/os/File.h"

namespace camera::test {
namespace {

using namespace std::chrono_literals;
using protocol::Operation;
using protocol::Status;

// One HTTP GET on the camera's port; the status code, or 0 when none came back.
int HttpStatus(const std::string& ip, std::uint16_t port, const std::string& target, const std::string& cookie) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  ::inet_pton(AF_INET, ip.c_str(), &address.sin_addr);
  int status = 0;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    std::string request = "GET " + target + " HTTP/1.1\r\nHost: " + ip + "\r\nConnection: close\r\n";
    if (!cookie.empty()) request += "Cookie: sessionID=" + cookie + "\r\n";
    request += "\r\n";
    ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    char reply[64] = {};
    if (::recv(fd, reply, sizeof reply - 1, MSG_WAITALL) > 12) status = std::atoi(reply + 9);
  }
  ::close(fd);
  return status;
}

// A fault with the fields `edit` sets.
template <typename Edit>
camsim::Fault MakeFault(Edit edit) {
  camsim::Fault fault;
  edit(fault);
  return fault;
}

int CountPlate(CameraClientHandle, void* user, const CameraClientPlateResult*, int, int, int, CameraClientImageHandle) {
  ++*static_cast<std::atomic<int>*>(user);
  return 0;
}

TEST(ContractEncryptionTest, ModeTwoDemandsTheSecondLogin) {
  SimCameras sim;
  camsim::CameraProfile profile;
  profile.encryptMode = 2;
  profile.userPassword = "123456";
  profile.masterPassword = "888888";
  ASSERT_TRUE(sim.Add(1, profile));
  const CameraClientHandle handle = sim.Open(0);
  ASSERT_NE(handle, 0);

  CameraClientEncryptInfo info{};
  ASSERT_EQ(CameraClient_GetEncryptInfo(handle, &info), 0);
  EXPECT_EQ(info.currentMode, 2);
  ASSERT_GT(info.modeCount, 2);
  int a = 0, b = 0, c = 0, d = 0;
  EXPECT_NE(CameraClient_GetFirmwareVersion(handle, &a, &b, &c, &d), 0);

  ASSERT_EQ(CameraClient_ApplyEncryptInfo(handle, &info), 0);
  EXPECT_NE(CameraClient_LoginEncrypted(handle, "wrong"), 0);
  ASSERT_EQ(CameraClient_LoginEncrypted(handle, "123456"), 0);
  ASSERT_EQ(CameraClient_GetFirmwareVersion(handle, &a, &b, &c, &d), 0);

  // A new connection logs in twice again on its own.
  sim.Camera(0).CloseConnections();
  ASSERT_TRUE(Eventually([&] { return CameraClient_GetFirmwareVersion(handle, &a, &b, &c, &d) == 0; }));
  EXPECT_GE(sim.Camera(0).Calls().CountOf(Operation::LoginEncrypted), 3u);
}

// A new connection of a handle logs in as the camera's encryption now demands: after this handle
// changed the mode or the user password, and even when another client changed them meanwhile.
TEST(ContractEncryptionTest, AHandleReconnectsAfterTheEncryptionChanged) {
  struct Change {
    const char* name;
    int initialMode;
    bool byOtherClient;
    int (*apply)(CameraClientHandle);
    const char* loginAfterwards;  // the second login the handle still has to make, or null
  };
  const Change changes[] = {
      {"this handle sets mode 2", 0, false, [](CameraClientHandle h) { return CameraClient_SetEncryptMode(h, "123456", 2); },
       nullptr},
      {"this handle sets mode 0", 2, false, [](CameraClientHandle h) { return CameraClient_SetEncryptMode(h, "123456", 0); },
       nullptr},
      {"this handle changes the password", 2, false,
       [](CameraClientHandle h) { return CameraClient_SetEncryptPassword(h, "123456", "654321"); }, nullptr},
      {"another client sets mode 0", 2, true,
       [](CameraClientHandle h) { return CameraClient_SetEncryptMode(h, "123456", 0); }, nullptr},
      {"another client changes the password", 2, true,
       [](CameraClientHandle h) { return CameraClient_ResetEncryptPassword(h, "888888", "654321"); }, "654321"},
  };
  auto openLoggedIn = [](SimCameras& sim) {
    const CameraClientHandle handle = sim.Open(0);
    CameraClientEncryptInfo info{};
    CameraClient_GetEncryptInfo(handle, &info);
    if (info.currentMode == 2) {
      CameraClient_ApplyEncryptInfo(handle, &info);
      CameraClient_LoginEncrypted(handle, "123456");
    }
    return handle;
  };
  for (const Change& change : changes) {
    SimCameras sim;
    camsim::CameraProfile profile;
    profile.encryptMode = change.initialMode;
    profile.userPassword = "123456";
    profile.masterPassword = "888888";
    ASSERT_TRUE(sim.Add(1, profile));
    const CameraClientHandle handle = openLoggedIn(sim);
    int a = 0, b = 0, c = 0, d = 0;
    ASSERT_EQ(CameraClient_GetFirmwareVersion(handle, &a, &b, &c, &d), 0) << change.name;
    ASSERT_EQ(change.apply(change.byOtherClient ? openLoggedIn(sim) : handle), 0) << change.name;

    sim.Camera(0).CloseConnections();
    int state = 0;
    ASSERT_TRUE(Eventually([&] { return CameraClient_GetConnectState(handle, &state) == 0 && state == 1; }))
        << change.name;
    if (change.loginAfterwards != nullptr) {
      EXPECT_NE(CameraClient_GetFirmwareVersion(handle, &a, &b, &c, &d), 0) << change.name;
      ASSERT_EQ(CameraClient_LoginEncrypted(handle, change.loginAfterwards), 0) << change.name;
    }
    EXPECT_EQ(CameraClient_GetFirmwareVersion(handle, &a, &b, &c, &d), 0) << change.name;
  }
}

TEST(ContractEncryptionTest, ModesAndPasswordsChangeWithTheRightPassword) {
  SimCameras sim;
  camsim::CameraProfile profile;
  profile.userPassword = "123456";
  profile.masterPassword = "888888";
  ASSERT_TRUE(sim.Add(1, profile));
  const CameraClientHandle handle = sim.Open(0);
  EXPECT_NE(CameraClient_SetEncryptMode(handle, "bad", 1), 0);
  ASSERT_EQ(CameraClient_SetEncryptMode(handle, "123456", 1), 0);
  CameraClientEncryptInfo info{};
  ASSERT_EQ(CameraClient_GetEncryptInfo(handle, &info), 0);
  EXPECT_EQ(info.currentMode, 1);
  EXPECT_NE(CameraClient_SetEncryptPassword(handle, "bad", "654321"), 0);
  ASSERT_EQ(CameraClient_SetEncryptPassword(handle, "123456", "654321"), 0);
  EXPECT_NE(CameraClient_SetEncryptMode(handle, "123456", 0), 0);
  EXPECT_NE(CameraClient_ResetEncryptPassword(handle, "bad", "111111"), 0);
  ASSERT_EQ(CameraClient_ResetEncryptPassword(handle, "888888", "111111"), 0);
  EXPECT_EQ(CameraClient_SetEncryptMode(handle, "111111", 0), 0);
}

TEST(ContractWebSessionTest, TheSessionIdOpensThePages) {
  SimCameras sim;
  ASSERT_TRUE(sim.Add(1));
  auto& camera = sim.Camera(0);
  int lifetime = 0, sessions = -1;
  ASSERT_EQ(CameraClient_PrepareWebSession(camera.Ip().c_str(), camera.Port(), &lifetime, &sessions), 0);
  EXPECT_GT(lifetime, 0);
  const CameraClientHandle handle = sim.Open(0);
  char id[256] = {};
  ASSERT_EQ(CameraClient_GetWebSessionId(handle, id, sizeof id), 0);
  ASSERT_GT(std::strlen(id), 0u);
  EXPECT_EQ(HttpStatus(camera.Ip(), camera.Port(), "/htmldata/SetNetPort.htm", id), 200);
  EXPECT_NE(HttpStatus(camera.Ip(), camera.Port(), "/htmldata/SetNetPort.htm", ""), 200);
  EXPECT_NE(HttpStatus(camera.Ip(), camera.Port(), "/htmldata/SetNetPort.htm", "forged"), 200);
  // The control protocol still works beside the pages on the same port.
  int type = -1;
  EXPECT_EQ(CameraClient_GetHardwareType(handle, &type), 0);
}

TEST(ContractAddressTest, TheCameraAnswersAtItsNewAddressAtOnce) {
  SimCameras sim;
  ASSERT_TRUE(sim.Add(1));
  const CameraClientHandle handle = sim.Open(0);
  CameraClientNetParam param{};
  ASSERT_EQ(CameraClient_GetNetParam(handle, &param), 0);
  const std::string oldIp = param.ip;
  const std::string newIp = sim.SpareIp(250);
  std::memset(param.ip, 0, sizeof param.ip);
  std::memcpy(param.ip, newIp.data(), newIp.size());
  ASSERT_EQ(CameraClient_SetNetParam(handle, &param), 0);
  EXPECT_EQ(sim.Camera(0).Ip(), newIp);

  const CameraClientHandle reopened = CameraClient_Open(newIp.c_str(), param.port, "qorvt", "qorvt");
  EXPECT_NE(reopened, 0);
  EXPECT_EQ(CameraClient_Open(oldIp.c_str(), param.port, "qorvt", "qorvt"), 0);
  // The first handle follows the camera.
  int a = 0, b = 0, c = 0, d = 0;
  EXPECT_EQ(CameraClient_GetFirmwareVersion(handle, &a, &b, &c, &d), 0);
  int state = 0;
  EXPECT_EQ(CameraClient_GetConnectState(handle, &state), 0);
  EXPECT_EQ(state, 1);
}

// Reboots and updates on the simulator's virtual clock.
class ContractRebootTest : public testing::Test {
 protected:
  ContractRebootTest() : m_sim(Options()) {}
  static SimCameras::Options Options() {
    SimCameras::Options options;
    options.virtualClock = true;
    options.timing.rebootDowntime = 20s;
    options.timing.updateWriting = 5s;
    options.timing.updateVerifying = 5s;
    return options;
  }
  void SetUp() override {
    ASSERT_TRUE(m_sim.Add(1));
    m_handle = m_sim.Open(0);
    ASSERT_NE(m_handle, 0);
  }
  void Advance(std::chrono::milliseconds time) {
    m_sim.Clock()->Advance(time);
    ASSERT_TRUE(m_sim.Simulator().Settle());
  }
  int ConnectState() {
    int state = 0;
    EXPECT_EQ(CameraClient_GetConnectState(m_handle, &state), 0);
    return state;
  }

  SimCameras m_sim;
  CameraClientHandle m_handle = 0;
};

TEST_F(ContractRebootTest, TheHandleSurvivesAReboot) {
  std::atomic<int> plates{0};
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, CountPlate, &plates, 0), 0);
  EXPECT_EQ(ConnectState(), 1);
  ASSERT_EQ(CameraClient_Reboot(m_handle), 0);
  ASSERT_TRUE(Eventually([&] { return !m_sim.Camera(0).IsUp(); }));
  EXPECT_EQ(ConnectState(), 0);
  Advance(10s);
  EXPECT_EQ(ConnectState(), 0);  // still down
  Advance(10s);
  EXPECT_EQ(ConnectState(), 1);
  // Subscriptions came back with the connection.
  ASSERT_EQ(CameraClient_ForceTrigger(m_handle), 0);
  m_sim.Simulator().Settle();
  EXPECT_TRUE(Eventually([&] { return plates == 1; }));
}

TEST_F(ContractRebootTest, AnUpdateRunsItsStatesAndTheNewVersionComesWithTheReboot) {
  const auto folder = std::filesystem::temp_directory_path() / ("camera_fw_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "lpr_5.4.0.bin").string();
  const auto image = *protocol::BuildFirmwareImage(protocol::FirmwareVersion{{5, 4, 0, 1}}, std::vector<std::uint8_t>(5000, 7));
  ASSERT_TRUE(os::WriteWholeFile(path, std::string(image.begin(), image.end())));

  ASSERT_EQ(CameraClient_StartUpdate(m_handle, path.c_str()), 0);
  EXPECT_EQ(CameraClient_GetUpdateState(m_handle), 2);
  Advance(5s);
  EXPECT_EQ(CameraClient_GetUpdateState(m_handle), 3);
  Advance(5s);
  EXPECT_EQ(CameraClient_GetUpdateState(m_handle), 1);
  int a = 0, b = 0, c = 0, d = 0;
  ASSERT_EQ(CameraClient_GetFirmwareVersion(m_handle, &a, &b, &c, &d), 0);
  EXPECT_NE(a * 1000 + b * 100 + c * 10 + d, 5401);  // in force only after the reboot

  ASSERT_EQ(CameraClient_Reboot(m_handle), 0);
  ASSERT_TRUE(Eventually([&] { return !m_sim.Camera(0).IsUp(); }));
  // Seen down by the handle before the camera comes back: a call on the connection the reboot
  // ended fails once, however late its end is noticed.
  EXPECT_EQ(ConnectState(), 0);
  Advance(20s);
  EXPECT_EQ(ConnectState(), 1);
  ASSERT_EQ(CameraClient_GetFirmwareVersion(m_handle, &a, &b, &c, &d), 0);
  EXPECT_EQ((std::vector<int>{a, b, c, d}), (std::vector<int>{5, 4, 0, 1}));
  std::filesystem::remove_all(folder);
}

TEST_F(ContractRebootTest, ARejectedImageEndsFailed) {
  const auto folder = std::filesystem::temp_directory_path() / ("camera_fw_bad_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "lpr.bin").string();
  const auto image = *protocol::BuildFirmwareImage(protocol::FirmwareVersion{{5, 4, 0, 2}}, std::vector<std::uint8_t>(100, 1));
  ASSERT_TRUE(os::WriteWholeFile(path, std::string(image.begin(), image.end())));
  m_sim.Camera(0).With([](camsim::CameraState& state) { state.rejectFirmware = true; });
  ASSERT_EQ(CameraClient_StartUpdate(m_handle, path.c_str()), 0);
  Advance(5s);
  Advance(5s);
  EXPECT_EQ(CameraClient_GetUpdateState(m_handle), 4);
  std::filesystem::remove_all(folder);
}

TEST_F(ContractRebootTest, ADroppedReplyTimesOutOnTheLibraryClock) {
  m_sim.Camera(0).Faults().Set(Operation::GetLedMode, MakeFault([](camsim::Fault& f) { f.dropReply = true; f.times = 1; }));
  int mode = -5;
  const int sleepers = m_sim.Clock()->Sleepers();  // the simulator's own
  auto call = std::async(std::launch::async, [&] { return CameraClient_GetLedMode(m_handle, &mode); });
  ASSERT_TRUE(Eventually([&] { return m_sim.Camera(0).Calls().CountOf(Operation::GetLedMode) == 1; }));
  ASSERT_TRUE(m_sim.Clock()->WaitForSleepers(sleepers + 1));
  m_sim.Clock()->Advance(10s);
  EXPECT_NE(call.get(), 0);
  EXPECT_EQ(mode, -5);
  EXPECT_EQ(CameraClient_GetLedMode(m_handle, &mode), 0);
}

TEST_F(ContractRebootTest, ARebootInsteadOfAnAnswerFailsTheCall) {
  m_sim.Camera(0).Faults().Set(Operation::GetFlip, MakeFault([](camsim::Fault& f) { f.reboot = true; f.times = 1; }));
  int flip = -5;
  EXPECT_NE(CameraClient_GetFlip(m_handle, &flip), 0);
  EXPECT_EQ(flip, -5);
  EXPECT_EQ(ConnectState(), 0);
  Advance(20s);
  EXPECT_EQ(ConnectState(), 1);
  EXPECT_EQ(CameraClient_GetFlip(m_handle, &flip), 0);
}

class ContractFaultTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_sim.Add(1));
    m_handle = m_sim.Open(0);
    ASSERT_NE(m_handle, 0);
  }
  camsim::FaultPlan& Faults() { return m_sim.Camera(0).Faults(); }

  SimCameras m_sim;
  CameraClientHandle m_handle = 0;
};

TEST_F(ContractFaultTest, AnErrorStatusFailsTheCallAndLeavesTheOutputs) {
  Faults().Set(Operation::GetNetParam, camsim::Fault{.status = Status::Failed});
  CameraClientNetParam param;
  std::memset(&param, 0x3C, sizeof param);
  EXPECT_NE(CameraClient_GetNetParam(m_handle, &param), 0);
  EXPECT_EQ(param.ip[0], 0x3C);
  Faults().Set(Operation::SetLedSchedule, camsim::Fault{.status = Status::InvalidArgument});
  CameraClientLedSchedule schedule{};
  EXPECT_NE(CameraClient_SetLedSchedule(m_handle, &schedule), 0);
  Faults().ClearAll();
  EXPECT_EQ(CameraClient_GetNetParam(m_handle, &param), 0);
}

TEST_F(ContractFaultTest, ASlowAnswerStillArrives) {
  Faults().Set(Operation::GetShutter, MakeFault([](camsim::Fault& f) { f.delay = 300ms; }));
  int shutter = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(CameraClient_GetShutter(m_handle, &shutter), 0);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
}

TEST_F(ContractFaultTest, ADisconnectFailsOneCallAndTheNextReconnects) {
  Faults().Set(Operation::GetFlip, MakeFault([](camsim::Fault& f) { f.disconnect = true; f.times = 1; }));
  int flip = -5;
  EXPECT_NE(CameraClient_GetFlip(m_handle, &flip), 0);
  EXPECT_EQ(flip, -5);
  EXPECT_EQ(CameraClient_GetFlip(m_handle, &flip), 0);
}

TEST_F(ContractFaultTest, ACameraThatRefusesConnectionsIsNotReachable) {
  auto& camera = m_sim.Camera(0);
  camera.RefuseConnections(true);
  EXPECT_EQ(m_sim.Open(0), 0);
  camera.CloseConnections();
  int state = 7;
  ASSERT_TRUE(Eventually([&] { return CameraClient_GetConnectState(m_handle, &state) == 0 && state == 0; }));
  camera.RefuseConnections(false);
  EXPECT_EQ(CameraClient_GetConnectState(m_handle, &state), 0);
  EXPECT_EQ(state, 1);
}

TEST_F(ContractFaultTest, AWrongLoginIsRefused) {
  EXPECT_EQ(m_sim.Open(0, "qorvt", "wrong"), 0);
  EXPECT_EQ(m_sim.Open(0, "nobody", "qorvt"), 0);
}

}  // namespace
}  // namespace camera::test
