#pragma once
// Checks a whitelist record that went out through a CSV file and came back from the camera.

#include <gtest/gtest.h>

#include <cstring>

#include "cameraclient/CameraClient.h"

namespace wlist::test {

// Times are compared to the minute (the file carries no seconds); a time the record did not set
// comes back as zeros.
inline void ExpectReadBack(const CameraClientWhiteListRecord& back, const CameraClientWhiteListRecord& sent) {
  EXPECT_EQ(back.enabled, sent.enabled);
  EXPECT_EQ(back.createTimeSet, sent.createTimeSet);
  EXPECT_EQ(back.expiryTimeSet, sent.expiryTimeSet);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(back.createTime[i], sent.createTimeSet != 0 ? sent.createTime[i] : 0);
    EXPECT_EQ(back.expiryTime[i], sent.expiryTimeSet != 0 ? sent.expiryTime[i] : 0);
  }
  EXPECT_EQ(back.useTimeSegments, sent.useTimeSegments);
  EXPECT_EQ(std::memcmp(&back.segments, &sent.segments, sizeof back.segments), 0);
  EXPECT_EQ(back.alarm, sent.alarm);
  EXPECT_STREQ(back.customerCode, sent.customerCode);
  EXPECT_STREQ(back.customerNumber, sent.customerNumber);
}

}  // namespace wlist::test
