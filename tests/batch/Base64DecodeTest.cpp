#include "batch/Base64Decode.h"

#include <optional>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "common/Base64.h"

namespace {

TEST(Base64Decode, DecodesTheRfc4648Vectors) {
  struct Case {
    const char* text;
    const char* bytes;
  };
  const Case cases[] = {{"", ""},         {"Zg==", "f"},         {"Zm8=", "fo"},          {"Zm9v", "foo"},
                        {"Zm9vYg==", "foob"}, {"Zm9vYmE=", "fooba"}, {"Zm9vYmFy", "foobar"}};
  for (const Case& c : cases) EXPECT_EQ(Base64Decode(c.text), std::optional<std::string>(c.bytes)) << c.text;
}

TEST(Base64Decode, AGroupWithFillDoesNotEndTheText) {
  EXPECT_EQ(Base64Decode("Zg==Zm8=Zm9v"), std::optional<std::string>("ffofoo"));
  // With "=" third, the fourth character gives nothing.
  EXPECT_EQ(Base64Decode("Zg=v"), std::optional<std::string>("f"));
}

TEST(Base64Decode, RefusesWhatIsNotBase64) {
  const std::string refused[] = {"Zg=",  "Zm9vY", "=AAA", "A=AA",       "Zm9v\n",          "Zm 9",
                                 "Zm9-", "Zm9_", "Zm9\x80", std::string("Zm\0v", 4), "Zm9vYg==Z"};
  for (const std::string& text : refused) EXPECT_EQ(Base64Decode(text), std::nullopt) << text;
}

TEST(Base64Decode, ReadsBackWhatTheEncoderWrites) {
  std::mt19937 random(3);
  for (std::size_t size = 0; size < 70; ++size) {
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    const std::string text = Base64Encode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    EXPECT_EQ(Base64Decode(text), std::optional<std::string>(bytes)) << size;
  }
}

}  // namespace
