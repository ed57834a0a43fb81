#include "common/AddressUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

TEST(IsValidIpv4, AcceptedAndRejectedTexts) {
  const std::pair<std::string, bool> cases[] = {
      {"192.168.1.100", true},
      {"", true},
      {" 192.168.1.100", true},
      {"192. 168. 1. 100", true},
      {"0.0.0.0", true},
      {"255.255.255.255", true},
      {"010.001.0.1", true},
      {"192.168.1", false},
      {"192.168.1.256", false},
      {"192..168.1", false},
      {"192.168.1.1.", false},
      {".192.168.1", false},
      {"192.168.1.a", false},
      {"a192.168.1.1", false},
      {"192.168.1.-1", false},
      {"192 .168.1.1", false},
      {"1.2.3.", false},
      // Long digit runs are read without overflow.
      {"4294967296.0.0.1", false},
      {"1.1.1.99999999999999999999", false},
      {"1.1.1.00000000000000000255", true},
  };
  for (const auto& [text, valid] : cases) EXPECT_EQ(IsValidIpv4(text), valid) << '"' << text << '"';
}

TEST(IsPlainDottedQuad, FourNumbersWithoutLeadingZerosOrAnythingAround) {
  for (const char* text : {"10.0.0.77", "0.0.0.0", "255.255.255.0", "192.168.100.254"}) {
    EXPECT_TRUE(IsPlainDottedQuad(text)) << text;
  }
  for (const char* text : {"", "010.0.0.1", "10.0.0.00", " 10.0.0.1", "10.0.0.1 ", "10.0.0.1\r\n", "10. 0.0.1",
                           "10.0.0", "10.0.0.256", "255.255.255.255", "0000000010.0.0.1"}) {
    EXPECT_FALSE(IsPlainDottedQuad(text)) << '"' << text << '"';
  }
}

TEST(DottedQuadLess, NumericOrderOfFourParts) {
  struct Case {
    std::string first;
    std::string second;
    bool less;
  };
  const Case cases[] = {
      {"10.0.0.2", "10.0.0.10", true},
      {"10.0.0.10", "10.0.0.2", false},
      {"10.0.0.2", "10.0.0.2", false},
      {"9.255.255.255", "10.0.0.0", true},
      {"10.0.1.0", "10.0.0.255", false},
      {"10.0.0", "10.0.0.1", false},
      {"10.0.0.1", "10.0.0", false},
      {"1.2.3.4.5", "9.9.9.9", false},
      {"10.0.0.99999999999999999998", "10.0.0.99999999999999999999", true},
      {"10.0.0.99999999999999999999", "10.0.0.5", false},
      {"10.0.0.007", "10.0.0.10", true},
  };
  for (const Case& c : cases) EXPECT_EQ(DottedQuadLess(c.first, c.second), c.less) << c.first << " < " << c.second;
}

TEST(IsDifferentSubnet, MaskedAddressAgainstMaskedGateway) {
  struct Case {
    std::string address;
    std::string gateway;
    std::string netmask;
    bool different;
  };
  const Case cases[] = {
      {"192.168.1.10", "192.168.1.1", "255.255.255.0", false},
      {"192.168.1.10", "192.168.2.1", "255.255.255.0", true},
      {"192.168.1.10", "192.168.1.1", "255.255.255.255", true},
      {"192.168.1.10", "192.168.2.1", "255.255.0.0", false},
      {"10.1.2.3", "10.200.0.1", "255.0.0.0", false},
      // Decimal, not octal: 010 is 10.
      {"010.0.0.1", "10.0.0.2", "255.0.0.0", false},
      {"192.168.1.10", "192.168.1.1", "255.255.255.000", false},
      // Not addresses.
      {"192.168.1", "192.168.1.1", "255.255.255.0", true},
      {"192.168.1.10", "gateway", "255.255.255.0", true},
      {"192.168.1.10", "192.168.1.1", "", true},
      {"192.168.1.4294967306", "192.168.1.1", "255.255.255.0", true},
      {"255.255.255.255", "255.255.255.255", "255.255.255.0", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsDifferentSubnet(c.address, c.gateway, c.netmask), c.different)
        << c.address << " " << c.gateway << " " << c.netmask;
  }
}

TEST(DefaultNetmask, ClassOfTheFirstOctet) {
  const std::pair<std::string, std::string> cases[] = {
      {"10.1.2.3", "255.0.0.0"},
      {"0.0.0.0", "255.0.0.0"},
      {"127.0.0.1", "255.0.0.0"},
      {"128.0.0.1", "255.255.0.0"},
      {"172.16.0.1", "255.255.0.0"},
      {"191.255.255.255", "255.255.0.0"},
      {"192.168.0.1", "255.255.255.0"},
      {"223.1.1.1", "255.255.255.0"},
      {"255.255.255.255", "255.255.255.0"},
      {"no address", "255.255.255.0"},
      {"", "255.255.255.0"},
      // Decimal (class C), not octal 128 (class B).
      {"0200.1.1.1", "255.255.255.0"},
      // Four parts are needed; "10.1" is no address.
      {"10.1", "255.255.255.0"},
      {"10.1.2.3 ", "255.0.0.0"},
      {"99999999999.1.1.1", "255.255.255.0"},
  };
  for (const auto& [address, netmask] : cases) EXPECT_EQ(DefaultNetmask(address), netmask) << '"' << address << '"';
}

// Restores the variable the test changed.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    ::setenv(name, value, 1);
  }
  ~ScopedEnvironment() {
    if (m_old) {
      ::setenv(m_name, m_old->c_str(), 1);
    } else {
      ::unsetenv(m_name);
    }
  }

 private:
  const char* m_name;
  std::optional<std::string> m_old;
};

TEST(GetLocalAddresses, AppendsTheLocalIpv4Addresses) {
  const ScopedEnvironment addresses("LPR_LOCAL_ADDRESSES", "127.0.0.5,127.0.0.6");
  std::vector<std::string> list{"kept"};
  GetLocalAddresses(list);
  EXPECT_EQ(list, (std::vector<std::string>{"kept", "127.0.0.5", "127.0.0.6"}));
}

}  // namespace
