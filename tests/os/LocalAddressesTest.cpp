#include "platform/os/LocalAddresses.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace os {
namespace {

// Restores the override that ctest set for every test.
class LocalAddressesTest : public ::testing::Test {
 protected:
  LocalAddressesTest() {
    const char* value = std::getenv("LPR_LOCAL_ADDRESSES");
    m_hadValue = value != nullptr;
    if (m_hadValue) m_value = value;
  }
  ~LocalAddressesTest() override {
    if (m_hadValue) {
      setenv("LPR_LOCAL_ADDRESSES", m_value.c_str(), 1);
    } else {
      unsetenv("LPR_LOCAL_ADDRESSES");
    }
  }

  bool m_hadValue = false;
  std::string m_value;
};

TEST_F(LocalAddressesTest, OverrideListReplacesTheInterfaces) {
  struct Case {
    const char* list;
    std::vector<std::string> addresses;
  };
  const Case cases[] = {
      {"127.0.0.1", {"127.0.0.1"}},
      {"", {}},
      {"127.0.10.1,127.0.10.2", {"127.0.10.1", "127.0.10.2"}},
      {" 127.0.0.1 , ,127.0.0.3,", {"127.0.0.1", "127.0.0.3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    setenv("LPR_LOCAL_ADDRESSES", c.list, 1);
    EXPECT_EQ(GetLocalIpv4Addresses(), c.addresses);
  }
}

TEST_F(LocalAddressesTest, InterfacesGiveUpNonLoopbackDottedQuads) {
  unsetenv("LPR_LOCAL_ADDRESSES");
  for (const std::string& address : GetLocalIpv4Addresses()) {
    in_addr parsed{};
    EXPECT_EQ(inet_pton(AF_INET, address.c_str(), &parsed), 1) << address;
    EXPECT_NE(address.rfind("127.", 0), 0u) << address;
  }
}

}  // namespace
}  // namespace os
