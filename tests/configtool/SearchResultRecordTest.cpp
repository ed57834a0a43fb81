#include "configtool/SearchResultRecord.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct FreeDeleter {
  void operator()(SearchResultRecord* record) const { std::free(record); }
};
using Record = std::unique_ptr<SearchResultRecord, FreeDeleter>;

Record Report(const char* ip, int port, const char* netmask = "255.255.255.0", const char* gateway = "192.168.1.1") {
  return Record(NewSearchResultRecord(ip, port, 9, 3, 7, netmask, gateway));
}

TEST(SearchResultRecord, DropsReportsWithoutAddressOrPort) {
  EXPECT_EQ(Report(nullptr, 80), nullptr);
  EXPECT_EQ(Report("", 80), nullptr);
  EXPECT_EQ(Report("192.168.1.20", 0), nullptr);
}

TEST(SearchResultRecord, KeepsEveryFieldOfTheReport) {
  const Record record = Report("192.168.1.20", 8080);
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->ip, "192.168.1.20");
  EXPECT_EQ(record->port, 8080);
  EXPECT_EQ(record->value, 9);
  EXPECT_EQ(record->idLow, 3u);
  EXPECT_EQ(record->idHigh, 7u);
  EXPECT_STREQ(record->netmask, "255.255.255.0");
  EXPECT_STREQ(record->gateway, "192.168.1.1");
  EXPECT_EQ(SearchRowText(*record), "192.168.1.20:8080");
  EXPECT_EQ(SearchRowUserData(*record), "7:3 255.255.255.0 192.168.1.1");
}

TEST(SearchResultRecord, LongTextsStayInTheirFields) {
  // 14 letters and a double-byte character: the character does not fit the 15 bytes whole.
  const Record record = Report("123456789012345678", 80, "abcdefghijklmn网", nullptr);
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->ip, "123456789012345");
  EXPECT_STREQ(record->netmask, "abcdefghijklmn");
  EXPECT_STREQ(record->gateway, "");
  EXPECT_EQ(SearchRowUserData(*record), "7:3 abcdefghijklmn ");
}

TEST(SearchResultRecord, ParsesPickedRows) {
  struct Case {
    const char* text;
    const char* userData;
    const char* ip;
    const char* port;
    std::optional<std::uint32_t> idHigh;
    std::optional<std::uint32_t> idLow;
    std::optional<std::string> netmask;
    std::optional<std::string> gateway;
  };
  const Case cases[] = {
      {"10.0.0.1:80", "5:6 255.0.0.0 10.0.0.254", "10.0.0.1", "80", 5u, 6u, "255.0.0.0", "10.0.0.254"},
      {"10.0.0.1:80", "4294967295:1 m g", "10.0.0.1", "80", 4294967295u, 1u, "m", "g"},
      {":80", "5:6 m g", "", "", 5u, 6u, "m", "g"},
      {"10.0.0.1", "5:6 m g", "", "", 5u, 6u, "m", "g"},
      {"10.0.0.1:", "5: m g", "10.0.0.1", "", 5u, std::nullopt, "m", "g"},
      {"10.0.0.1:80", ":6 m g", "10.0.0.1", "80", std::nullopt, 6u, "m", "g"},
      {"10.0.0.1:80", "1:2  ", "10.0.0.1", "80", 1u, 2u, "", ""},
      {"10.0.0.1:80", "1:2 m", "10.0.0.1", "80", std::nullopt, std::nullopt, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " | " + c.userData);
    const SearchRowFields fields = ParseSearchRow(c.text, c.userData);
    EXPECT_EQ(fields.ip, c.ip);
    EXPECT_EQ(fields.port, c.port);
    EXPECT_EQ(fields.idHigh, c.idHigh);
    EXPECT_EQ(fields.idLow, c.idLow);
    EXPECT_EQ(fields.netmask, c.netmask);
    EXPECT_EQ(fields.gateway, c.gateway);
  }
}

}  // namespace
