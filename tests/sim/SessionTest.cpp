// The control protocol as a client sees it: login, second login, settings, faults, garbage.

#include <gtest/gtest.h>

#include <cstring>

#include "SimulatorFixture.h"
#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/PayloadWriter.h"
#include "platform/camera/protocol/SessionMessages.h"
#include "sim/GbkText.h"

namespace camsim::test {
namespace {

using camera::protocol::EncodeInt32s;
using camera::protocol::EncodeRecord;
using camera::protocol::Operation;
using camera::protocol::Status;

class SessionTest : public SimulatorFixture {
 protected:
  void SetUp() override {
    SimulatorFixture::SetUp();
    m_camera = AddCamera();
  }
  bool OpenClient(ProtocolClient& client) { return client.Open(m_camera->Ip(), m_camera->Port()); }

  std::shared_ptr<SimCamera> m_camera;
};

TEST_F(SessionTest, EveryOperationWaitsForASuccessfulLogin) {
  ProtocolClient client;
  ASSERT_TRUE(client.Connect(m_camera->Ip(), m_camera->Port()));
  EXPECT_EQ(client.StatusOf(Operation::GetHardwareType), Status::NotLoggedIn);
  // The web-session question needs no login.
  EXPECT_EQ(client.StatusOf(Operation::PrepareWebSession), Status::Ok);
  EXPECT_EQ(client.StatusOf(Operation::Login, camera::protocol::LoginRequest{"qorvt", "wrong"}.Encode()),
            Status::LoginFailed);
  EXPECT_EQ(client.StatusOf(Operation::Login, camera::protocol::LoginRequest{"nobody", "qorvt"}.Encode()),
            Status::LoginFailed);
  EXPECT_EQ(client.StatusOf(Operation::KeepAlive), Status::NotLoggedIn);
  EXPECT_EQ(client.StatusOf(Operation::Login, camera::protocol::LoginRequest{"qorvt", "qorvt"}.Encode()), Status::Ok);
  const auto type = client.Call(Operation::GetHardwareType);
  ASSERT_TRUE(type);
  EXPECT_EQ(type->status, Status::Ok);
  EXPECT_EQ(type->payload, EncodeInt32s({0}));
}

TEST_F(SessionTest, ModeTwoAnswersOnlySessionOperationsUntilTheSecondLogin) {
  CameraProfile profile;
  profile.encryptMode = 2;
  const auto encrypted = AddCamera(profile, 2);
  ProtocolClient client;
  ASSERT_TRUE(client.Open(encrypted->Ip(), encrypted->Port()));
  EXPECT_EQ(client.StatusOf(Operation::GetHardwareType), Status::SecondLoginRequired);

  const auto info = client.Call(Operation::GetEncryptInfo);
  ASSERT_TRUE(info && info->status == Status::Ok);
  const auto record = camera::protocol::DecodeRecord<CameraClientEncryptInfo>(info->payload);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->currentMode, 2);
  EXPECT_EQ(record->modeCount, 3);

  using Request = camera::protocol::EncryptedLoginRequest;
  EXPECT_EQ(client.StatusOf(Operation::LoginEncrypted, Request{2, "000000"}.Encode()), Status::LoginFailed);
  EXPECT_EQ(client.StatusOf(Operation::LoginEncrypted, Request{1, "123456"}.Encode()), Status::LoginFailed);
  EXPECT_EQ(client.StatusOf(Operation::GetHardwareType), Status::SecondLoginRequired);
  EXPECT_EQ(client.StatusOf(Operation::LoginEncrypted, Request{2, "123456"}.Encode()), Status::Ok);
  EXPECT_EQ(client.StatusOf(Operation::GetHardwareType), Status::Ok);

  // Each connection logs in a second time of its own.
  ProtocolClient other;
  ASSERT_TRUE(other.Open(encrypted->Ip(), encrypted->Port()));
  EXPECT_EQ(other.StatusOf(Operation::GetFirmwareVersion), Status::SecondLoginRequired);
}

TEST_F(SessionTest, EncryptionPasswordsAndModes) {
  ProtocolClient client;
  ASSERT_TRUE(OpenClient(client));
  using Mode = camera::protocol::EncryptModeRequest;
  using Change = camera::protocol::PasswordChangeRequest;
  struct Case {
    Operation operation;
    Bytes payload;
    Status status;
  };
  const Case cases[] = {
      {Operation::SetEncryptMode, Mode{"bad", 1}.Encode(), Status::LoginFailed},
      {Operation::SetEncryptMode, Mode{"123456", 3}.Encode(), Status::InvalidArgument},
      {Operation::SetEncryptMode, Mode{"123456", 1}.Encode(), Status::Ok},
      {Operation::SetEncryptPassword, Change{"bad", "new-one"}.Encode(), Status::LoginFailed},
      {Operation::SetEncryptPassword, Change{"123456", ""}.Encode(), Status::InvalidArgument},
      {Operation::SetEncryptPassword, Change{"123456", "new-one"}.Encode(), Status::Ok},
      {Operation::SetEncryptMode, Mode{"123456", 0}.Encode(), Status::LoginFailed},
      {Operation::ResetEncryptPassword, Change{"123456", "again"}.Encode(), Status::LoginFailed},
      {Operation::ResetEncryptPassword, Change{"888888", "again"}.Encode(), Status::Ok},
      {Operation::SetEncryptMode, Mode{"again", 2}.Encode(), Status::Ok},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(client.StatusOf(c.operation, c.payload), c.status) << camera::protocol::OperationName(c.operation);
  }
  // The connection that chose mode 2 has shown the password; a new one has not.
  EXPECT_EQ(client.StatusOf(Operation::GetHardwareType), Status::Ok);
  ProtocolClient other;
  ASSERT_TRUE(OpenClient(other));
  EXPECT_EQ(other.StatusOf(Operation::GetHardwareType), Status::SecondLoginRequired);
}

// A record with bytes in every corner, so that anything not kept byte for byte shows.
template <typename Record>
Record Patterned(void (*finish)(Record&) = nullptr) {
  Record record;
  auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
  for (std::size_t i = 0; i < sizeof record; ++i) bytes[i] = static_cast<std::uint8_t>(0x20 + i % 90);
  if (finish != nullptr) finish(record);
  return record;
}

TEST_F(SessionTest, RecordsComeBackByteForByte) {
  ProtocolClient client;
  ASSERT_TRUE(OpenClient(client));
  struct Case {
    Operation set;
    Operation get;
    Bytes record;
  };
  const Case cases[] = {
      {Operation::SetPolygonRules, Operation::GetPolygonRules, EncodeRecord(Patterned<CameraClientPolygonRules>([](auto& r) {
         r.count = 1;
         r.rule.name[31] = 0;
       }))},
      {Operation::SetRecognitionRegion, Operation::GetRecognitionRegion,
       EncodeRecord(Patterned<CameraClientRegion>([](auto& r) { r.uNumVertex = 12; }))},
      {Operation::SetVirtualLoops, Operation::GetVirtualLoops, EncodeRecord(Patterned<CameraClientVirtualLoops>([](auto& r) {
         r.count = 2;
         r.loops[0].strName[31] = 0;
         r.loops[1].strName[31] = 0;
       }))},
      {Operation::SetIoOutput, Operation::GetIoOutput, EncodeRecord(Patterned<CameraClientIoOutput>())},
      {Operation::SetLedSchedule, Operation::GetLedSchedule, EncodeRecord(Patterned<CameraClientLedSchedule>([](auto& r) {
         for (auto& period : r.periods) period.start[15] = period.end[15] = 0;
       }))},
      {Operation::SetOsdParam, Operation::GetOsdParam,
       EncodeRecord(Patterned<CameraClientOsdParam>([](auto& r) { r.overlaytext[15] = 0; }))},
      {Operation::SetSerialPushConfig, Operation::GetSerialPushConfig,
       EncodeRecord(Patterned<CameraClientSerialPush>([](auto& r) {
         r.header[63] = r.end[63] = 0;
         for (auto& voice : r.voices) voice.prefix[35] = voice.suffix[38] = 0;
       }))},
      {Operation::SetDrawMode, Operation::GetDrawMode, EncodeRecord(Patterned<CameraClientDrawMode>())},
  };
  for (const Case& c : cases) {
    const auto name = camera::protocol::OperationName(c.set);
    EXPECT_EQ(client.StatusOf(c.set, c.record), Status::Ok) << name;
    const auto answer = client.Call(c.get);
    ASSERT_TRUE(answer) << name;
    EXPECT_EQ(answer->payload, c.record) << name;
  }
}

TEST_F(SessionTest, RefusesMalformedRecordsAndValuesOutOfRange) {
  ProtocolClient client;
  ASSERT_TRUE(OpenClient(client));
  const auto osdBefore = client.Call(Operation::GetOsdParam)->payload;
  CameraClientOsdParam unterminated{};
  std::memset(unterminated.overlaytext, 'T', sizeof unterminated.overlaytext);
  CameraClientRegion tooManyVertices{};
  tooManyVertices.uNumVertex = 13;
  CameraClientNetParam unterminatedIp{};
  std::memset(unterminatedIp.ip, '1', sizeof unterminatedIp.ip);
  unterminatedIp.port = kPort;

  struct Case {
    Operation operation;
    Bytes payload;
    Status status;
  };
  const Case cases[] = {
      {Operation::SetOsdParam, EncodeRecord(unterminated), Status::InvalidArgument},
      {Operation::SetRecognitionRegion, EncodeRecord(tooManyVertices), Status::InvalidArgument},
      {Operation::SetNetParam, EncodeRecord(unterminatedIp), Status::InvalidArgument},
      {Operation::SetFrameRate, EncodeInt32s({0}), Status::InvalidArgument},
      {Operation::SetFrameRate, EncodeInt32s({26}), Status::InvalidArgument},
      {Operation::SetFrameRate, EncodeInt32s({25}), Status::Ok},
      {Operation::SetVideoQuality, EncodeInt32s({7}), Status::InvalidArgument},
      {Operation::SetShutter, EncodeInt32s({0x60}), Status::InvalidArgument},  // a type 2 value on type 0
      {Operation::SetShutter, EncodeInt32s({4}), Status::Ok},
      {Operation::SetImageAdjust, EncodeInt32s({50, 50, 50, 101}), Status::InvalidArgument},
      {Operation::SetLedLevel, EncodeInt32s({8}), Status::InvalidArgument},
      {Operation::SetDefaultProvince, EncodeInt32s({31}), Status::InvalidArgument},
      {Operation::SetDefaultProvince, EncodeInt32s({-1}), Status::Ok},
      {Operation::GetSerialParam, EncodeInt32s({2}), Status::InvalidArgument},
      {Operation::SetFrameRate, Bytes{1, 0, 0}, Status::BadRequest},
      {Operation::GetHardwareType, Bytes{0}, Status::BadRequest},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(client.StatusOf(c.operation, c.payload), c.status) << camera::protocol::OperationName(c.operation);
  }
  EXPECT_EQ(client.Call(Operation::GetOsdParam)->payload, osdBefore);
}

TEST_F(SessionTest, ModelDecidesBetweenLensOptionsAndInstallDistance) {
  CameraProfile fixedFocus;
  fixedFocus.modelId = 0x3045;
  const auto fixed = AddCamera(fixedFocus, 2);
  ProtocolClient zoomClient;
  ProtocolClient fixedClient;
  ASSERT_TRUE(OpenClient(zoomClient));
  ASSERT_TRUE(fixedClient.Open(fixed->Ip(), fixed->Port()));

  EXPECT_EQ(zoomClient.Call(Operation::GetModelId)->payload, EncodeInt32s({0x2004, 0}));
  EXPECT_EQ(zoomClient.StatusOf(Operation::SetLensConfig, EncodeInt32s({1, 1, 0})), Status::Ok);
  EXPECT_EQ(zoomClient.Call(Operation::GetLensConfig)->payload, EncodeInt32s({1, 1, 0}));
  EXPECT_EQ(zoomClient.StatusOf(Operation::GetOsdOverlay), Status::Ok);
  EXPECT_EQ(zoomClient.StatusOf(Operation::GetInstallDistance), Status::Failed);

  EXPECT_EQ(fixedClient.Call(Operation::GetModelId)->payload, EncodeInt32s({0x3045, 0}));
  EXPECT_EQ(fixedClient.StatusOf(Operation::SetInstallDistance, EncodeInt32s({2})), Status::Ok);
  EXPECT_EQ(fixedClient.Call(Operation::GetInstallDistance)->payload, EncodeInt32s({2}));
  EXPECT_EQ(fixedClient.StatusOf(Operation::GetLensConfig), Status::Failed);
  EXPECT_EQ(fixedClient.StatusOf(Operation::GetOsdOverlay), Status::Failed);
}

TEST_F(SessionTest, HardwareTypeSetsRangesAndDefaults) {
  CameraProfile typeTwo;
  typeTwo.hardwareType = 2;
  const auto camera = AddCamera(typeTwo, 2);
  ProtocolClient client;
  ASSERT_TRUE(client.Open(camera->Ip(), camera->Port()));
  EXPECT_EQ(client.Call(Operation::GetHardwareType)->payload, EncodeInt32s({2}));
  EXPECT_EQ(client.Call(Operation::GetImageAdjust)->payload, EncodeInt32s({128, 138, 128, 140}));
  EXPECT_EQ(client.StatusOf(Operation::SetImageAdjust, EncodeInt32s({255, 0, 200, 140})), Status::Ok);
  EXPECT_EQ(client.StatusOf(Operation::SetShutter, EncodeInt32s({0x40})), Status::Ok);
  EXPECT_EQ(client.Call(Operation::GetBitRate)->payload, EncodeInt32s({5000, 0}));
}

TEST_F(SessionTest, StreamConfigsFollowTheCapabilityList) {
  ProtocolClient client;
  ASSERT_TRUE(OpenClient(client));
  const auto capability =
      camera::protocol::DecodeRecord<CameraClientStreamCapability>(client.Call(Operation::GetStreamCapability)->payload);
  ASSERT_TRUE(capability);
  EXPECT_EQ(capability->resolutions[0].value, 1920 * 65536 + 1080);
  EXPECT_STREQ(capability->resolutions[0].name, "1920*1080");
  EXPECT_LE(capability->resolutions[5].value, 0);  // the list ends after five

  auto set = [&client](std::int32_t stream, CameraClientStreamConfig config) {
    return client.StatusOf(Operation::SetStreamConfig,
                           camera::protocol::PayloadWriter().I32(stream).Put(config).Take());
  };
  const CameraClientStreamConfig good{9, 0, capability->resolutions[2].value, 12, 0, 1, 2048 * 1000, 5};
  CameraClientStreamConfig atLimit = good;
  atLimit.bitRate = capability->maxBitRate;
  CameraClientStreamConfig unlisted = good;
  unlisted.resolution = 800 * 65536 + 600;
  EXPECT_EQ(set(1, atLimit), Status::InvalidArgument);
  EXPECT_EQ(set(1, unlisted), Status::InvalidArgument);
  EXPECT_EQ(set(2, good), Status::InvalidArgument);
  EXPECT_EQ(set(1, good), Status::Ok);

  const auto sub = client.Call(Operation::GetStreamConfig, EncodeInt32s({1}));
  ASSERT_TRUE(sub);
  const auto stored = camera::protocol::DecodeRecord<CameraClientStreamConfig>(sub->payload);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->stream, 1);  // field 0 names the stream
  EXPECT_EQ(stored->resolution, good.resolution);
  EXPECT_EQ(stored->bitRate, good.bitRate);
  const auto main = camera::protocol::DecodeRecord<CameraClientStreamConfig>(
      client.Call(Operation::GetStreamConfig, EncodeInt32s({0}))->payload);
  EXPECT_EQ(main->resolution, 1920 * 65536 + 1080);
}

TEST_F(SessionTest, GarbageEndsOnlyThatConnection) {
  const std::vector<Bytes> garbage = {
      {'L', 'P', 'R', 'C', 9, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // wrong version
      {'L', 'P', 'R', 'C', 1, 2, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // a reply sent to the camera
      {'L', 'P', 'R', 'C', 1, 1, 0xEE, 0xEE, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // unknown operation
      {'L', 'P', 'R', 'C', 1, 1, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // sequence 0
      {'L', 'P', 'R', 'C', 1, 1, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF},  // far too long
  };
  for (const auto& bytes : garbage) {
    ProtocolClient client;
    ASSERT_TRUE(OpenClient(client));
    ASSERT_TRUE(client.SendRaw(bytes));
    EXPECT_TRUE(client.WaitClosed());
  }
  // Not the protocol and not HTTP either: the web side gives up on it.
  ProtocolClient noise;
  ASSERT_TRUE(noise.Connect(m_camera->Ip(), m_camera->Port()));
  const Bytes random = {0x00, 0x13, 0x37, 0xFF, 0x10, '\r', '\n', '\r', '\n'};
  ASSERT_TRUE(noise.SendRaw(random));
  EXPECT_TRUE(noise.WaitClosed());

  ProtocolClient healthy;
  ASSERT_TRUE(OpenClient(healthy));
  EXPECT_EQ(healthy.StatusOf(Operation::KeepAlive), Status::Ok);
}

TEST_F(SessionTest, InjectedFaults) {
  ProtocolClient client;
  ASSERT_TRUE(OpenClient(client));

  // Another result, and the operation is not carried out; for two requests only.
  m_camera->Faults().Set(Operation::SetFrameRate, Fault{Status::Failed, {}, false, false, false, 2});
  EXPECT_EQ(client.StatusOf(Operation::SetFrameRate, EncodeInt32s({5})), Status::Failed);
  EXPECT_EQ(client.StatusOf(Operation::SetFrameRate, EncodeInt32s({5})), Status::Failed);
  EXPECT_EQ(client.Call(Operation::GetFrameRate)->payload, EncodeInt32s({25}));
  EXPECT_EQ(client.StatusOf(Operation::SetFrameRate, EncodeInt32s({5})), Status::Ok);

  // A slow answer.
  m_camera->Faults().Set(Operation::GetFlip, Fault{std::nullopt, std::chrono::milliseconds(300), false, false, false, 1});
  const auto before = std::chrono::steady_clock::now();
  EXPECT_TRUE(client.Call(Operation::GetFlip));
  EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(300));

  // No answer, but done.
  m_camera->Faults().Set(Operation::SetFlip, Fault{std::nullopt, {}, true, false, false, 1});
  EXPECT_FALSE(client.Call(Operation::SetFlip, EncodeInt32s({2}), std::chrono::milliseconds(300)));
  EXPECT_EQ(client.Call(Operation::GetFlip)->payload, EncodeInt32s({2}));

  // The connection dropped instead of an answer.
  m_camera->Faults().Set(Operation::GetShutter, Fault{std::nullopt, {}, false, true, false, 1});
  EXPECT_FALSE(client.Call(Operation::GetShutter));
  EXPECT_FALSE(client.Connected());
  ASSERT_TRUE(OpenClient(client));

  // A reboot instead of an answer.
  m_camera->Faults().Set(Operation::GetFirmwareVersion, Fault{std::nullopt, {}, false, false, true, 1});
  EXPECT_FALSE(client.Call(Operation::GetFirmwareVersion));
  EXPECT_FALSE(m_camera->IsUp());
  Advance(std::chrono::seconds(20));
  EXPECT_TRUE(m_camera->IsUp());
  ASSERT_TRUE(OpenClient(client));
  EXPECT_EQ(client.StatusOf(Operation::GetFirmwareVersion), Status::Ok);
}

TEST_F(SessionTest, RefusedConnectionsKeepOpenOnes) {
  ProtocolClient client;
  ASSERT_TRUE(OpenClient(client));
  m_camera->RefuseConnections(true);
  EXPECT_FALSE(CanConnect(m_camera->Ip(), m_camera->Port()));
  EXPECT_EQ(client.StatusOf(Operation::KeepAlive), Status::Ok);
  m_camera->RefuseConnections(false);
  ProtocolClient again;
  EXPECT_TRUE(OpenClient(again));
}

TEST_F(SessionTest, CallLogKeepsArgumentsAndResults) {
  ProtocolClient client;
  ASSERT_TRUE(OpenClient(client));
  m_camera->Calls().Clear();
  CameraClientLedSchedule schedule{};
  schedule.mode = 3;
  SetFieldText(schedule.periods[0].start, "00:00:00");
  ASSERT_EQ(client.StatusOf(Operation::SetLedSchedule, EncodeRecord(schedule)), Status::Ok);
  ASSERT_EQ(client.StatusOf(Operation::SetLedMode, EncodeInt32s({5})), Status::InvalidArgument);

  const auto calls = m_camera->Calls().All();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].operation, Operation::SetLedSchedule);
  EXPECT_EQ(calls[0].payload, EncodeRecord(schedule));
  EXPECT_EQ(calls[0].status, Status::Ok);
  EXPECT_EQ(calls[1].operation, Operation::SetLedMode);
  EXPECT_EQ(calls[1].payload, EncodeInt32s({5}));
  EXPECT_EQ(calls[1].status, Status::InvalidArgument);
  EXPECT_EQ(m_camera->Calls().CountOf(Operation::SetLedMode), 1u);
  EXPECT_NE(calls[0].sequence, calls[1].sequence);
}

TEST_F(SessionTest, SystemLogGivesTheNewestWholeLinesThatFit) {
  ProtocolClient client;
  ASSERT_TRUE(OpenClient(client));
  const std::string full = m_camera->With([](CameraState& s) {
    for (int i = 0; i < 50; ++i) s.log.Append(os::LocalTime{2026, 1, 1, 8, 0, i}, "line " + std::to_string(i));
    return s.log.Text();
  });
  auto log = [&client](int maximum) {
    const auto answer = client.Call(Operation::GetSystemLog, EncodeInt32s({0, maximum}));
    return answer ? std::string(answer->payload.begin(), answer->payload.end()) : std::string("no answer");
  };
  EXPECT_EQ(log(1 << 21), full);
  const std::string tail = log(100);
  EXPECT_LE(tail.size(), 100u);
  EXPECT_GT(tail.size(), 0u);
  EXPECT_EQ(full.substr(full.size() - tail.size()), tail);
  EXPECT_EQ(tail.rfind("2026-01-01 08:00:", 0), 0u) << tail;
}

}  // namespace
}  // namespace camsim::test
