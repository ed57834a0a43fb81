// The fill light: level, mode and the three-period day schedule.

#include <cstdio>
#include <cstring>
#include <optional>

#include "configtool/LightSchedule.h"
#include "configtool/MainWnd.h"

namespace {

enum LedMode { kLedAuto = 0, kLedOpen = 1, kLedClose = 2 };
// Modes of the schedule record: 1 or 3 by schedule, 2 off, any other automatic.
constexpr int kScheduleOff = 2;

bool IsScheduledMode(int mode) { return mode == 1 || mode == 3; }

int ValueOf(const ui::CSliderUI* slider) { return slider != nullptr ? slider->GetValue() : 0; }
int SelectionOf(const ui::CComboUI* combo) { return combo != nullptr ? combo->GetCurSel() : 0; }

void SetWidth(ui::CControlUI* control, int width) {
  if (control != nullptr) control->SetFixedWidth(width);
}

}  // namespace

void CMainWnd::ShowLedLevelText(int value) {
  if (m_pSliderLed == nullptr) return;
  char text[32];
  std::snprintf(text, sizeof text, "%d米", value + 2);
  m_pSliderLed->SetText(text);
}

void CMainWnd::LoadLedLevel() {
  int level = 0;
  int maximum = 0;
  if (CameraClient_GetLedLevel(m_device.handle, &level, &maximum) != 0 || m_pSliderLed == nullptr) return;
  if (maximum > 0) {
    m_pSliderLed->SetMinValue(0);
    m_pSliderLed->SetMaxValue(maximum);
  }
  if (level >= 0) {
    m_pSliderLed->SetValue(level);
    ShowLedLevelText(level);
  }
}

void CMainWnd::OnLedLevelChanged() {
  if (m_device.handle != 0 && m_pSliderLed != nullptr) CameraClient_SetLedLevel(m_device.handle, m_pSliderLed->GetValue());
}

void CMainWnd::SelectLedOption(ui::COptionUI* option) {
  if (option != nullptr) option->Selected(true);
}

void CMainWnd::LoadLedMode() {
  int mode = 0;
  if (CameraClient_GetLedMode(m_device.handle, &mode) != 0) return;
  if (mode == kLedAuto) SelectLedOption(m_pOptLedAuto);
  if (mode == kLedOpen) SelectLedOption(m_pOptLedOpen);
  if (mode == kLedClose) SelectLedOption(m_pOptLedClose);
}

void CMainWnd::OnLedOptionClicked() {
  int mode = kLedAuto;
  if (m_pOptLedOpen != nullptr && m_pOptLedOpen->IsSelected()) {
    mode = kLedOpen;
  } else if (m_pOptLedClose != nullptr && m_pOptLedClose->IsSelected()) {
    mode = kLedClose;
  }
  CameraClient_SetLedMode(m_device.handle, mode);
  if (m_pPanLedCtrl != nullptr) m_pPanLedCtrl->SetEnabled(mode == kLedOpen);
}

void CMainWnd::LoadLightSchedule() {
  CameraClientLedSchedule schedule;
  std::memset(&schedule, 0, sizeof schedule);
  // A record that was not read says nothing: the mode just loaded and the panel stay.
  if (CameraClient_GetLedSchedule(m_device.handle, &schedule) != 0) return;
  const bool scheduled = IsScheduledMode(schedule.mode);
  if (m_pPanLedCtrl != nullptr) m_pPanLedCtrl->SetEnabled(scheduled);
  if (scheduled) {
    ApplyLightSchedule(schedule);
    SelectLedOption(m_pOptLedOpen);
  } else if (schedule.mode == kScheduleOff) {
    SelectLedOption(m_pOptLedClose);
  } else {
    SelectLedOption(m_pOptLedAuto);
  }
}

void CMainWnd::ApplyLightSchedule(const CameraClientLedSchedule& schedule) {
  const LightScheduleView view = ViewOfLightSchedule(schedule);
  if (view.slider1 && m_pSliderTime1 != nullptr) m_pSliderTime1->SetValue(*view.slider1);
  if (view.slider2 && m_pSliderTime2 != nullptr) m_pSliderTime2->SetValue(*view.slider2);
  const std::optional<int> bars[3] = {view.bar1, view.bar2, view.bar3};
  for (int i = 0; i < 3; ++i) {
    if (bars[i] && m_pCmbPeriod[i] != nullptr) m_pCmbPeriod[i]->SelectItem(*bars[i]);
  }
  UpdateLightBars();
}

void CMainWnd::UpdateLightBars() {
  const LightBarLayout layout = LayOutLightBars(ValueOf(m_pSliderTime1), ValueOf(m_pSliderTime2));
  m_barWidths[0] = layout.bar1Width;
  m_barWidths[1] = layout.bar2Width;
  m_barWidths[2] = layout.bar3Width;
  for (int i = 0; i < 3; ++i) SetWidth(m_pCmbPeriod[i], m_barWidths[i]);
  SetWidth(m_pMark1, layout.mark1Width);
  SetWidth(m_pMark2, layout.mark2Width);
  if (m_pMarkText1 != nullptr) m_pMarkText1->SetText(layout.mark1Text.c_str());
  if (m_pMarkText2 != nullptr) m_pMarkText2->SetText(layout.mark2Text.c_str());
}

void CMainWnd::SaveLightSchedule() {
  CameraClientLedSchedule schedule;
  std::memset(&schedule, 0, sizeof schedule);
  // The record keeps fields the panel does not show: without the camera's own, nothing is sent.
  if (CameraClient_GetLedSchedule(m_device.handle, &schedule) != 0) return ShowMessage("保存失败，请重试！");
  FillLightSchedule(schedule, ValueOf(m_pSliderTime1), ValueOf(m_pSliderTime2), SelectionOf(m_pCmbPeriod[0]),
                    SelectionOf(m_pCmbPeriod[1]), SelectionOf(m_pCmbPeriod[2]));
  ShowMessage(CameraClient_SetLedSchedule(m_device.handle, &schedule) == 0 ? "保存成功！" : "保存失败，请重试！");
}
