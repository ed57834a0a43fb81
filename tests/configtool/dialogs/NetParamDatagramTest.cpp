// The network-parameter datagram's bytes, and its sending from each local address through a
// socket that records every step and can fail at any one of them.

#include "configtool/dialogs/NetParamDatagram.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "configtool/dialogs/NetParamMulticast.h"
#include "tests/configtool/dialogs/RecordingMulticastSocket.h"

namespace configtool::test {
namespace {

TEST(NetParamDatagram, ReadsDottedQuadsInDecimal) {
  struct Case {
    const char* text;
    std::uint32_t value;
  };
  const Case cases[] = {
      {"192.168.1.100", 0xC0A80164u},
      {"0.0.0.0", 0u},
      {"255.255.255.0", 0xFFFFFF00u},
      // Leading zeros stay decimal, as the dialog's checks read them.
      {"010.001.008.009", 0x0A010809u},
      {"127.0.0.1 ", 0x7F000001u},
      {"", 0xFFFFFFFFu},
      {"1.2.3", 0xFFFFFFFFu},
      {"1.2.3.4.5", 0xFFFFFFFFu},
      {"1.2.3.256", 0xFFFFFFFFu},
      {"1.2. 3.4", 0xFFFFFFFFu},
      {"1.2.3.4x", 0xFFFFFFFFu},
      {"99999999999999999999.1.1.1", 0xFFFFFFFFu},
  };
  for (const Case& c : cases) EXPECT_EQ(DottedQuadValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(NetParamDatagram, NamesTheCameraBigEndianAndReversesEachAddress) {
  const NetParamDatagram datagram =
      BuildNetParamDatagram(0x01020304u, 0xA0B0C0D0u, DottedQuadValue("192.168.1.100"),
                            DottedQuadValue("192.168.1.1"), DottedQuadValue("255.255.255.0"));
  const NetParamDatagram expected = {0x01, 0x02, 0x03, 0x04, 0xA0, 0xB0, 0xC0, 0xD0, 100, 1,
                                     168,  192,  1,    1,    168,  192,  0,    255,  255, 255};
  EXPECT_EQ(datagram, expected);
}

class NetParamMulticastTest : public testing::Test {
 protected:
  NetParamDatagram Datagram() const {
    return BuildNetParamDatagram(7, 9, DottedQuadValue("127.0.0.9"), DottedQuadValue("127.0.0.254"),
                                 DottedQuadValue("255.0.0.0"));
  }
  int Send(const std::vector<std::string>& addresses) {
    RecordingMulticastSocket socket(m_log);
    return SendNetParamMulticast(Datagram(), addresses, socket);
  }
  std::shared_ptr<MulticastSocketLog> m_log = std::make_shared<MulticastSocketLog>();
};

TEST_F(NetParamMulticastTest, SendsTheSameDatagramFromEachAddressInTurn) {
  EXPECT_EQ(Send({"127.0.0.1", "127.0.0.2"}), 0);
  const std::vector<std::string> expected = {
      "open", "ttl 255", "loop off", "interface 127.0.0.1", "bind 127.0.0.1:23456", "send 228.5.6.2:24100", "close",
      "open", "ttl 255", "loop off", "interface 127.0.0.2", "bind 127.0.0.2:23456", "send 228.5.6.2:24100", "close"};
  EXPECT_EQ(m_log->steps, expected);
  ASSERT_EQ(m_log->payloads.size(), 2u);
  const NetParamDatagram datagram = Datagram();
  for (const auto& payload : m_log->payloads) {
    EXPECT_EQ(payload, std::vector<std::uint8_t>(datagram.begin(), datagram.end()));
  }
}

TEST_F(NetParamMulticastTest, AFailingStepEndsTheSendAndClosesTheSocket) {
  struct Case {
    std::size_t failingStep;  // 1-based, of the first address's steps
    const char* console;
  };
  const Case cases[] = {
      {1, "socket creating error\n"},       {2, "setsockopt IP_MULTICAST_LOOP fall\n"},
      {3, "setsockopt IP_MULTICAST_LOOP fall\n"}, {4, "setsockopt IP_MULTICAST_IF fall\n"},
      {5, "Bind error\n"},                  {6, "sendto error!\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failingStep);
    m_log = std::make_shared<MulticastSocketLog>();
    m_log->failingStep = c.failingStep;
    testing::internal::CaptureStdout();
    EXPECT_EQ(Send({"127.0.0.1", "127.0.0.2"}), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.console);
    ASSERT_EQ(m_log->steps.size(), c.failingStep + 1);
    EXPECT_EQ(m_log->steps.back(), "close");
    EXPECT_TRUE(m_log->payloads.empty());
  }
}

TEST_F(NetParamMulticastTest, AFailureAtTheSecondAddressComesAfterTheFirstWasSent) {
  m_log->failingStep = 12;  // the second address's bind
  testing::internal::CaptureStdout();
  EXPECT_EQ(Send({"127.0.0.1", "127.0.0.2", "127.0.0.3"}), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Bind error\n");
  EXPECT_EQ(m_log->payloads.size(), 1u);
  EXPECT_EQ(m_log->steps.size(), 13u);
}

TEST_F(NetParamMulticastTest, WithoutAnyLocalAddressNothingIsSentAndItFails) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(Send({}), 1);
  testing::internal::GetCapturedStdout();
  EXPECT_TRUE(m_log->steps.empty());
}

}  // namespace
}  // namespace configtool::test
