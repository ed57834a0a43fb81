// Texts from the camera that the encryption and web-page dialogs take in: mode names and their
// count, the current mode, and the session id that becomes the browser's cookie.

#include "configtool/dialogs/EncryptModeNames.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "configtool/dialogs/WebPageSession.h"

namespace configtool::test {
namespace {

CameraClientEncryptInfo InfoWithNames(int count, int current = 0) {
  CameraClientEncryptInfo info{};
  info.modeCount = count;
  info.currentMode = current;
  for (std::size_t i = 0; i < CAMERACLIENT_MAX_ENCRYPT_MODES; ++i) {
    std::snprintf(info.modeNames[i], sizeof info.modeNames[i], "模式%zu", i);
  }
  return info;
}

TEST(EncryptModeNames, TakesAtMostTheNamesTheRecordHolds) {
  struct Case {
    int count;
    std::size_t names;
  };
  const Case cases[] = {{3, 3}, {0, 0}, {-1, 0}, {-2147483647 - 1, 0}, {15, 15}, {16, 15}, {1000000, 15}};
  for (const Case& c : cases) {
    const std::vector<std::string> names = EncryptModeNames(InfoWithNames(c.count));
    ASSERT_EQ(names.size(), c.names) << c.count;
    if (!names.empty()) {
      EXPECT_EQ(names.back(), "模式" + std::to_string(c.names - 1));
    }
  }
}

TEST(EncryptModeNames, ANameWithoutTerminatorEndsWithinItsField) {
  CameraClientEncryptInfo info = InfoWithNames(3);
  std::memset(info.modeNames[1], 'A', sizeof info.modeNames[1]);
  const std::vector<std::string> names = EncryptModeNames(info);
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], "模式0");
  EXPECT_EQ(names[1], std::string(36, 'A'));
  EXPECT_EQ(names[2], "模式2");
}

TEST(EncryptModeNames, SelectsTheCurrentModeOnlyWhenItIsListed) {
  struct Case {
    int current;
    std::size_t names;
    int item;
  };
  const Case cases[] = {{0, 3, 0}, {2, 3, 2}, {3, 3, 0}, {7, 3, 0}, {-1, 3, 0}, {0, 0, 0}, {14, 15, 14}};
  for (const Case& c : cases) {
    EXPECT_EQ(InitialEncryptModeItem(InfoWithNames(3, c.current), c.names), c.item) << c.current << " of " << c.names;
  }
}

TEST(WebPageSession, AddressesThePageAndTheCookieByTheCamerasIp) {
  EXPECT_EQ(WebPageUrl("192.168.1.100", 8080, "SetNetPort.htm"), "http://192.168.1.100:8080/htmldata/SetNetPort.htm");
  EXPECT_EQ(WebCookieUrl("192.168.1.100"), "http://192.168.1.100");
}

TEST(WebPageSession, TheCookieCarriesTheWholeIdAndItsExpiry) {
  EXPECT_EQ(WebSessionCookie(""), "");
  EXPECT_EQ(WebSessionCookie("0123abcd"), "0123abcd;expires=Sun, 18 Jan 2038 00:00:00 GMT");
  // The longest id the buffer holds: with its expiry the cookie is longer than that buffer.
  const std::string longId(kWebSessionIdBuffer - 1, 'f');
  EXPECT_EQ(WebSessionCookie(longId), longId + ";expires=Sun, 18 Jan 2038 00:00:00 GMT");
}

}  // namespace
}  // namespace configtool::test
