// Search answers, the address-change datagram on loopback, and SetNetParam.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "SimulatorFixture.h"
#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/SearchDatagram.h"
#include "sim/GbkText.h"
#include "sim/NetParamDatagram.h"

namespace camsim::test {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;

class UdpSocket {
 public:
  UdpSocket() : m_fd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_fd, reinterpret_cast<sockaddr*>(&local), sizeof local);
  }
  ~UdpSocket() { ::close(m_fd); }
  int Fd() const { return m_fd; }

  void SendTo(const std::string& ip, std::uint16_t port, const Bytes& bytes) const {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    ::inet_pton(AF_INET, ip.c_str(), &target.sin_addr);
    ::sendto(m_fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&target), sizeof target);
  }
  std::optional<Bytes> Receive(int timeoutMs = 500) const {
    pollfd wait{m_fd, POLLIN, 0};
    if (::poll(&wait, 1, timeoutMs) <= 0) return std::nullopt;
    Bytes buffer(512);
    const ssize_t n = ::recv(m_fd, buffer.data(), buffer.size(), 0);
    if (n < 0) return std::nullopt;
    buffer.resize(static_cast<std::size_t>(n));
    return buffer;
  }

 private:
  int m_fd;
};

// The datagram as the configuration tool builds it: numbers big-endian, addresses through
// inet_addr and htonl.
Bytes Datagram(std::uint32_t idHigh, std::uint32_t idLow, const std::string& ip, const std::string& gateway,
               const std::string& netmask) {
  Bytes bytes;
  auto word = [&bytes](std::uint32_t value) {
    const std::uint32_t network = htonl(value);
    const auto* p = reinterpret_cast<const std::uint8_t*>(&network);
    bytes.insert(bytes.end(), p, p + 4);
  };
  word(idHigh);
  word(idLow);
  for (const std::string* text : {&ip, &gateway, &netmask}) word(::inet_addr(text->c_str()));
  return bytes;
}

TEST(NetParamDatagram, ReadsTheToolsLayout) {
  const auto parsed = ParseNetParamDatagram(Datagram(0x01020304, 7, "192.168.1.100", "192.168.1.1", "255.255.255.0"));
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->idHigh, 0x01020304u);
  EXPECT_EQ(parsed->idLow, 7u);
  EXPECT_EQ(parsed->ip, "192.168.1.100");
  EXPECT_EQ(parsed->gateway, "192.168.1.1");
  EXPECT_EQ(parsed->netmask, "255.255.255.0");
  // The bytes on the wire: 192.168.1.100 goes as 100, 1, 168, 192.
  const Bytes wire = Datagram(0, 0, "192.168.1.100", "0.0.0.0", "0.0.0.0");
  EXPECT_EQ(Bytes(wire.begin() + 8, wire.begin() + 12), (Bytes{100, 1, 168, 192}));
  for (const std::size_t size : {0u, 19u, 21u}) EXPECT_FALSE(ParseNetParamDatagram(Bytes(size))) << size;
}

class SearchAndAddressTest : public SimulatorFixture {
 protected:
  void SetUp() override { StartSimulator(true); }
};

TEST_F(SearchAndAddressTest, AnswersProbesOnItsOwnAddressAndPort) {
  CameraProfile profile;
  profile.hardwareType = 3;
  const auto camera = AddCamera(profile, 1);
  UdpSocket socket;
  socket.SendTo(camera->Ip(), camera->Port(), camera::protocol::SearchProbe{0xABCD}.Encode());
  const auto datagram = socket.Receive();
  ASSERT_TRUE(datagram);
  const auto answer = camera::protocol::SearchAnswer::Decode(*datagram);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->searchId, 0xABCDu);
  EXPECT_EQ(answer->ip, camera->Ip());
  EXPECT_EQ(answer->port, kPort);
  EXPECT_EQ(answer->netmask, "255.255.255.0");
  EXPECT_EQ(answer->value, 3);
  EXPECT_EQ(answer->idLow, camera->IdLow());
  EXPECT_EQ(answer->idHigh, camera->IdHigh());

  // Anything but a probe goes unanswered.
  Bytes wrongKind = camera::protocol::SearchProbe{1}.Encode();
  wrongKind[5] = 2;
  for (const Bytes& bad : {Bytes(11, 0), wrongKind, Bytes{'L', 'P', 'R', 'S'}}) {
    socket.SendTo(camera->Ip(), camera->Port(), bad);
    EXPECT_FALSE(socket.Receive(200));
  }
}

TEST_F(SearchAndAddressTest, TheDatagramOnLoopbackMovesTheNamedCamera) {
  ASSERT_EQ(m_simulator->MulticastError(), "");
  const auto camera = AddCamera({}, 1);
  const auto bystander = AddCamera({}, 2);

  // Sent as the tool sends it: from a loopback address, loopback delivery off, TTL 255.
  const int sender = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  const int ttl = 255;
  const unsigned char loop = 0;
  ::setsockopt(sender, IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl);
  ::setsockopt(sender, IPPROTO_IP, IP_MULTICAST_LOOP, &loop, sizeof loop);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(sender, reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
  auto send = [&](const Bytes& bytes) {
    sockaddr_in group{};
    group.sin_family = AF_INET;
    group.sin_port = htons(24100);
    ::inet_pton(AF_INET, "228.5.6.2", &group.sin_addr);
    ASSERT_EQ(::sendto(sender, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&group), sizeof group),
              static_cast<ssize_t>(bytes.size()));
  };

  ProtocolClient client;
  ASSERT_TRUE(client.Open(camera->Ip(), camera->Port()));
  // Numbers of no camera here, and an address off loopback: nobody moves.
  send(Datagram(camera->IdHigh(), 999, Host(3), Host(254), "255.255.255.0"));
  send(Datagram(camera->IdHigh(), camera->IdLow(), "198.51.100.7", "198.51.100.1", "255.255.255.0"));
  send(Datagram(camera->IdHigh(), camera->IdLow(), Host(3), Host(254), "255.255.0.0"));
  EXPECT_TRUE(client.WaitClosed());
  ::close(sender);

  EXPECT_EQ(camera->Ip(), Host(3));
  EXPECT_FALSE(CanConnect(Host(1), kPort));
  ASSERT_TRUE(client.Open(Host(3), kPort));
  const auto net = camera::protocol::DecodeRecord<CameraClientNetParam>(client.Call(Operation::GetNetParam)->payload);
  ASSERT_TRUE(net);
  EXPECT_EQ(FieldText(net->ip), Host(3));
  EXPECT_EQ(FieldText(net->netmask), "255.255.0.0");
  EXPECT_EQ(FieldText(net->gateway), Host(254));
  EXPECT_EQ(bystander->Ip(), Host(2));
  EXPECT_TRUE(CanConnect(Host(2), kPort));
}

TEST_F(SearchAndAddressTest, SetNetParamAnswersThenMovesAtOnce) {
  const auto camera = AddCamera({}, 1);
  ProtocolClient client;
  ASSERT_TRUE(client.Open(camera->Ip(), camera->Port()));
  CameraClientNetParam net = camera::protocol::DecodeRecord<CameraClientNetParam>(
                                 client.Call(Operation::GetNetParam)->payload).value();

  CameraClientNetParam outside = net;
  SetFieldText(outside.ip, "198.51.100.7");
  EXPECT_EQ(client.StatusOf(Operation::SetNetParam, camera::protocol::EncodeRecord(outside)), Status::InvalidArgument);

  SetFieldText(net.ip, Host(5));
  net.port = kPort + 1;
  EXPECT_EQ(client.StatusOf(Operation::SetNetParam, camera::protocol::EncodeRecord(net)), Status::Ok);
  EXPECT_TRUE(client.WaitClosed());
  EXPECT_FALSE(CanConnect(Host(1), kPort));
  ASSERT_TRUE(client.Open(Host(5), kPort + 1));
  EXPECT_EQ(client.StatusOf(Operation::KeepAlive), Status::Ok);

  UdpSocket socket;
  socket.SendTo(Host(5), kPort + 1, camera::protocol::SearchProbe{1}.Encode());
  const auto answer = socket.Receive();
  ASSERT_TRUE(answer);
  EXPECT_EQ(camera::protocol::SearchAnswer::Decode(*answer)->port, kPort + 1);

  // An address another camera holds cannot be taken.
  const auto other = AddCamera({}, 6);
  SetFieldText(net.ip, Host(6));
  net.port = kPort;
  EXPECT_EQ(client.StatusOf(Operation::SetNetParam, camera::protocol::EncodeRecord(net)), Status::Failed);
  EXPECT_EQ(camera->Ip(), Host(5));
}

}  // namespace
}  // namespace camsim::test
