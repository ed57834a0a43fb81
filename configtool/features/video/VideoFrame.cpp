#include "configtool/features/video/VideoFrame.h"

#include <cstdio>
#include <iterator>
#include <string>

#include "configtool/dialogs/DialogControls.h"
#include "common/DecimalText.h"
#include "configtool/features/video/VideoBitRate.h"

namespace {

constexpr int kMaxFrameRate = 25;
constexpr int kMaxQuality = 6;
// The item shown for a stream quality beyond the list ("中等").
constexpr int kFallbackQualityItem = 3;
// The sub stream offers at most this many resolutions.
constexpr std::size_t kSubStreamResolutions = 3;
constexpr std::int32_t kStreamBitRateUnit = 1000;
constexpr const char* kStreamSaveFailed = "设置视频参数失败，请重试！";

// The frame-rate item of a rate; no item outside 1 to 25.
int FrameRateItem(int rate) { return rate >= 1 && rate <= kMaxFrameRate ? rate - 1 : kNoOption; }

void Enable(ui::CControlUI* control, bool enable) {
  if (control != nullptr) control->SetEnabled(enable);
}

}  // namespace

CVideoFrame::CVideoFrame(ui::CPaintManagerUI* pm, CameraClientHandle handle, CVideoCfg* dialog)
    : CTabBase(pm, handle, dialog) {
  // A failed read leaves the type at 0: family 0.
  int hardwareType = 0;
  CameraClient_GetHardwareType(m_handle, &hardwareType);
  SetVideoHardwareFamily(VideoFamilyOfHardwareType(hardwareType));
  BindControls();
  if (VideoHardwareFamily() == 3) {
    LoadStreamSettings();
  } else {
    LoadSingleSettings();
  }
  LoadEncodeType();
  ApplyEnableRule();
}

CVideoFrame::~CVideoFrame() = default;

int CVideoFrame::Notify(ui::TNotifyUI& msg) {
  if (msg.sType == "click" && msg.pSender == m_pBtnFrameOk) {
    return VideoHardwareFamily() == 3 ? SaveStreamSettings() : SaveSingleSettings();
  }
  if (msg.sType == "itemselect") {
    if (msg.pSender == m_pCmbEncodeType || msg.pSender == m_pCmbCtrl) {
      ApplyEnableRule();
      return kDone;
    }
    if (msg.pSender == m_pCmbStreamType) {
      const std::optional<int> stream = SelectedIndex(m_pCmbStreamType);
      if (!stream) return kFailed;
      return ResultOf(FillStreamPage(*stream));
    }
  }
  return kNotMine;
}

void CVideoFrame::BindControls() {
  m_pBtnFrameOk = FindDialogControl<ui::CButtonUI>(*m_pm, "dlg_btn_frameok");
  m_pCmbSizeIndex = FindDialogControl<ui::CComboUI>(*m_pm, "dlg_cmb_size_index");
  m_pCmbRate = FindDialogControl<ui::CComboUI>(*m_pm, "dlg_cmb_rate");
  m_pCmbEncodeType = FindDialogControl<ui::CComboUI>(*m_pm, "dlg_cmb_encodetype");
  m_pCmbCtrl = FindDialogControl<ui::CComboUI>(*m_pm, "dlg_cmb_ctrl");
  m_pCmbVbr = FindDialogControl<ui::CComboUI>(*m_pm, "dlg_cmb_vbr");
  m_pEditLimit = FindDialogControl<ui::CEditUI>(*m_pm, "dlg_limit");
  m_pCmbStreamType = FindDialogControl<ui::CComboUI>(*m_pm, "dlg_cmb_stream_type");
  m_pHorStreamType = m_pm->FindControl("dlg_hor_stream_type");
  FillVideoCombo(VideoCombo::FrameSize, m_pCmbSizeIndex, &m_sizeMap);
  FillVideoCombo(VideoCombo::FrameRate, m_pCmbRate, &m_rateMap);
  FillVideoCombo(VideoCombo::EncodeType, m_pCmbEncodeType, &m_encodeTypeMap);
  FillVideoCombo(VideoCombo::RateControl, m_pCmbCtrl, nullptr);
  FillVideoCombo(VideoCombo::Quality, m_pCmbVbr, &m_qualityMap);
}

void CVideoFrame::LoadSingleSettings() {
  // A setting the camera did not give shows no item (the bit rate no number), and OK leaves it out
  // until the operator gives one: nothing read from a failed Get goes back to the camera.
  if (VideoHardwareFamily() == 2) {
    const std::optional<int> resolution = ReadNumber(CameraClient_GetResolution);
    SelectOption(m_pCmbSizeIndex, resolution ? OptionIndexOfValue(m_sizeMap, *resolution) : kNoOption);
  } else if (const std::optional<int> size = ReadNumber(CameraClient_GetFrameSize)) {
    // A frame size outside the table shows the first one.
    const int item = OptionIndexOfValue(m_sizeMap, *size);
    SelectOption(m_pCmbSizeIndex, item != kNoOption ? item : 0);
  }

  const std::optional<int> rate = ReadNumber(CameraClient_GetFrameRate);
  SelectOption(m_pCmbRate, rate ? FrameRateItem(*rate) : kNoOption);
  SelectOption(m_pCmbCtrl, ReadNumber(CameraClient_GetRateControl).value_or(kNoOption));
  SelectOption(m_pCmbVbr, ReadNumber(CameraClient_GetVideoQuality).value_or(kNoOption));

  int bitRate = 0;
  int unused = 0;
  m_bBitRateRead = CameraClient_GetBitRate(m_handle, &bitRate, &unused) == 0;
  if (m_bBitRateRead) ShowNumber(m_pEditLimit, bitRate);
}

void CVideoFrame::LoadStreamSettings() {
  FillOptionCombo(m_pCmbStreamType, StreamTypeOptions(), nullptr);
  CameraClientStreamConfig config{};
  CameraClient_GetStreamConfig(m_handle, 0, &config);
  // Only 0 (main) and 1 (sub) are streams; anything else shows the main stream.
  const int stream = config.stream == 1 ? 1 : 0;
  SelectOption(m_pCmbStreamType, stream);
  FillStreamPage(stream);
  if (m_pHorStreamType != nullptr) m_pHorStreamType->SetVisible(true);
}

void CVideoFrame::LoadEncodeType() {
  const std::optional<int> encodeType = ReadNumber(CameraClient_GetEncodeType);
  SelectOption(m_pCmbEncodeType, encodeType ? OptionIndexOfValue(m_encodeTypeMap, *encodeType) : kNoOption);
}

bool CVideoFrame::FillStreamPage(int stream) {
  CameraClientStreamConfig config{};
  const bool configRead = CameraClient_GetStreamConfig(m_handle, stream, &config) == 0;
  CameraClientStreamCapability capability{};
  const bool capabilityRead = CameraClient_GetStreamCapability(m_handle, &capability) == 0;
  // OK sends a whole record: one built without the stream's settings or its limits would
  // overwrite the camera's stream with defaults, so then nothing is sent.
  m_bStreamRead = configRead && capabilityRead;

  m_minBitRate = capability.minBitRate;
  m_maxBitRate = capability.maxBitRate;
  const std::size_t limit = stream == 1 ? kSubStreamResolutions : std::size(capability.resolutions);
  ShowResolutions(StreamResolutions(capability, limit), config.resolution);
  if (!configRead) {
    ShowNoStreamSettings();
    return false;
  }

  SelectOption(m_pCmbRate, FrameRateItem(config.frameRate));
  SelectOption(m_pCmbVbr, config.quality > kMaxQuality ? kFallbackQualityItem : config.quality);
  ShowNumber(m_pEditLimit, config.bitRate / kStreamBitRateUnit);
  SelectOption(m_pCmbCtrl, config.rateControl);
  Enable(m_pEditLimit, config.rateControl == 0);
  Enable(m_pCmbVbr, config.rateControl != 0);
  return m_bStreamRead;
}

void CVideoFrame::ShowNoStreamSettings() {
  SelectOption(m_pCmbRate, kNoOption);
  SelectOption(m_pCmbVbr, kNoOption);
  SelectOption(m_pCmbCtrl, kNoOption);
  SetDialogControlText(m_pEditLimit, "");
}

void CVideoFrame::ShowResolutions(const std::vector<StreamResolution>& resolutions, int selected) {
  if (m_pCmbSizeIndex == nullptr) return;
  m_pCmbSizeIndex->RemoveAll();
  for (const StreamResolution& resolution : resolutions) {
    // The item keeps its device value as decimal user data.
    auto* item = new ui::CListLabelElementUI;
    item->SetText(resolution.name.c_str());
    item->SetUserData(std::to_string(resolution.value).c_str());
    m_pCmbSizeIndex->Add(item);
    if (resolution.value == selected) m_pCmbSizeIndex->SelectItem(m_pCmbSizeIndex->GetCount() - 1);
  }
}

void CVideoFrame::ApplyEnableRule() {
  // No encode type selected counts as H264.
  const int encodeType = SelectedOptionValue(m_pCmbEncodeType, m_encodeTypeMap).value_or(0);
  const int rateControl = m_pCmbCtrl != nullptr ? m_pCmbCtrl->GetCurSel() : -1;
  Enable(m_pCmbCtrl, encodeType == 0);
  // Quality applies to JPEG and to a variable rate; the bit rate only to H264 at a constant rate.
  const bool variable = encodeType != 0 || rateControl != 0;
  Enable(m_pCmbVbr, variable);
  Enable(m_pEditLimit, !variable);
}

int CVideoFrame::SaveSingleSettings() {
  const int family = VideoHardwareFamily();
  const std::string bitRateText = DialogControlText(m_pEditLimit);
  // A bit rate the camera did not give and the operator did not type is left out.
  std::optional<int> bitRate;
  if (m_bBitRateRead || !bitRateText.empty()) {
    bitRate = CheckBitRateLimit(family, bitRateText);
    if (!bitRate) {
      ShowMessage(BitRateLimitRangeText(family));
      return kFailed;
    }
  }
  // Every call is made, whatever the ones before gave; a setting without a value (a combo without
  // a selection, a bit rate left out) sends nothing and counts as failed.
  const bool sent[] = {
      SendValue(SelectedOptionValue(m_pCmbSizeIndex, m_sizeMap),
                family == 2 ? CameraClient_SetResolution : CameraClient_SetFrameSize),
      SendValue(SelectedOptionValue(m_pCmbRate, m_rateMap), CameraClient_SetFrameRate),
      SendValue(SelectedOptionValue(m_pCmbEncodeType, m_encodeTypeMap), CameraClient_SetEncodeType),
      SendValue(SelectedIndex(m_pCmbCtrl), CameraClient_SetRateControl),
      SendValue(SelectedOptionValue(m_pCmbVbr, m_qualityMap), CameraClient_SetVideoQuality),
      SendValue(bitRate, CameraClient_SetBitRate),
  };
  bool succeeded = true;
  for (const bool one : sent) succeeded = succeeded && one;
  ShowMessage(succeeded ? "设置主码流成功！" : "设置主码流失败！");
  return ResultOf(succeeded);
}

int CVideoFrame::SaveStreamSettings() {
  if (!m_bStreamRead) {
    ShowMessage(kStreamSaveFailed);
    return kFailed;
  }
  const std::optional<std::int32_t> bitRate =
      StreamBitRate(DialogControlText(m_pEditLimit), m_minBitRate, m_maxBitRate);
  if (!bitRate) {
    char text[128];
    std::snprintf(text, sizeof text, "码流范围为%d-%d，请重新输入！", m_minBitRate / kStreamBitRateUnit,
                  m_maxBitRate / kStreamBitRateUnit);
    ShowMessage(text);
    return kFailed;
  }
  const std::optional<int> stream = SelectedIndex(m_pCmbStreamType);
  const std::optional<int> rate = SelectedIndex(m_pCmbRate);
  const std::optional<int> rateControl = SelectedIndex(m_pCmbCtrl);
  const std::optional<int> quality = SelectedIndex(m_pCmbVbr);
  const std::optional<int> sizeItem = SelectedIndex(m_pCmbSizeIndex);
  if (!stream || !rate || !rateControl || !quality || !sizeItem) {
    ShowMessage(kStreamSaveFailed);
    return kFailed;
  }
  CameraClientStreamConfig config{};
  config.stream = *stream;
  config.resolution = static_cast<std::int32_t>(
      ParseDecimalText(m_pCmbSizeIndex->GetItemAt(*sizeItem)->GetUserData().Str()));
  config.frameRate = *rate + 1;
  config.rateControl = *rateControl;
  config.quality = *quality;
  config.bitRate = *bitRate;
  const bool succeeded = CameraClient_SetStreamConfig(m_handle, config.stream, &config) == 0;
  ShowMessage(succeeded ? "设置视频参数成功！" : kStreamSaveFailed);
  return ResultOf(succeeded);
}

bool CVideoFrame::SendValue(std::optional<int> value, int (*set)(CameraClientHandle, int)) {
  if (!value) return false;
  return set(m_handle, *value) == 0;
}
