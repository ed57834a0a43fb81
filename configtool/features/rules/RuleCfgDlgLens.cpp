// Lens options (model 0x2004), zoom and focus, and the install distance (fixed-focus models).

#include <algorithm>
#include <array>

#include "configtool/dialogs/DialogControls.h"
#include "configtool/features/rules/RuleCfgDlg.h"

namespace {

constexpr std::array<int, 5> kFixedFocusModels = {0x3045, 0x3085, 0x30C5, 0x3105, 0x3185};

// The combo's items in order, as the camera's install distance values.
constexpr std::array<int, 3> kDistanceOfItem = {0, 2, 1};

}  // namespace

void CRuleCfgDlg::BindLensControls() {
  m_pRadioWideAngle = FindDialogControl<ui::COptionUI>(m_pm, "radio_wide_angle");
  m_pRadioLongFocus = FindDialogControl<ui::COptionUI>(m_pm, "radio_long_focus");
  m_pOptOverlySmall = FindDialogControl<ui::COptionUI>(m_pm, "opt_overly_small");
  m_pOptOverlyDepth = FindDialogControl<ui::COptionUI>(m_pm, "opt_overly_depth");
  for (ui::CControlUI* control : std::initializer_list<ui::CControlUI*>{
           m_pRadioWideAngle, m_pRadioLongFocus, m_pOptOverlySmall, m_pOptOverlyDepth,
           m_pm.FindControl("txt_realtime_show")}) {
    ShowControl(control, true);
  }
  LoadLensOptions();
}

void CRuleCfgDlg::LoadLensOptions() {
  int mode = 0;
  int small = 0;
  int depth = 0;
  const bool read = m_handle != 0 && CameraClient_GetLensConfig(m_handle, &mode, &small, &depth) == 0;
  // Setting one option sends all three: without the camera's, none can be set.
  EnableControls({m_pRadioWideAngle, m_pRadioLongFocus, m_pOptOverlySmall, m_pOptOverlyDepth}, read);
  if (!read) return;
  SelectOption(mode == 0 ? m_pRadioWideAngle : m_pRadioLongFocus, true);
  SelectOption(m_pOptOverlySmall, small == 1);
  SelectOption(m_pOptOverlyDepth, depth == 1);
}

bool CRuleCfgDlg::ApplyLensOptions() {
  if (m_pRadioWideAngle == nullptr || m_pRadioLongFocus == nullptr || m_pOptOverlySmall == nullptr ||
      m_pOptOverlyDepth == nullptr) {
    return false;
  }
  return CameraClient_SetLensConfig(m_handle, IsOptionSelected(m_pRadioWideAngle) ? 0 : 1,
                                    IsOptionSelected(m_pOptOverlySmall) ? 1 : 0,
                                    IsOptionSelected(m_pOptOverlyDepth) ? 1 : 0) == 0;
}

bool CRuleCfgDlg::SwitchToWideAngle() {
  if (m_pRadioWideAngle == nullptr || m_pRadioLongFocus == nullptr || !m_pRadioLongFocus->IsSelected()) return false;
  m_pRadioWideAngle->Selected(true);
  if (ApplyLensOptions()) return true;
  // The camera kept its long focus: so does the dialog, and no hint says otherwise.
  m_pRadioLongFocus->Selected(true);
  return false;
}

void CRuleCfgDlg::SwitchToWideAngleWithHint() {
  if (SwitchToWideAngle()) ShowWideAngleHint();
}

void CRuleCfgDlg::ShowWideAngleHint() {
  m_wideAngleHint = true;
  m_surface.SetWideAngleHint(true);
  if (m_pBtnSaveRule != nullptr) m_pm.SetTimer(m_pBtnSaveRule, kWideAngleHintTimer, kWideAngleHintPeriod);
}

void CRuleCfgDlg::EndWideAngleHint() {
  m_wideAngleHint = false;
  m_surface.SetWideAngleHint(false);
  if (m_pBtnSaveRule != nullptr) m_pm.KillTimer(m_pBtnSaveRule, kWideAngleHintTimer);
}

bool CRuleCfgDlg::IsPtzButton(const ui::CControlUI* control) const {
  return control != nullptr && (control == m_pBtnFocusAdd || control == m_pBtnFocusSub || control == m_pBtnZoomAdd ||
                                control == m_pBtnZoomSub);
}

void CRuleCfgDlg::LensControl(int command) {
  if (m_handle != 0) CameraClient_LensControl(m_handle, command);
}

void CRuleCfgDlg::LoadInstallDistance() {
  const bool fixedFocus =
      std::find(kFixedFocusModels.begin(), kFixedFocusModels.end(), m_modelId) != kFixedFocusModels.end();
  ShowControl(m_pPanZoom, !fixedFocus);
  ShowControl(m_pPanFixedFocus, fixedFocus);
  if (!fixedFocus) return;
  int distance = 0;
  // A distance that could not be read is not shown as if it were one.
  if (CameraClient_GetInstallDistance(m_handle, &distance) != 0 || m_pCmbDistance == nullptr) return;
  const auto item = std::find(kDistanceOfItem.begin(), kDistanceOfItem.end(), distance);
  m_pCmbDistance->SelectItem(item != kDistanceOfItem.end() ? static_cast<int>(item - kDistanceOfItem.begin()) : 0);
}

void CRuleCfgDlg::SaveInstallDistance() {
  const int index = m_pCmbDistance != nullptr ? m_pCmbDistance->GetCurSel() : -1;
  if (index < 0 || index >= static_cast<int>(kDistanceOfItem.size())) return;
  if (CameraClient_SetInstallDistance(m_handle, kDistanceOfItem[static_cast<std::size_t>(index)]) != 0) {
    ShowMessage("设置安装距离失败，请重试! ");
  }
}
