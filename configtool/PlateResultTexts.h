#pragma once
// The words and texts a live plate result shows in its row of "plate_result_list".

#include <string>

#include "cameraclient/CameraClient.h"

const char* ResultPlateTypeName(int plateType);
const char* TriggerTypeName(int triggerType);

// A plate whose field has no terminator (its 16th byte is set) is hidden: not shown, not named.
bool IsHiddenPlate(const CameraClientPlateResult& result);
// The plate text within its field ("" for a hidden plate).
std::string PlateTextOf(const CameraClientPlateResult& result);

struct PlateRowTexts {
  std::string time;       // "%d-%02d-%02d %02d:%02d:%02d"
  std::string plate;      // "*******" when hidden
  std::string colour;
  std::string trigger;
  std::string plateType;
  std::string width;      // "%d像素" of right minus left, however many digits
  bool hidden = false;
};
PlateRowTexts MakePlateRowTexts(const CameraClientPlateResult& result);
