#pragma once
// The texts of a queried plate record: its six columns, which its row in "plate_record_list" and
// its line in the plate CSV file share.

#include <array>
#include <string>

#include "cameraclient/CameraClient.h"

// 0 "未知", 1 "蓝色", 2 "黄色", 3 "白色", 4 "黑色", 5 "绿色"; any other code: "".
const char* PlateColorWord(int colorCode);
// 1 "稳定结果", 2 "手动触发", 3 "地感触发", 4 "虚拟线圈", 5 "多重触发"; any other: "".
const char* QueryTriggerWord(int trigger);
// The whitelist's plate-type words for 1 to 17; "未知车牌" for anything else.
const char* PlateTypeName(int plateType);

// ID, time ("%d-%02d-%02d %02d:%02d:%02d"), plate (a hidden one as the live results show it),
// colour, trigger, plate type.
using PlateQueryRowTexts = std::array<std::string, 6>;
PlateQueryRowTexts MakePlateQueryRowTexts(const CameraClientPlateResult& record, int trigger);
