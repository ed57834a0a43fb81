// The whitelist manager's row texts and the words of colour and type.

#include "configtool/features/whitelist/WlistRowTexts.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(WlistRowTexts, NamesColoursAndTypesByIndexAndBack) {
  const std::pair<int, const char*> colours[] = {{0, "白色"}, {6, "蓝色"}, {8, "黑色"}, {9, "未知"}, {-1, "未知"}};
  for (const auto& [index, word] : colours) EXPECT_STREQ(WlistPlateColorWord(index), word) << index;
  const std::pair<int, const char*> types[] = {{0, "未知车牌"}, {1, "蓝牌小汽车"}, {18, "民航车牌"},
                                               {19, "新能源车牌"}, {20, "未知车牌"}, {-1, "未知车牌"}};
  for (const auto& [index, word] : types) EXPECT_STREQ(WlistPlateTypeWord(index), word) << index;
  for (int i = 0; i < kWlistPlateColorCount; ++i) EXPECT_EQ(WlistPlateColorIndex(WlistPlateColorWord(i)), i);
  for (int i = 0; i < kWlistPlateTypeCount; ++i) EXPECT_EQ(WlistPlateTypeIndex(WlistPlateTypeWord(i)), i);
  EXPECT_EQ(WlistPlateColorIndex("未知"), 0);
  EXPECT_EQ(WlistPlateTypeIndex(""), 0);
}

TEST(WlistRowTexts, ShowTheRecordsElevenColumns) {
  CameraClientWhiteListRecord record{};
  std::strcpy(record.plate, "京A12345");
  record.enabled = 1;
  record.expiryTimeSet = 1;
  const std::int16_t expiry[6] = {2030, 1, 2, 23, 59, 59};
  std::memcpy(record.expiryTime, expiry, sizeof expiry);
  const std::int16_t created[6] = {2024, 5, 6, 7, 8, 9};
  std::memcpy(record.createTime, created, sizeof created);  // not set: not shown
  record.useTimeSegments = 1;
  record.plateColor = 9;
  record.plateType = 20;
  std::strcpy(record.customerCode, "VIP");
  std::strcpy(record.customerNumber, "13900000000");
  EXPECT_EQ(MakeWlistRowTexts(record, "星期一 08:00:00 至 09:00:00"),
            (WlistRowTexts{"京A12345", "是", "", "2030-01-02 23:59:59", "是", "星期一 08:00:00 至 09:00:00", "否", "未知",
                           "未知车牌", "VIP", "13900000000"}));
}

}  // namespace
