#include "configtool/features/whitelist/WlistRowTexts.h"

#include "configtool/PlateResultTexts.h"
#include "common/FixedText.h"
#include "configtool/features/whitelist/WlistCsvFormat.h"
#include "configtool/features/whitelist/WlistDateText.h"

namespace {

constexpr const char* kColourWords[kWlistPlateColorCount] = {"白色", "灰色", "黄色", "粉色", "红色",
                                                             "绿色", "蓝色", "棕色", "黑色"};

template <typename Word>
int IndexOf(const std::string& text, int count, Word word) {
  for (int index = 0; index < count; ++index) {
    if (text == word(index)) return index;
  }
  return 0;
}

std::string TimeText(std::int32_t isSet, const WlistTime& time) {
  return isSet != 0 ? FormatWlistListTime(time) : std::string();
}

}  // namespace

const char* WlistPlateColorWord(int index) {
  return index >= 0 && index < kWlistPlateColorCount ? kColourWords[index] : "未知";
}

// The live results name the same types from 1 on, and "未知车牌" otherwise, 0 included.
const char* WlistPlateTypeWord(int index) { return ResultPlateTypeName(index); }

int WlistPlateColorIndex(const std::string& word) { return IndexOf(word, kWlistPlateColorCount, WlistPlateColorWord); }

int WlistPlateTypeIndex(const std::string& word) { return IndexOf(word, kWlistPlateTypeCount, WlistPlateTypeWord); }

WlistRowTexts MakeWlistRowTexts(const CameraClientWhiteListRecord& record, const std::string& segmentText) {
  return {FieldText(record.plate),
          WlistYesNo(record.enabled),
          TimeText(record.createTimeSet, record.createTime),
          TimeText(record.expiryTimeSet, record.expiryTime),
          WlistYesNo(record.useTimeSegments),
          segmentText,
          WlistYesNo(record.alarm),
          WlistPlateColorWord(record.plateColor),
          WlistPlateTypeWord(record.plateType),
          FieldText(record.customerCode),
          FieldText(record.customerNumber)};
}
