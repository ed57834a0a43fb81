// The plate query's words, row texts, CSV lines and file names.

#include "configtool/features/platequery/PlateCsvFile.h"

#include <gtest/gtest.h>

#include <cstring>

#include "configtool/features/platequery/PlatePictureFiles.h"
#include "configtool/features/platequery/PlateQueryTexts.h"

namespace {

CameraClientPlateResult Record(const char* plate) {
  CameraClientPlateResult record{};
  std::strncpy(record.plate, plate, sizeof record.plate);
  record.recordId = 42;
  record.year = 2026;
  record.month = 3;
  record.day = 7;
  record.hour = 9;
  record.minute = 5;
  record.second = 4;
  record.colorCode = CAMERACLIENT_PLATE_COLOR_BLUE;
  record.plateType = 1;
  return record;
}

TEST(PlateQueryTexts, NamesColoursTriggersAndTypesAsTheQueryDoes) {
  const std::pair<int, const char*> colours[] = {{0, "未知"}, {1, "蓝色"}, {2, "黄色"}, {3, "白色"},
                                                 {4, "黑色"}, {5, "绿色"}, {6, ""},     {-1, ""}};
  for (const auto& [code, word] : colours) EXPECT_STREQ(PlateColorWord(code), word) << code;
  const std::pair<int, const char*> triggers[] = {{1, "稳定结果"}, {2, "手动触发"}, {3, "地感触发"},
                                                  {4, "虚拟线圈"}, {5, "多重触发"}, {0, ""}, {6, ""}};
  for (const auto& [trigger, word] : triggers) EXPECT_STREQ(QueryTriggerWord(trigger), word) << trigger;
  const std::pair<int, const char*> types[] = {{1, "蓝牌小汽车"}, {17, "双层武警总队车牌"}, {0, "未知车牌"},
                                               {18, "未知车牌"},  {19, "未知车牌"},         {-3, "未知车牌"}};
  for (const auto& [type, word] : types) EXPECT_STREQ(PlateTypeName(type), word) << type;
}

TEST(PlateQueryTexts, RowsShowAHiddenPlateAsTheLiveResultsDo) {
  EXPECT_EQ(MakePlateQueryRowTexts(Record("京A12345"), 3),
            (PlateQueryRowTexts{"42", "2026-03-07 09:05:04", "京A12345", "蓝色", "地感触发", "蓝牌小汽车"}));
  CameraClientPlateResult hidden = Record("");
  std::memset(hidden.plate, 'X', sizeof hidden.plate);  // no terminator
  hidden.colorCode = 6;
  hidden.plateType = 18;
  EXPECT_EQ(MakePlateQueryRowTexts(hidden, 9), (PlateQueryRowTexts{"42", "2026-03-07 09:05:04", "*******", "", "", "未知车牌"}));
}

TEST(PlateCsvFile, WritesTheHeaderWithBlanksAndRowsWithout) {
  EXPECT_EQ(PlateCsvHeaderLine(), "ID, 时间, 车牌号码, 车牌颜色, 触发类型, 车牌类型\r\n");
  EXPECT_EQ(PlateCsvHeaderLine().size(), 50u);  // 49 with a bare line end
  std::string text;
  AppendPlateCsvRow(text, MakePlateQueryRowTexts(Record("京A12345"), 1));
  AppendPlateCsvRow(text, PlateQueryRowTexts{"1", "t", "A,1", "", "", ""});
  EXPECT_EQ(text, "42,2026-03-07 09:05:04,京A12345,蓝色,稳定结果,蓝牌小汽车\r\n1,t,\"A,1\",,,\r\n");
}

TEST(PlateCsvFile, NamesTheFileAndThePictures) {
  EXPECT_EQ(PlateCsvFilePath("/app", os::LocalTime{2026, 3, 7, 9, 5, 4, 0, 6}), "/app/plate_20260307_090504.csv");
  EXPECT_EQ(DownloadedPictureFolders("/app"), (std::vector<std::string>{"/app/PlateImgs", "/app/PlateImgs/DownLoad"}));
  EXPECT_EQ(DownloadedPicturePath("/app", 17), "/app/PlateImgs/DownLoad/17.jpg");
}

}  // namespace
