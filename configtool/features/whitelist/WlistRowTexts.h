#pragma once
// The texts of a whitelist record in the manager's list, and the words of its colour and type
// (the record dialog's two combo boxes list the words in index order: an index is both).

#include <array>
#include <string>

#include "cameraclient/CameraClient.h"

inline constexpr int kWlistPlateColorCount = 9;
inline constexpr int kWlistPlateTypeCount = 20;

// 0 "白色" .. 8 "黑色"; any other index "未知".
const char* WlistPlateColorWord(int index);
// 0 "未知车牌", 1 "蓝牌小汽车" .. 19 "新能源车牌"; any other index "未知车牌".
const char* WlistPlateTypeWord(int index);
// The index of a word of the tables; 0 for a text that is none of them.
int WlistPlateColorIndex(const std::string& word);
int WlistPlateTypeIndex(const std::string& word);

// The eleven columns: plate, enabled ("是"/"否"), create and expiry time ("%d-%02d-%02d
// %02d:%02d:%02d", empty when unset), time segments in use, the segments' text, alarm, colour word,
// type word, customer code, customer number.
using WlistRowTexts = std::array<std::string, 11>;
WlistRowTexts MakeWlistRowTexts(const CameraClientWhiteListRecord& record, const std::string& segmentText);
