#include "configtool/PlateResultTexts.h"

#include <cstdint>
#include <cstdio>

#include "common/FixedText.h"

const char* ResultPlateTypeName(int plateType) {
  static const char* const kNames[] = {
      "蓝牌小汽车", "黑牌小汽车",     "单排黄牌",       "双排黄牌",     "警车车牌",
      "武警车牌",   "个性化车牌",     "单排军车牌",     "双排军车牌",   "使馆车牌",
      "香港进出中国大陆车牌", "农用车牌", "教练车牌",   "澳门进出中国大陆车牌", "双层武警车牌",
      "武警总队车牌", "双层武警总队车牌", "民航车牌",   "新能源车牌"};
  constexpr int kCount = static_cast<int>(sizeof kNames / sizeof kNames[0]);
  if (plateType < 1 || plateType > kCount) return "未知车牌";
  return kNames[plateType - 1];
}

const char* TriggerTypeName(int triggerType) {
  switch (triggerType) {
    case CAMERACLIENT_TRIGGER_STABLE:
      return "稳定识别结果";
    case CAMERACLIENT_TRIGGER_IO:
      return "外部IO触发";
    case CAMERACLIENT_TRIGGER_MANUAL:
      return "手动触发";
    case CAMERACLIENT_TRIGGER_LOOP:
      return "虚拟线圈触发";
    default:
      return "多重触发";
  }
}

bool IsHiddenPlate(const CameraClientPlateResult& result) { return result.plate[15] != '\0'; }

std::string PlateTextOf(const CameraClientPlateResult& result) {
  return IsHiddenPlate(result) ? std::string() : FieldText(result.plate);
}

PlateRowTexts MakePlateRowTexts(const CameraClientPlateResult& result) {
  PlateRowTexts texts;
  char time[64];
  std::snprintf(time, sizeof time, "%d-%02d-%02d %02d:%02d:%02d", result.year, result.month, result.day, result.hour,
                result.minute, result.second);
  texts.time = time;
  texts.hidden = IsHiddenPlate(result);
  texts.plate = texts.hidden ? "*******" : PlateTextOf(result);
  texts.colour = FieldText(result.colorText);
  texts.trigger = TriggerTypeName(result.triggerType);
  texts.plateType = ResultPlateTypeName(result.plateType);
  // In 64 bits, so that no pair of rectangle edges overflows.
  const std::int64_t width = static_cast<std::int64_t>(result.plateRect.right) - result.plateRect.left;
  texts.width = std::to_string(width) + "像素";
  return texts;
}
