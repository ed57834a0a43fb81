#include "configtool/features/video/VideoOptionTables.h"

namespace {

int g_videoHardwareFamily = 0;

// Family 0 numbers its frame sizes; family 2 gives a resolution as width x 65536 + height.
constexpr VideoOption kFrameSizesFamily0[] = {
    {"352 x 288", 1}, {"704 x 576", 0}, {"1280 x 720", 2}, {"1920 x 1080", 3}};
constexpr VideoOption kFrameSizesFamily2[] = {
    {"640 x 360", 0x02800168}, {"720 x 576", 0x02D00240}, {"1280 x 720", 0x050002D0}, {"1920 x 1080", 0x07800438}};
constexpr VideoOption kEncodeTypesFamily0[] = {{"H264", 0}, {"JPEG", 2}};
constexpr VideoOption kEncodeTypesFamily2And3[] = {{"H264", 0}};
constexpr VideoOption kRateControls[] = {{"定码流", 0}, {"变码流", 1}};
constexpr VideoOption kQualities[] = {{"最流畅", 0}, {"较流畅", 1}, {"流畅", 2}, {"中等", 3},
                                      {"清晰", 4},   {"较清晰", 5}, {"最清晰", 6}};
constexpr VideoOption kStreamTypes[] = {{"主码流", 0}, {"子码流", 1}};

constexpr VideoOption kFlickers[] = {{"MaxOrZero", 0}, {"50Hz", 1}, {"60Hz", 2}};
constexpr VideoOption kShuttersType0[] = {{"0~8ms 停车场推荐", 2}, {"0~4ms", 3}, {"0~2ms 卡口推荐", 4}};
constexpr VideoOption kShuttersType2[] = {{"0~3ms", 0x60}, {"0~2ms", 0x40}, {"0~1ms", 0x20}};
constexpr VideoOption kShuttersType3[] = {{"0~1ms", 1}, {"0~2ms", 2}, {"0~3ms", 3}, {"0~4ms", 4}};
constexpr VideoOption kNoiseModes[] = {{"OFF", 0}, {"SNF", 1}, {"TNF", 2}, {"SNF+TNF", 3}};
constexpr VideoOption kNoiseStrengths[] = {{"自动", 0}, {"低", 1}, {"中", 2}, {"高", 3}};
constexpr VideoOption kFlips[] = {{"原始图像", 0}, {"上下翻转", 1}, {"左右翻转", 2}, {"中心翻转", 3}};

constexpr VideoOption kDateFormats[] = {{"YYYY/MM/DD", 0}, {"MM/DD/YYYY", 1}, {"DD/MM/YYYY", 2}};
constexpr VideoOption kTimeFormats[] = {{"12 Hours", 0}, {"24 Hours", 1}};

// Each rate shows as its decimal text.
constexpr VideoOption kFrameRates[] = {
    {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}, {"5", 5}, {"6", 6}, {"7", 7}, {"8", 8}, {"9", 9}, {"10", 10}, {"11", 11},
    {"12", 12}, {"13", 13}, {"14", 14}, {"15", 15}, {"16", 16}, {"17", 17}, {"18", 18}, {"19", 19}, {"20", 20},
    {"21", 21}, {"22", 22}, {"23", 23}, {"24", 24}, {"25", 25}};

std::span<const VideoOption> FrameSizes(int family) {
  if (family == 0) return kFrameSizesFamily0;
  if (family == 2) return kFrameSizesFamily2;
  return {};
}

std::span<const VideoOption> EncodeTypes(int family) {
  if (family == 0) return kEncodeTypesFamily0;
  return kEncodeTypesFamily2And3;
}

}  // namespace

int VideoHardwareFamily() { return g_videoHardwareFamily; }

void SetVideoHardwareFamily(int family) { g_videoHardwareFamily = family; }

int VideoFamilyOfHardwareType(int hardwareType) {
  return hardwareType == 2 || hardwareType == 3 ? hardwareType : 0;
}

void FillOptionCombo(ui::CComboUI* combo, std::span<const VideoOption> options, VideoIndexMap* map) {
  int index = 0;
  for (const VideoOption& option : options) {
    if (combo != nullptr) {
      auto* item = new ui::CListLabelElementUI;
      item->SetText(option.text);
      combo->Add(item);
    }
    if (map != nullptr) map->emplace(index, option.value);
    ++index;
  }
}

std::optional<int> SelectedIndex(const ui::CComboUI* combo) {
  if (combo == nullptr || combo->GetCurSel() < 0) return std::nullopt;
  return combo->GetCurSel();
}

std::optional<int> SelectedOptionValue(const ui::CComboUI* combo, const VideoIndexMap& map) {
  const std::optional<int> index = SelectedIndex(combo);
  if (!index) return std::nullopt;
  const auto found = map.find(*index);
  if (found == map.end()) return std::nullopt;
  return found->second;
}

int OptionIndexOfValue(const VideoIndexMap& map, int value) {
  for (const auto& [index, itemValue] : map) {
    if (itemValue == value) return index;
  }
  return kNoOption;
}

void SelectOption(ui::CComboUI* combo, int index) {
  if (combo != nullptr) combo->SelectItem(index);
}

void FillVideoCombo(VideoCombo which, ui::CComboUI* combo, VideoIndexMap* map) {
  switch (which) {
    case VideoCombo::FrameSize: return FillOptionCombo(combo, FrameSizes(VideoHardwareFamily()), map);
    case VideoCombo::FrameRate: return FillOptionCombo(combo, kFrameRates, map);
    case VideoCombo::EncodeType: return FillOptionCombo(combo, EncodeTypes(VideoHardwareFamily()), map);
    case VideoCombo::RateControl: return FillOptionCombo(combo, kRateControls, nullptr);
    case VideoCombo::Quality: return FillOptionCombo(combo, kQualities, map);
  }
}

std::span<const VideoOption> StreamTypeOptions() { return kStreamTypes; }

std::span<const VideoOption> FlickerOptions(int pageType) {
  if (pageType == 0) return kFlickers;
  return {};
}

std::span<const VideoOption> ShutterOptions(int pageType) {
  if (pageType == 2) return kShuttersType2;
  if (pageType == 3) return kShuttersType3;
  return kShuttersType0;
}

std::span<const VideoOption> NoiseModeOptions(int pageType) {
  if (pageType == 2) return kNoiseModes;
  return {};
}

std::span<const VideoOption> NoiseStrengthOptions(int pageType) {
  if (pageType == 2) return kNoiseStrengths;
  return {};
}

std::span<const VideoOption> FlipOptions() { return kFlips; }

std::span<const VideoOption> DateFormatOptions() { return kDateFormats; }

std::span<const VideoOption> TimeFormatOptions() { return kTimeFormats; }
