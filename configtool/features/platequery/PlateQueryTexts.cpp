#include "configtool/features/platequery/PlateQueryTexts.h"

#include "configtool/PlateResultTexts.h"

namespace {

template <std::size_t N>
const char* WordAt(const char* const (&words)[N], int index, const char* other) {
  return index >= 0 && index < static_cast<int>(N) ? words[index] : other;
}

// The query knows the types up to the dual-row armed police headquarters plate.
constexpr int kLastQueryPlateType = 17;

}  // namespace

const char* PlateColorWord(int colorCode) {
  static const char* const kWords[] = {"未知", "蓝色", "黄色", "白色", "黑色", "绿色"};
  return WordAt(kWords, colorCode, "");
}

const char* QueryTriggerWord(int trigger) {
  static const char* const kWords[] = {"", "稳定结果", "手动触发", "地感触发", "虚拟线圈", "多重触发"};
  return WordAt(kWords, trigger, "");
}

const char* PlateTypeName(int plateType) {
  return plateType >= 1 && plateType <= kLastQueryPlateType ? ResultPlateTypeName(plateType) : "未知车牌";
}

PlateQueryRowTexts MakePlateQueryRowTexts(const CameraClientPlateResult& record, int trigger) {
  const PlateRowTexts live = MakePlateRowTexts(record);
  return {std::to_string(record.recordId), live.time, live.plate, PlateColorWord(record.colorCode),
          QueryTriggerWord(trigger), PlateTypeName(record.plateType)};
}
