#include "platform/camera/protocol/QueryTime.h"

#include <gtest/gtest.h>

namespace camera::protocol {
namespace {

TEST(QueryTimeTest, AcceptsValidTimes) {
  const auto time = ParseQueryTime("2026-12-10 08:05:09");
  ASSERT_TRUE(time);
  EXPECT_EQ(time->year, 2026);
  EXPECT_EQ(time->month, 12);
  EXPECT_EQ(time->day, 10);
  EXPECT_EQ(time->hour, 8);
  EXPECT_EQ(time->minute, 5);
  EXPECT_EQ(time->second, 9);
  for (const char* text : {"2024-02-29 00:00:00", "2000-02-29 23:59:59", "1-01-01 00:00:00", "9999-12-31 23:59:59"}) {
    EXPECT_TRUE(ParseQueryTime(text)) << text;
  }
}

TEST(QueryTimeTest, RefusesEverythingElse) {
  for (const char* text : {"", "\xC8\xD5\xC6\xDA\xB2\xBB\xBA\xCF\xB7\xA8!", "2023-02-29 00:00:00", "1900-02-29 00:00:00",
                           "2026-13-01 00:00:00", "2026-00-01 00:00:00", "2026-04-31 00:00:00", "2026-01-01 24:00:00",
                           "2026-01-01 00:60:00", "2026-01-01 00:00:60", "2026-1-01 00:00:00", "2026-01-01T00:00:00",
                           "2026-01-01 00:00:00 ", " 2026-01-01 00:00:00", "0-01-01 00:00:00", "12026-01-01 00:00:00",
                           "2026-01-01 00:00"}) {
    EXPECT_FALSE(ParseQueryTime(text)) << text;
  }
}

TEST(QueryTimeTest, KeyOrdersTimes) {
  const char* ordered[] = {"2025-12-31 23:59:59", "2026-01-01 00:00:00", "2026-01-01 00:00:01", "2026-01-01 00:01:00",
                           "2026-01-01 01:00:00", "2026-01-02 00:00:00", "2026-02-01 00:00:00"};
  for (std::size_t i = 1; i < std::size(ordered); ++i) {
    EXPECT_LT(ParseQueryTime(ordered[i - 1])->Key(), ParseQueryTime(ordered[i])->Key()) << ordered[i];
  }
}

}  // namespace
}  // namespace camera::protocol
