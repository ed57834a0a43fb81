#include "common/DecimalText.h"

#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(DecimalText, ReadsAsAtolDoesWithoutOverflow) {
  struct Case {
    std::string text;
    std::int64_t value;
  };
  const Case cases[] = {
      {"", 0},
      {"0", 0},
      {"42", 42},
      {"-17", -17},
      {"+5", 5},
      {"  \t\n12", 12},
      {"12abc", 12},
      {"1.9", 1},
      {"true", 0},
      {"abc", 0},
      {"- 3", 0},
      {"4294967295", 4294967295LL},
      {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
      {"9223372036854775808", std::numeric_limits<std::int64_t>::max()},
      {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
      {"-99999999999999999999999", std::numeric_limits<std::int64_t>::min()},
      {"123456789012345678901234567890", std::numeric_limits<std::int64_t>::max()},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDecimalText(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
