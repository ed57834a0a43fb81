#include "platform/camera/protocol/RecordRules.h"

#include <gtest/gtest.h>

#include <cstring>

namespace camera::protocol {
namespace {

TEST(RecordRulesTest, CountsMustFitTheRecord) {
  CameraClientEncryptInfo info{};
  info.modeCount = 15;
  EXPECT_TRUE(IsWellFormed(info));
  info.modeCount = 16;
  EXPECT_FALSE(IsWellFormed(info));
  info.modeCount = -1;
  EXPECT_FALSE(IsWellFormed(info));

  CameraClientVirtualLoops loops{};
  loops.count = 8;
  EXPECT_TRUE(IsWellFormed(loops));
  loops.count = 9;
  EXPECT_FALSE(IsWellFormed(loops));

  CameraClientRegion region{};
  region.uNumVertex = 12;
  EXPECT_TRUE(IsWellFormed(region));
  region.uNumVertex = 13;
  EXPECT_FALSE(IsWellFormed(region));

  CameraClientPolygonRules rules{};
  rules.count = 4;
  EXPECT_TRUE(IsWellFormed(rules));
  rules.count = 5;
  EXPECT_FALSE(IsWellFormed(rules));
}

TEST(RecordRulesTest, TextsMustBeTerminatedWithinTheirFields) {
  CameraClientEncryptInfo info{};
  info.modeCount = 2;
  std::memset(info.modeNames[1], 'M', 36);
  EXPECT_FALSE(IsWellFormed(info));
  info.modeCount = 1;  // names past the count are not read
  EXPECT_TRUE(IsWellFormed(info));

  CameraClientNetParam net{};
  EXPECT_TRUE(IsWellFormed(net));
  std::memset(net.dns, '1', 16);
  EXPECT_FALSE(IsWellFormed(net));

  CameraClientWhiteListRecord row{};
  std::memset(row.customerNumber, '9', 64);
  EXPECT_FALSE(IsWellFormed(row));

  CameraClientStreamCapability capability{};
  capability.resolutions[0].value = 0x07800438;
  std::memset(capability.resolutions[0].name, 'R', 32);
  EXPECT_FALSE(IsWellFormed(capability));
  capability.resolutions[0].value = 0;  // the list ends before it
  EXPECT_TRUE(IsWellFormed(capability));

  CameraClientSerialPush push{};
  std::memset(push.voices[3].suffix, 'S', sizeof push.voices[3].suffix);
  EXPECT_FALSE(IsWellFormed(push));
}

TEST(RecordRulesTest, AHiddenPlateMayFillItsField) {
  CameraClientPlateResult result{};
  std::memset(result.plate, '*', 16);
  EXPECT_TRUE(IsWellFormed(result));
  std::memset(result.colorText, 'c', 8);
  EXPECT_FALSE(IsWellFormed(result));
}

}  // namespace
}  // namespace camera::protocol
