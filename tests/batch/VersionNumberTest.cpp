#include "batch/VersionNumber.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(VersionNumber, ComparesPartsAsNumbers) {
  struct Case {
    const char* older;
    const char* newer;
  };
  const Case cases[] = {
      {"5.1.7.3", "5.1.16.0"}, {"4.2.1.9", "4.2.1.10"}, {"5.1.7", "5.1.7.0"}, {"", "0.0.0.1"},
      {"1.2.3.4", "1.2.3.4x"}, {"9.9.9.9", "10.0.0.0"}, {"5.1.007.0", "5.1.8.0"},
      {"1.99999999999999999999999", "2.0"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(VersionLess(c.older, c.newer)) << c.older << " < " << c.newer;
    EXPECT_FALSE(VersionLess(c.newer, c.older)) << c.newer << " < " << c.older;
  }
  EXPECT_FALSE(VersionLess("5.1.7.3", "5.1.7.3"));
}

// A sort needs a strict weak order, also over texts that are no versions.
TEST(VersionNumber, IsAStrictWeakOrder) {
  const std::vector<std::string> texts = {"", "5.1.16.0", "5.1.7.3", "5.01.7.3", "5.1.7.3", "x", "5..1",
                                          "5.1.7", "10.0", "5.1.7.3.1", "abc.def", "0", "4294967296.1"};
  for (const std::string& a : texts) {
    EXPECT_FALSE(VersionLess(a, a)) << a;
    for (const std::string& b : texts) {
      if (VersionLess(a, b)) {
        EXPECT_FALSE(VersionLess(b, a)) << a << " " << b;
      }
      for (const std::string& c : texts) {
        if (VersionLess(a, b) && VersionLess(b, c)) {
          EXPECT_TRUE(VersionLess(a, c)) << a << " " << b << " " << c;
        }
      }
    }
  }
  std::vector<std::string> sorted = texts;
  std::sort(sorted.begin(), sorted.end(), VersionLess);
  EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), VersionLess));
}

}  // namespace
