#include "platform/camera/protocol/FirmwareImage.h"

#include <gtest/gtest.h>

#include <string_view>

namespace camera::protocol {
namespace {

std::vector<std::uint8_t> Body(std::size_t size) {
  std::vector<std::uint8_t> body(size);
  for (std::size_t i = 0; i < size; ++i) body[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return body;
}

TEST(FirmwareImageTest, Crc32MatchesTheStandardCheckValue) {
  constexpr std::string_view kCheck = "123456789";
  EXPECT_EQ(Crc32({reinterpret_cast<const std::uint8_t*>(kCheck.data()), kCheck.size()}), 0xCBF43926u);
}

TEST(FirmwareImageTest, RoundTripsTheVersion) {
  const FirmwareVersion version{{5, 1, 7, 12}};
  const auto image = BuildFirmwareImage(version, Body(1000));
  ASSERT_TRUE(image);
  ASSERT_EQ(image->size(), kFirmwareHeaderBytes + 1000);
  const auto info = ParseFirmwareImage(*image);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->version, version);
  EXPECT_EQ(info->bodyBytes, 1000u);
  EXPECT_TRUE(ParseFirmwareImage(*BuildFirmwareImage(version, {})));
}

TEST(FirmwareImageTest, RefusesDamagedImages) {
  const auto image = *BuildFirmwareImage(FirmwareVersion{{4, 2, 1, 9}}, Body(256));
  struct Case {
    const char* name;
    std::size_t offset;
  };
  for (const Case& c : {Case{"magic", 0}, Case{"length", 24}, Case{"crc", 28}, Case{"body", 100}}) {
    auto damaged = image;
    damaged[c.offset] ^= 0x40;
    EXPECT_FALSE(ParseFirmwareImage(damaged)) << c.name;
  }
  EXPECT_FALSE(ParseFirmwareImage(std::vector<std::uint8_t>(image.begin(), image.end() - 1)));
  auto longer = image;
  longer.push_back(0);
  EXPECT_FALSE(ParseFirmwareImage(longer));
  EXPECT_FALSE(ParseFirmwareImage(std::vector<std::uint8_t>(image.begin(), image.begin() + 31)));
}

TEST(FirmwareImageTest, VersionNumbersAreBounded) {
  EXPECT_FALSE(BuildFirmwareImage(FirmwareVersion{{1, 2, 65536, 0}}, Body(4)));
  auto image = *BuildFirmwareImage(FirmwareVersion{{1, 2, 3, 4}}, Body(4));
  image[10] = 1;  // version a = 0x10001
  EXPECT_FALSE(ParseFirmwareImage(image));
}

}  // namespace
}  // namespace camera::protocol
