#include "configtool/ProvinceList.h"

#include "common/FixedText.h"

ProvinceChoice MakeProvinceChoice(const CameraClientProvinceInfo* info) {
  ProvinceChoice choice;
  choice.items.push_back("无");
  if (info == nullptr) return choice;
  // Each province is one double-byte character; the list may fill its field without a terminator.
  const std::string list = FieldText(info->list);
  for (std::size_t i = 0; i + 1 < list.size(); i += 2) choice.items.push_back(list.substr(i, 2));
  const int count = static_cast<int>(choice.items.size());
  if (info->currentIndex < 0) {
    choice.selection = 0;
  } else if (info->currentIndex < count - 1) {
    choice.selection = info->currentIndex + 1;
  }
  return choice;
}
