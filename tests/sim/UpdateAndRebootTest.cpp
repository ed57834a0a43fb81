// The firmware update (states 2, 3, then 1 or 4) and the reboot with its downtime, on virtual time.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "SimulatorFixture.h"
#include "platform/camera/protocol/FirmwareImage.h"
#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/PayloadWriter.h"
#include "platform/camera/protocol/SearchDatagram.h"
#include "platform/camera/protocol/UpdateMessages.h"

namespace camsim::test {
namespace {

using camera::protocol::EncodeInt32s;
using camera::protocol::Operation;
using camera::protocol::Status;

Bytes Image(std::array<std::uint32_t, 4> version, std::size_t bodyBytes = 300'000) {
  Bytes body(bodyBytes);
  for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(i * 7);
  return *camera::protocol::BuildFirmwareImage(camera::protocol::FirmwareVersion{version}, body);
}

class UpdateAndRebootTest : public SimulatorFixture {
 protected:
  void SetUp() override {
    SimulatorFixture::SetUp();
    m_camera = AddCamera();
    ASSERT_TRUE(m_client.Open(m_camera->Ip(), m_camera->Port()));
  }

  // Begin, the image in chunks of at most 128 KiB, commit: the status of the commit.
  Status Upload(ProtocolClient& client, const Bytes& image) {
    const Status begun = client.StatusOf(Operation::UpdateBegin, camera::protocol::PayloadWriter().U32(
                                                                      static_cast<std::uint32_t>(image.size())).Take());
    if (begun != Status::Ok) return begun;
    constexpr std::size_t kChunk = 128 * 1024;
    for (std::size_t offset = 0; offset < image.size(); offset += kChunk) {
      camera::protocol::UpdateDataRequest chunk;
      chunk.offset = static_cast<std::uint32_t>(offset);
      chunk.bytes.assign(image.begin() + static_cast<std::ptrdiff_t>(offset),
                         image.begin() + static_cast<std::ptrdiff_t>(std::min(image.size(), offset + kChunk)));
      if (const Status sent = client.StatusOf(Operation::UpdateData, chunk.Encode()); sent != Status::Ok) return sent;
    }
    return client.StatusOf(Operation::UpdateCommit);
  }

  int UpdateState() {
    const auto answer = m_client.Call(Operation::GetUpdateState);
    return answer ? camera::protocol::DecodeInt32s<1>(answer->payload).value_or(std::array{-9})[0] : -9;
  }

  Bytes Version(ProtocolClient& client) {
    const auto answer = client.Call(Operation::GetFirmwareVersion);
    return answer ? answer->payload : Bytes{};
  }

  std::shared_ptr<SimCamera> m_camera;
  ProtocolClient m_client;
};

TEST_F(UpdateAndRebootTest, AValidImageGoesTwoThreeOneAndTakesEffectAfterTheReboot) {
  EXPECT_EQ(UpdateState(), 0);
  ASSERT_EQ(Upload(m_client, Image({6, 0, 1, 7})), Status::Ok);
  EXPECT_EQ(UpdateState(), 2);
  Advance(std::chrono::seconds(4));
  EXPECT_EQ(UpdateState(), 3);
  Advance(std::chrono::seconds(6));
  EXPECT_EQ(UpdateState(), 1);
  EXPECT_EQ(Version(m_client), EncodeInt32s({5, 1, 6, 20}));

  ASSERT_EQ(m_client.StatusOf(Operation::Reboot), Status::Ok);
  EXPECT_TRUE(m_client.WaitClosed());
  EXPECT_FALSE(m_camera->IsUp());
  EXPECT_FALSE(CanConnect(m_camera->Ip(), m_camera->Port()));
  Advance(std::chrono::seconds(19));
  EXPECT_FALSE(CanConnect(m_camera->Ip(), m_camera->Port()));
  Advance(std::chrono::seconds(1));
  ASSERT_TRUE(m_client.Open(m_camera->Ip(), m_camera->Port()));
  EXPECT_EQ(Version(m_client), EncodeInt32s({6, 0, 1, 7}));
  EXPECT_EQ(UpdateState(), 0);
}

TEST_F(UpdateAndRebootTest, ImagesThatDoNotCheckOutEndFailed) {
  Bytes corrupt = Image({6, 0, 0, 1});
  corrupt.back() ^= 0xFF;  // the CRC no longer matches
  Bytes truncatedHeader(20, 0);
  struct Case {
    const char* name;
    Bytes image;
    bool reject;
  };
  const Case cases[] = {{"corrupt", corrupt, false},
                        {"not an image", truncatedHeader, false},
                        {"refused by the camera", Image({6, 0, 0, 2}), true}};
  for (const Case& c : cases) {
    m_camera->With([&](CameraState& s) { s.rejectFirmware = c.reject; });
    ASSERT_EQ(Upload(m_client, c.image), Status::Ok) << c.name;
    Advance(std::chrono::seconds(10));
    EXPECT_EQ(UpdateState(), 4) << c.name;
  }
  ASSERT_EQ(m_client.StatusOf(Operation::Reboot), Status::Ok);
  Advance(std::chrono::seconds(20));
  ASSERT_TRUE(m_client.Open(m_camera->Ip(), m_camera->Port()));
  EXPECT_EQ(Version(m_client), EncodeInt32s({5, 1, 6, 20}));
}

TEST_F(UpdateAndRebootTest, OneUpdateAtATimeAndTheBytesMustAddUp) {
  using camera::protocol::PayloadWriter;
  using camera::protocol::UpdateDataRequest;
  ProtocolClient other;
  ASSERT_TRUE(other.Open(m_camera->Ip(), m_camera->Port()));

  ASSERT_EQ(m_client.StatusOf(Operation::UpdateBegin, PayloadWriter().U32(1000).Take()), Status::Ok);
  EXPECT_EQ(other.StatusOf(Operation::UpdateBegin, PayloadWriter().U32(1000).Take()), Status::Busy);
  EXPECT_EQ(m_client.StatusOf(Operation::UpdateData, UpdateDataRequest{10, Bytes(10)}.Encode()),
            Status::InvalidArgument);  // not where the bytes so far end
  EXPECT_EQ(m_client.StatusOf(Operation::UpdateData, UpdateDataRequest{0, Bytes(600)}.Encode()), Status::Ok);
  EXPECT_EQ(m_client.StatusOf(Operation::UpdateData, UpdateDataRequest{600, Bytes(401)}.Encode()),
            Status::InvalidArgument);  // past the announced size
  EXPECT_EQ(m_client.StatusOf(Operation::UpdateCommit), Status::InvalidArgument);
  EXPECT_EQ(other.StatusOf(Operation::UpdateCommit), Status::InvalidArgument);
  EXPECT_EQ(m_client.StatusOf(Operation::UpdateBegin, PayloadWriter().U32(64u * 1024 * 1024 + 33).Take()),
            Status::InvalidArgument);

  // The uploading connection ends: the next one may start.
  m_client.Disconnect();
  for (int i = 0; i < 100 && m_camera->ConnectionCount() > 1; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(Upload(other, Image({7, 0, 0, 0})), Status::Ok);
  EXPECT_EQ(other.StatusOf(Operation::UpdateBegin, PayloadWriter().U32(1000).Take()), Status::Busy);
}

TEST_F(UpdateAndRebootTest, ARebootDuringAnUpdateAbandonsIt) {
  ASSERT_EQ(Upload(m_client, Image({6, 2, 0, 0})), Status::Ok);
  m_camera->Reboot();
  Advance(std::chrono::seconds(20));
  ASSERT_TRUE(m_client.Open(m_camera->Ip(), m_camera->Port()));
  EXPECT_EQ(UpdateState(), 0);
  Advance(std::chrono::seconds(20));
  EXPECT_EQ(UpdateState(), 0);
  EXPECT_EQ(Version(m_client), EncodeInt32s({5, 1, 6, 20}));
}

TEST_F(UpdateAndRebootTest, TheCameraIsSilentToTheSearchWhileDown) {
  const int probeSocket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(probeSocket, reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
  auto answered = [&] {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(m_camera->Port());
    ::inet_pton(AF_INET, m_camera->Ip().c_str(), &target.sin_addr);
    const Bytes probe = camera::protocol::SearchProbe{99}.Encode();
    ::sendto(probeSocket, probe.data(), probe.size(), 0, reinterpret_cast<sockaddr*>(&target), sizeof target);
    pollfd wait{probeSocket, POLLIN, 0};
    if (::poll(&wait, 1, 300) <= 0) return false;
    std::uint8_t buffer[128];
    return ::recv(probeSocket, buffer, sizeof buffer, 0) == 76;
  };
  EXPECT_TRUE(answered());
  m_camera->Reboot();
  EXPECT_FALSE(answered());
  Advance(std::chrono::seconds(20));
  EXPECT_TRUE(answered());
  ::close(probeSocket);
}

}  // namespace
}  // namespace camsim::test
