#include "platform/camera/protocol/SearchDatagram.h"

#include <gtest/gtest.h>

namespace camera::protocol {
namespace {

SearchAnswer SampleAnswer() {
  SearchAnswer answer;
  answer.searchId = 0xA5A5F00D;
  answer.ip = "127.0.10.200";
  answer.netmask = "255.255.255.0";
  answer.gateway = "127.0.10.254";
  answer.port = 8080;
  answer.value = 2;
  answer.idLow = 0x11223344;
  answer.idHigh = 0x55667788;
  return answer;
}

TEST(SearchDatagramTest, ProbeRoundTrips) {
  const auto bytes = SearchProbe{77}.Encode();
  ASSERT_EQ(bytes.size(), kSearchProbeBytes);
  EXPECT_EQ(SearchProbe::Decode(bytes)->searchId, 77u);
  EXPECT_FALSE(SearchAnswer::Decode(bytes));
}

TEST(SearchDatagramTest, AnswerRoundTrips) {
  const auto bytes = SampleAnswer().Encode();
  ASSERT_TRUE(bytes);
  ASSERT_EQ(bytes->size(), kSearchAnswerBytes);
  const auto answer = SearchAnswer::Decode(*bytes);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->searchId, 0xA5A5F00Du);
  EXPECT_EQ(answer->ip, "127.0.10.200");
  EXPECT_EQ(answer->netmask, "255.255.255.0");
  EXPECT_EQ(answer->gateway, "127.0.10.254");
  EXPECT_EQ(answer->port, 8080);
  EXPECT_EQ(answer->value, 2);
  EXPECT_EQ(answer->idLow, 0x11223344u);
  EXPECT_EQ(answer->idHigh, 0x55667788u);
  EXPECT_FALSE(SearchProbe::Decode(*bytes));
}

TEST(SearchDatagramTest, TextsMustFitWithTheirTerminator) {
  auto answer = SampleAnswer();
  answer.gateway = "255.255.255.2555";  // 16 bytes
  EXPECT_FALSE(answer.Encode());
}

TEST(SearchDatagramTest, IgnoresMalformedAnswers) {
  const auto valid = *SampleAnswer().Encode();
  struct Case {
    const char* name;
    std::size_t offset;
    std::uint8_t value;
  };
  for (const Case& c : {Case{"magic", 0, 'X'}, Case{"version", 4, 9}, Case{"kind", 5, 1}, Case{"reserved", 6, 1}}) {
    auto bytes = valid;
    bytes[c.offset] = c.value;
    EXPECT_FALSE(SearchAnswer::Decode(bytes)) << c.name;
  }
  auto unterminated = valid;
  for (std::size_t i = 12; i < 28; ++i) unterminated[i] = '1';
  EXPECT_FALSE(SearchAnswer::Decode(unterminated));
  auto longer = valid;
  longer.push_back(0);
  EXPECT_FALSE(SearchAnswer::Decode(longer));
  EXPECT_FALSE(SearchAnswer::Decode(std::vector<std::uint8_t>(valid.begin(), valid.end() - 1)));
}

}  // namespace
}  // namespace camera::protocol
