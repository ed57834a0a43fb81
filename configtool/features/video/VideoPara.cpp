#include "configtool/features/video/VideoPara.h"

#include <optional>
#include <string>

#include "configtool/dialogs/DialogControls.h"

namespace {

constexpr int kSliderMaximumType2 = 255;
constexpr int kSliderMaximum = 100;

// The type 2 shutter reads 0 for its first item as well.
constexpr int kShutterType2Unset = 0;
constexpr int kShutterType3First = 1;
constexpr int kShutterType3Last = 4;

void ShowValue(ui::CSliderUI* slider, ui::CLabelUI* label, int value) {
  if (slider != nullptr) slider->SetValue(value);
  if (label != nullptr) label->SetText(std::to_string(value).c_str());
}

void EnableSlider(ui::CSliderUI* slider, ui::CLabelUI* label, bool enable) {
  if (slider != nullptr) slider->SetEnabled(enable);
  if (label != nullptr) label->SetEnabled(enable);
}

int SliderValue(const ui::CSliderUI* slider) { return slider != nullptr ? slider->GetValue() : 0; }

}  // namespace

CVideoPara::CVideoPara(ui::CPaintManagerUI* pm, CameraClientHandle handle, CVideoCfg* dialog)
    : CTabBase(pm, handle, dialog) {
  // A failed read leaves the type at 0.
  int hardwareType = 0;
  CameraClient_GetHardwareType(m_handle, &hardwareType);
  m_nPageType = VideoFamilyOfHardwareType(hardwareType);
  BindControls();
  LoadPicture();
  if (m_nPageType == 2) {
    LoadType2();
  } else if (m_nPageType == 3) {
    LoadType3();
  } else {
    LoadType0();
  }
  FillOptionCombo(m_pCmbFlip, FlipOptions(), nullptr);
  SelectOption(m_pCmbFlip, ReadNumber(CameraClient_GetFlip).value_or(kNoOption));
}

CVideoPara::~CVideoPara() = default;

int CVideoPara::Notify(ui::TNotifyUI& msg) {
  const ui::CControlUI* sender = msg.pSender;
  if (msg.sType == "valuechanged" && IsSlider(sender)) return ResultOf(SendSliderValues(CurrentSliderValues(), false));
  if (msg.sType == "slidermousemove" && IsSlider(sender)) {
    SendSliderValues(CurrentSliderValues(), true);
    return kNotMine;
  }
  if (msg.sType == "itemselect") {
    if (sender == m_pCmbFrequency) {
      if (m_nPageType != 0) return kNotMine;
      const std::optional<int> flicker = SelectedIndex(m_pCmbFrequency);
      return ResultOf(flicker && CameraClient_SetFlickerFrequency(m_handle, *flicker) == 0);
    }
    if (sender == m_pCmbShutter) return SetShutter();
    if (sender == m_pCmbFlip) {
      const std::optional<int> flip = SelectedIndex(m_pCmbFlip);
      return ResultOf(flip && CameraClient_SetFlip(m_handle, *flip) == 0);
    }
    if (sender == m_pCmbDnMode || sender == m_pCmbDnStrength) return SetNoiseReduction();
  }
  if (msg.sType == "click" && sender == m_pBtnVideoRecov) return ResultOf(RestoreDefaults());
  return kNotMine;
}

void CVideoPara::BindControls() {
  m_pSliderBrt = FindDialogControl<ui::CSliderUI>(*m_pm, "dlg_slider_videobrt");
  m_pSliderCst = FindDialogControl<ui::CSliderUI>(*m_pm, "dlg_slider_videocst");
  m_pSliderSat = FindDialogControl<ui::CSliderUI>(*m_pm, "dlg_slider_videosat");
  m_pSliderHue = FindDialogControl<ui::CSliderUI>(*m_pm, "dlg_slider_videohue");
  m_pLblBrt = FindDialogControl<ui::CLabelUI>(*m_pm, "dlg_lbl_brt");
  m_pLblCst = FindDialogControl<ui::CLabelUI>(*m_pm, "dlg_lbl_cst");
  m_pLblSat = FindDialogControl<ui::CLabelUI>(*m_pm, "dlg_lbl_sat");
  m_pLblHue = FindDialogControl<ui::CLabelUI>(*m_pm, "dlg_lbl_hue");
  m_pLblHueTitle = FindDialogControl<ui::CLabelUI>(*m_pm, "dlg_lbl_hue_title");
  m_pLblDnMode = FindDialogControl<ui::CLabelUI>(*m_pm, "dlg_lbl_dnmode");
  m_pLblDnStrength = FindDialogControl<ui::CLabelUI>(*m_pm, "dlg_lbl_dnstrength");
  m_pLblFrequency = FindDialogControl<ui::CLabelUI>(*m_pm, "dlg_lbl_frequency");
  m_pCtlDnMode = m_pm->FindControl("dlg_ctl_dnmode");
  m_pCtlDnStrength = m_pm->FindControl("dlg_ctl_dnstrength");
  m_pCtlFrequency = m_pm->FindControl("dlg_ctl_frequency");
  m_pCtlShutter = m_pm->FindControl("dlg_ctl_shutter");
  m_pHorDnMode = m_pm->FindControl("dlg_hor_dnmode");
  m_pHorDnStrength = m_pm->FindControl("dlg_hor_dnstrength");
  m_pHorFrequency = m_pm->FindControl("dlg_hor_frequency");
  m_pCmbFrequency = FindDialogControl<ui::CComboUI>(*m_pm, "dlg_cmb_frequency");
  m_pCmbShutter = FindDialogControl<ui::CComboUI>(*m_pm, "dlg_cmb_shutter");
  m_pCmbFlip = FindDialogControl<ui::CComboUI>(*m_pm, "dlg_cmb_flip");
  m_pCmbDnMode = FindDialogControl<ui::CComboUI>(*m_pm, "dlg_cmb_dnmode");
  m_pCmbDnStrength = FindDialogControl<ui::CComboUI>(*m_pm, "dlg_cmb_dnstrength");
  m_pBtnVideoRecov = FindDialogControl<ui::CButtonUI>(*m_pm, "dlg_btn_videorecov");
}

void CVideoPara::LoadPicture() {
  const int maximum = m_nPageType == 2 ? kSliderMaximumType2 : kSliderMaximum;
  for (ui::CSliderUI* slider : {m_pSliderBrt, m_pSliderCst, m_pSliderSat, m_pSliderHue}) {
    if (slider == nullptr) continue;
    slider->SetMinValue(0);
    slider->SetMaxValue(maximum);
  }
  int brightness = 0;
  int contrast = 0;
  int saturation = 0;
  int hue = 0;
  m_bPictureKnown = CameraClient_GetImageAdjust(m_handle, &brightness, &contrast, &saturation, &hue) == 0;
  if (m_bPictureKnown) {
    ShowValue(m_pSliderBrt, m_pLblBrt, brightness);
    ShowValue(m_pSliderCst, m_pLblCst, contrast);
    ShowValue(m_pSliderSat, m_pLblSat, saturation);
  }
  if (m_nPageType != 3) {
    if (m_bPictureKnown) ShowValue(m_pSliderHue, m_pLblHue, hue);
  } else {
    m_adjust = CameraClientImageAdjust{};
    m_bAdjustRead = CameraClient_GetImageAdjustEx(m_handle, &m_adjust) == 0;
    if (m_bAdjustRead) {
      ShowValue(m_pSliderHue, m_pLblHue, m_adjust.maxGain);
    } else {
      // Without the record the hue sent along with the other three stays the camera's own.
      m_adjust.hue = hue;
    }
  }
  EnableSliders();
}

void CVideoPara::LoadType0() {
  // A setting the camera did not give shows no item; choosing one sends the operator's value.
  FillOptionCombo(m_pCmbFrequency, FlickerOptions(0), nullptr);
  SelectOption(m_pCmbFrequency, ReadNumber(CameraClient_GetFlickerFrequency).value_or(kNoOption));
  FillOptionCombo(m_pCmbShutter, ShutterOptions(0), &m_shutterMapType0);
  const std::optional<int> shutter = ReadNumber(CameraClient_GetShutter);
  SelectOption(m_pCmbShutter, shutter ? OptionIndexOfValue(m_shutterMapType0, *shutter) : kNoOption);
  Hide({m_pCtlDnMode, m_pHorDnMode, m_pLblDnMode, m_pCmbDnMode, m_pCtlDnStrength, m_pHorDnStrength, m_pLblDnStrength,
        m_pCmbDnStrength});
}

void CVideoPara::LoadType2() {
  FillOptionCombo(m_pCmbShutter, ShutterOptions(2), &m_shutterMapType2);
  if (const std::optional<int> shutter = ReadNumber(CameraClient_GetShutter)) {
    SelectOption(m_pCmbShutter, *shutter == kShutterType2Unset ? 0 : OptionIndexOfValue(m_shutterMapType2, *shutter));
  }
  FillOptionCombo(m_pCmbDnMode, NoiseModeOptions(2), nullptr);
  FillOptionCombo(m_pCmbDnStrength, NoiseStrengthOptions(2), nullptr);
  // Mode and strength go to the camera together: without both read, neither shows, so that the
  // operator chooses both before anything is sent.
  int mode = 0;
  int strength = 0;
  if (CameraClient_GetNoiseReduction(m_handle, &mode, &strength) == 0 && mode >= 0 && strength >= 0) {
    SelectOption(m_pCmbDnMode, mode);
    SelectOption(m_pCmbDnStrength, strength);
  }
  // The shutter row stays: only its spacer goes, with the flicker row and its spacer.
  Hide({m_pCtlShutter, m_pHorFrequency, m_pLblFrequency, m_pCmbFrequency, m_pCtlFrequency});
}

void CVideoPara::LoadType3() {
  // Type 3 has no flicker items: the value selects nothing.
  SelectOption(m_pCmbFrequency, ReadNumber(CameraClient_GetFlickerFrequency).value_or(kNoOption));
  FillOptionCombo(m_pCmbShutter, ShutterOptions(3), nullptr);
  if (const std::optional<int> shutter = ReadNumber(CameraClient_GetShutter)) {
    const bool known = *shutter >= kShutterType3First && *shutter <= kShutterType3Last;
    SelectOption(m_pCmbShutter, known ? *shutter - kShutterType3First : 0);
  }
  SetDialogControlText(m_pLblHueTitle, "最大增益：");
  Hide({m_pHorFrequency, m_pLblFrequency, m_pCtlFrequency, m_pCtlDnMode, m_pHorDnMode, m_pLblDnMode, m_pCmbDnMode,
        m_pCtlDnStrength, m_pHorDnStrength, m_pLblDnStrength, m_pCmbDnStrength});
}

bool CVideoPara::FourthValueSendable() const { return m_nPageType != 3 || m_bAdjustRead; }

void CVideoPara::EnableSliders() {
  // Every send carries the four values, so no slider moves while one of them is unknown; on type 3
  // the fourth reaches the camera only inside the record.
  EnableSlider(m_pSliderBrt, m_pLblBrt, m_bPictureKnown);
  EnableSlider(m_pSliderCst, m_pLblCst, m_bPictureKnown);
  EnableSlider(m_pSliderSat, m_pLblSat, m_bPictureKnown);
  EnableSlider(m_pSliderHue, m_pLblHue, m_bPictureKnown && FourthValueSendable());
}

bool CVideoPara::IsSlider(const ui::CControlUI* control) const {
  return control != nullptr &&
         (control == m_pSliderBrt || control == m_pSliderCst || control == m_pSliderSat || control == m_pSliderHue);
}

CVideoPara::SliderValues CVideoPara::CurrentSliderValues() const {
  return {SliderValue(m_pSliderBrt), SliderValue(m_pSliderCst), SliderValue(m_pSliderSat), SliderValue(m_pSliderHue)};
}

bool CVideoPara::SendSliderValues(const SliderValues& values, bool mouseMoveOnly) {
  ShowValue(m_pSliderBrt, m_pLblBrt, values.brightness);
  ShowValue(m_pSliderCst, m_pLblCst, values.contrast);
  ShowValue(m_pSliderSat, m_pLblSat, values.saturation);
  // A fourth value that cannot reach the camera is not shown as if it had.
  if (FourthValueSendable()) ShowValue(m_pSliderHue, m_pLblHue, values.fourth);
  if (mouseMoveOnly) return true;
  if (m_nPageType != 3) {
    const bool adjusted = CameraClient_SetImageAdjust(m_handle, values.brightness, values.contrast, values.saturation,
                                                      values.fourth) == 0;
    m_bPictureKnown = m_bPictureKnown || adjusted;
    return adjusted;
  }
  // Type 3 sends the record's hue as it stood before this change; the fourth slider's value goes
  // into the record as both hue and maximum gain.
  const bool adjusted =
      CameraClient_SetImageAdjust(m_handle, values.brightness, values.contrast, values.saturation, m_adjust.hue) == 0;
  m_bPictureKnown = m_bPictureKnown || adjusted;
  if (!m_bAdjustRead) return adjusted;
  m_adjust.brightness = values.brightness;
  m_adjust.contrast = values.contrast;
  m_adjust.saturation = values.saturation;
  m_adjust.hue = values.fourth;
  m_adjust.maxGain = values.fourth;
  const bool extended = CameraClient_SetImageAdjustEx(m_handle, &m_adjust) == 0;
  return adjusted && extended;
}

int CVideoPara::SetShutter() {
  std::optional<int> shutter;
  if (m_nPageType == 3) {
    if (const std::optional<int> item = SelectedIndex(m_pCmbShutter)) shutter = *item + kShutterType3First;
  } else {
    shutter = SelectedOptionValue(m_pCmbShutter, m_nPageType == 2 ? m_shutterMapType2 : m_shutterMapType0);
  }
  return ResultOf(shutter && CameraClient_SetShutter(m_handle, *shutter) == 0);
}

int CVideoPara::SetNoiseReduction() {
  const std::optional<int> mode = SelectedIndex(m_pCmbDnMode);
  const std::optional<int> strength = SelectedIndex(m_pCmbDnStrength);
  return ResultOf(mode && strength && CameraClient_SetNoiseReduction(m_handle, *mode, *strength) == 0);
}

bool CVideoPara::RestoreDefaults() {
  const SliderValues defaults = DefaultSliderValues();
  // Nothing told the camera's hue (type 3 sends it along with the other three): the default goes
  // in its place rather than a zero.
  if (m_nPageType == 3 && !m_bPictureKnown && !m_bAdjustRead) m_adjust.hue = defaults.fourth;
  const bool sliders = SendSliderValues(defaults, false);
  EnableSliders();
  bool further = false;
  if (m_nPageType == 2) {
    further = RestoreType2();
  } else if (m_nPageType == 3) {
    further = RestoreType3();
  } else {
    further = RestoreType0();
  }
  // Without the type 3 record the maximum gain did not go back to its default.
  const bool restored = sliders && further && FourthValueSendable();
  ShowMessage(restored ? "恢复默认成功！" : "恢复默认失败！");
  return restored;
}

CVideoPara::SliderValues CVideoPara::DefaultSliderValues() const {
  if (m_nPageType == 2) return {128, 138, 128, 140};
  if (m_nPageType == 3) return {50, 50, 50, 50};
  return {50, 40, 30, 50};
}

bool CVideoPara::RestoreType0() {
  const bool restored = CameraClient_SetFlickerFrequency(m_handle, 1) == 0 && CameraClient_SetShutter(m_handle, 3) == 0 &&
                        CameraClient_SetFlip(m_handle, 0) == 0;
  SelectOption(m_pCmbFrequency, 1);
  SelectOption(m_pCmbShutter, 1);
  SelectOption(m_pCmbFlip, 0);
  return restored;
}

bool CVideoPara::RestoreType2() {
  const bool restored = CameraClient_SetShutter(m_handle, 0x60) == 0 &&
                        CameraClient_SetNoiseReduction(m_handle, 3, 1) == 0 && CameraClient_SetFlip(m_handle, 0) == 0;
  SelectOption(m_pCmbShutter, 0);
  SelectOption(m_pCmbDnMode, 3);
  SelectOption(m_pCmbDnStrength, 1);
  SelectOption(m_pCmbFlip, 0);
  return restored;
}

bool CVideoPara::RestoreType3() {
  // Both calls are made whatever the first gives.
  const bool shutter = CameraClient_SetShutter(m_handle, 3) == 0;
  const bool flip = CameraClient_SetFlip(m_handle, 0) == 0;
  SelectOption(m_pCmbShutter, 2);
  SelectOption(m_pCmbFlip, 0);
  return shutter && flip;
}
