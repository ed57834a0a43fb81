#include "sim/PlateGenerator.h"

#include <string_view>

namespace camsim {
namespace {

constexpr std::string_view kProvinces =
    "京津沪渝冀豫云辽黑湘皖鲁新苏浙赣鄂桂甘晋蒙陕吉闽贵粤青藏川宁琼";
// Plates never carry I or O, which read as 1 and 0.
constexpr std::string_view kLetters = "ABCDEFGHJKLMNPQRSTUVWXYZ";
constexpr std::string_view kDigits = "0123456789";
constexpr std::size_t kUtf8CjkBytes = 3;

}  // namespace

const std::string& ProvinceCharacters() {
  static const std::string provinces(kProvinces);
  return provinces;
}

SyntheticPlate PlateGenerator::Next() {
  auto pick = [this](std::string_view set) { return set[m_random() % set.size()]; };
  SyntheticPlate plate;
  const std::size_t province = m_random() % (kProvinces.size() / kUtf8CjkBytes);
  plate.text = std::string(kProvinces.substr(province * kUtf8CjkBytes, kUtf8CjkBytes));
  plate.text += pick(kLetters);
  const unsigned kind = m_random() % 10;
  if (kind < 6) {
    plate.colourCode = 1;
    plate.colourWord = "蓝";
    plate.plateType = 1;
  } else if (kind < 8) {
    plate.colourCode = 2;
    plate.colourWord = "黄";
    plate.plateType = 3;
  } else {
    plate.colourCode = 5;
    plate.colourWord = "绿";
    plate.plateType = 19;
  }
  // New-energy plates have six characters after the letter, starting with D or F.
  const int tail = plate.plateType == 19 ? 6 : 5;
  if (plate.plateType == 19) plate.text += (m_random() % 2 == 0) ? 'D' : 'F';
  for (int i = plate.plateType == 19 ? 1 : 0; i < tail; ++i) {
    plate.text += (i >= tail - 3 || m_random() % 4 != 0) ? pick(kDigits) : pick(kLetters);
  }
  return plate;
}

}  // namespace camsim
