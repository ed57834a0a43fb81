// The video settings' number checks, position conversions, capability entries and option tables.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "configtool/features/video/OsdPosition.h"
#include "configtool/features/video/StreamResolutions.h"
#include "configtool/features/video/VideoBitRate.h"
#include "configtool/features/video/VideoOptionTables.h"

namespace {

TEST(CheckBitRateLimit, DigitsOnlyWithinTheFamilysRangeBothEndsIncluded) {
  struct Case {
    int family;
    const char* text;
    std::optional<int> accepted;
  };
  const Case cases[] = {
      {2, "511", std::nullopt}, {2, "512", 512},  {2, "5000", 5000}, {2, "5001", std::nullopt},
      {0, "99", std::nullopt},  {0, "100", 100},  {0, "4096", 4096}, {0, "4097", std::nullopt},
      {0, "0100", 100},
      // 2^32 + 512 must not wrap to 512, nor a longer number to anything in range.
      {2, "4294967808", std::nullopt}, {2, "18446744073709552128", std::nullopt},
      {2, "99999999999999999999999999", std::nullopt},
      // Only the digits 0-9 count.
      {2, "", std::nullopt}, {2, "+600", std::nullopt}, {2, " 600", std::nullopt}, {2, "600 ", std::nullopt},
      {2, "-600", std::nullopt}, {2, "6e2", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckBitRateLimit(c.family, c.text), c.accepted) << c.family << " \"" << c.text << '"';
  }
  EXPECT_STREQ(BitRateLimitRangeText(2), "码流上限值范围应该在：[512, 5000)");
  EXPECT_STREQ(BitRateLimitRangeText(0), "码流上限值范围应该在：[100, 4096)");
}

TEST(StreamBitRate, TimesAThousandStrictlyBetweenTheLimits) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> bitRate;
  };
  const Case cases[] = {
      {"256", std::nullopt},  {"257", 257000}, {"8191", 8191000}, {"8192", std::nullopt},
      {"0", std::nullopt},    {"", std::nullopt}, {"1 000", std::nullopt}, {"+300", std::nullopt},
      {"abc", std::nullopt},
      // Large enough to overflow 32 bits, or 64 bits, once multiplied.
      {"4295223", std::nullopt}, {"9223372036854776", std::nullopt}, {"99999999999999999999999", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(StreamBitRate(c.text, 256000, 8192000), c.bitRate) << '"' << c.text << '"';
}

TEST(OsdPosition, PercentAndPixelsOfBothPictureClasses) {
  EXPECT_EQ(OsdPictureWidth(OsdPictureClass(0)), 704);
  EXPECT_EQ(OsdPictureWidth(OsdPictureClass(1)), 704);
  EXPECT_EQ(OsdPictureWidth(OsdPictureClass(3)), 704);
  EXPECT_EQ(OsdPictureWidth(OsdPictureClass(2)), 720);

  struct Case {
    int percent;
    int extent;
    std::int32_t pixels;
  };
  const Case cases[] = {{100, 704, 704}, {100, 720, 720}, {100, 576, 576}, {0, 704, 0},
                        {50, 704, 352},  {50, 720, 360},  {50, 576, 288},  {33, 704, 232}};
  for (const Case& c : cases) {
    EXPECT_EQ(OsdPixelsOfPercent(c.percent, c.extent), c.pixels) << c.percent << "% of " << c.extent;
    EXPECT_EQ(OsdPercentOfPixels(c.pixels, c.extent), c.percent) << c.pixels << " of " << c.extent;
  }
  // Camera values far outside the picture convert without overflow.
  EXPECT_EQ(OsdPercentOfPixels(INT32_MAX, 704), (static_cast<std::int64_t>(INT32_MAX) * 16384 / 704 * 100 + 8192) >> 14);
  EXPECT_LT(OsdPercentOfPixels(INT32_MIN, 576), 0);
}

CameraClientStreamCapability CapabilityOf(int entries) {
  CameraClientStreamCapability capability{};
  for (int i = 0; i < entries; ++i) {
    capability.resolutions[i].value = 1000 + i;
    std::snprintf(capability.resolutions[i].name, sizeof capability.resolutions[i].name, "R%d", i + 1);
  }
  return capability;
}

TEST(StreamResolutions, EndAtTheFirstEmptyValueOrTheLimitOrTheRecord) {
  CameraClientStreamCapability capability = CapabilityOf(5);
  capability.resolutions[2].value = -1;
  ASSERT_EQ(StreamResolutions(capability, 17).size(), 2u);

  // All 17 entries used: the walk stops at the end of the list, not in the bytes after it.
  capability = CapabilityOf(17);
  std::memset(capability.reserved612, 0x7F, sizeof capability.reserved612);
  const std::vector<StreamResolution> all = StreamResolutions(capability, 1000);
  ASSERT_EQ(all.size(), 17u);
  EXPECT_EQ(all.back().value, 1016);
  EXPECT_EQ(all.back().name, "R17");
  EXPECT_EQ(StreamResolutions(capability, 3).size(), 3u);
}

TEST(StreamResolutions, ANameWithoutNulEndsWithItsField) {
  CameraClientStreamCapability capability = CapabilityOf(2);
  std::memset(capability.resolutions[0].name, 'A', sizeof capability.resolutions[0].name);
  const std::vector<StreamResolution> entries = StreamResolutions(capability, 17);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, std::string(32, 'A'));
  EXPECT_EQ(entries[1].name, "R2");
}

// The maps of the encoding page's combos, filled without combos.
VideoIndexMap MapOf(VideoCombo combo) {
  VideoIndexMap map;
  FillVideoCombo(combo, nullptr, &map);
  return map;
}

TEST(FillVideoCombo, RowsFollowTheFamilyOfTheHardwareType) {
  for (const int type : {0, 1, 4, -1}) {
    SCOPED_TRACE(type);
    SetVideoHardwareFamily(VideoFamilyOfHardwareType(type));
    EXPECT_EQ(VideoHardwareFamily(), 0);
    EXPECT_EQ(MapOf(VideoCombo::FrameSize), (VideoIndexMap{{0, 1}, {1, 0}, {2, 2}, {3, 3}}));
    EXPECT_EQ(MapOf(VideoCombo::EncodeType), (VideoIndexMap{{0, 0}, {1, 2}}));
  }
  SetVideoHardwareFamily(VideoFamilyOfHardwareType(2));
  EXPECT_EQ(MapOf(VideoCombo::FrameSize),
            (VideoIndexMap{{0, 0x02800168}, {1, 0x02D00240}, {2, 0x050002D0}, {3, 0x07800438}}));
  EXPECT_EQ(MapOf(VideoCombo::EncodeType), (VideoIndexMap{{0, 0}}));
  SetVideoHardwareFamily(VideoFamilyOfHardwareType(3));
  EXPECT_TRUE(MapOf(VideoCombo::FrameSize).empty());
  EXPECT_EQ(MapOf(VideoCombo::EncodeType), (VideoIndexMap{{0, 0}}));

  const VideoIndexMap rates = MapOf(VideoCombo::FrameRate);
  ASSERT_EQ(rates.size(), 25u);
  for (const auto& [index, rate] : rates) EXPECT_EQ(rate, index + 1);
  EXPECT_EQ(MapOf(VideoCombo::Quality).size(), 7u);
  EXPECT_TRUE(MapOf(VideoCombo::RateControl).empty());
  SetVideoHardwareFamily(0);
}

TEST(FillOptionCombo, AKeyAddedTwiceKeepsItsFirstValue) {
  VideoIndexMap map{{0, 42}};
  FillOptionCombo(nullptr, ShutterOptions(2), &map);
  EXPECT_EQ(map, (VideoIndexMap{{0, 42}, {1, 0x40}, {2, 0x20}}));
  EXPECT_EQ(OptionIndexOfValue(map, 0x20), 2);
  EXPECT_EQ(OptionIndexOfValue(map, 0x60), -1);
}

}  // namespace
