#include "common/Base64.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Encode(const std::string& bytes) {
  return Base64Encode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

TEST(Base64Encode, Rfc4648TestVectors) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(Encode(input), expected) << '"' << input << '"';
}

TEST(Base64Encode, HighBytesUseTheLastTwoLetters) {
  EXPECT_EQ(Encode("\xFB\xFF\xBF"), "+/+/");
  EXPECT_EQ(Encode(std::string("\x00\x00\x00", 3)), "AAAA");
  EXPECT_EQ(Encode("\xFF"), "/w==");
}

TEST(Base64Encode, LongInputHasNoLineBreaks) {
  const std::string text = Encode(std::string(300, 'x'));
  EXPECT_EQ(text.size(), 400u);
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
}

}  // namespace
