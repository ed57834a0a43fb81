#include "configtool/PlateResultTexts.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

CameraClientPlateResult Result(const char* plate) {
  CameraClientPlateResult result;
  std::memset(&result, 0, sizeof result);
  std::strncpy(result.plate, plate, sizeof result.plate);
  std::strncpy(result.colorText, "蓝", sizeof result.colorText);
  result.year = 2026;
  result.month = 3;
  result.day = 7;
  result.hour = 9;
  result.minute = 5;
  result.second = 4;
  result.plateType = 1;
  result.triggerType = 1;
  result.plateRect = CameraClientRect{100, 0, 193, 0};
  return result;
}

TEST(PlateResultTexts, NamesPlateTypes) {
  const std::pair<int, const char*> cases[] = {{1, "蓝牌小汽车"}, {11, "香港进出中国大陆车牌"}, {18, "民航车牌"},
                                               {19, "新能源车牌"}, {0, "未知车牌"},           {20, "未知车牌"},
                                               {-1, "未知车牌"}};
  for (const auto& [type, word] : cases) EXPECT_STREQ(ResultPlateTypeName(type), word) << type;
}

TEST(PlateResultTexts, NamesTriggersAndCallsCombinationsMultiple) {
  const std::pair<int, const char*> cases[] = {{1, "稳定识别结果"}, {2, "外部IO触发"}, {4, "手动触发"},
                                               {8, "虚拟线圈触发"}, {3, "多重触发"},   {0, "多重触发"},
                                               {16, "多重触发"}};
  for (const auto& [trigger, word] : cases) EXPECT_STREQ(TriggerTypeName(trigger), word) << trigger;
}

TEST(PlateResultTexts, FormatsTheRow) {
  const PlateRowTexts texts = MakePlateRowTexts(Result("京A12345"));
  EXPECT_EQ(texts.time, "2026-03-07 09:05:04");
  EXPECT_EQ(texts.plate, "京A12345");
  EXPECT_EQ(texts.colour, "蓝");
  EXPECT_EQ(texts.trigger, "稳定识别结果");
  EXPECT_EQ(texts.plateType, "蓝牌小汽车");
  EXPECT_EQ(texts.width, "93像素");
  EXPECT_FALSE(texts.hidden);
}

TEST(PlateResultTexts, HidesAPlateThatFillsItsField) {
  CameraClientPlateResult result = Result("");
  std::memset(result.plate, 'A', sizeof result.plate);
  const PlateRowTexts texts = MakePlateRowTexts(result);
  EXPECT_TRUE(texts.hidden);
  EXPECT_EQ(texts.plate, "*******");
  EXPECT_EQ(PlateTextOf(result), "");
}

TEST(PlateResultTexts, WidthsOfAnySizeAreShownWhole) {
  const std::pair<CameraClientRect, const char*> cases[] = {
      {{0, 0, 12345, 0}, "12345像素"},
      {{500, 0, 100, 0}, "-400像素"},
      {{INT_MIN, 0, INT_MAX, 0}, "4294967295像素"},
  };
  for (const auto& [rect, width] : cases) {
    CameraClientPlateResult result = Result("京A12345");
    result.plateRect = rect;
    EXPECT_EQ(MakePlateRowTexts(result).width, width);
  }
}

TEST(PlateResultTexts, ReadsAColourTextWithinItsField) {
  CameraClientPlateResult result = Result("京A12345");
  std::memset(result.colorText, 'x', sizeof result.colorText);
  EXPECT_EQ(MakePlateRowTexts(result).colour, "xxxxxxxx");
}

}  // namespace
