#include "configtool/features/video/VidoOSD.h"

#include <cstring>
#include <string>

#include "common/StringUtil.h"
#include "configtool/dialogs/DialogControls.h"
#include "common/DecimalText.h"
#include "common/FixedText.h"
#include "configtool/features/video/OsdPosition.h"
#include "configtool/features/video/VideoOptionTables.h"
#include "platform/os/Charset.h"

namespace {

constexpr int kZoomModelId = 0x2004;
constexpr int kMaxPercent = 100;

// One position edit and the box shown when it does not hold a number.
struct PositionEdit {
  ui::CEditUI* edit;
  const char* notANumber;
};

std::uint8_t SwitchOf(const ui::COptionUI* option) { return option != nullptr && option->IsSelected() ? 1 : 0; }

void CheckWhenOn(ui::COptionUI* option, int value) {
  if (option != nullptr && value == 1) option->Selected(true);
}

// The free text with its terminating NUL: at most 15 bytes, never cutting a double-byte character
// (a field without NUL is refused by the camera).
void CopyOverlayText(CameraClientOsdParam& osd, const std::string& text) {
  std::memset(osd.overlaytext, 0, sizeof osd.overlaytext);
  std::memcpy(osd.overlaytext, text.data(), os::GbkPrefixLength(text, sizeof osd.overlaytext - 1));
}

}  // namespace

CVidoOSD::CVidoOSD(ui::CPaintManagerUI* pm, CameraClientHandle handle, CVideoCfg* dialog)
    : CTabBase(pm, handle, dialog) {
  BindControls();
  ReadCamera();
  // Without the camera's record the page shows nothing of it (and OK sends nothing).
  if (m_bRecordRead) ShowRecord();
}

CVidoOSD::~CVidoOSD() = default;

int CVidoOSD::Notify(ui::TNotifyUI& msg) {
  if (msg.sType == "click" && msg.pSender == m_pBtnOsdOk) return Save();
  return kNotMine;
}

void CVidoOSD::BindControls() {
  m_pOptDate = FindDialogControl<ui::COptionUI>(*m_pm, "dlg_opt_date");
  m_pOptTime = FindDialogControl<ui::COptionUI>(*m_pm, "dlg_opt_time");
  m_pOptContent = FindDialogControl<ui::COptionUI>(*m_pm, "dlg_opt_content");
  m_pCmbDateFormat = FindDialogControl<ui::CComboUI>(*m_pm, "dlg_cmb_dateformat");
  m_pCmbTimeFormat = FindDialogControl<ui::CComboUI>(*m_pm, "dlg_cmb_timeformat");
  m_pEditDateX = FindDialogControl<ui::CEditUI>(*m_pm, "dlg_datex");
  m_pEditDateY = FindDialogControl<ui::CEditUI>(*m_pm, "dlg_datey");
  m_pEditTimeX = FindDialogControl<ui::CEditUI>(*m_pm, "dlg_timex");
  m_pEditTimeY = FindDialogControl<ui::CEditUI>(*m_pm, "dlg_timey");
  m_pEditContentX = FindDialogControl<ui::CEditUI>(*m_pm, "dlg_contentx");
  m_pEditContentY = FindDialogControl<ui::CEditUI>(*m_pm, "dlg_contenty");
  m_pEditContent = FindDialogControl<ui::CEditUI>(*m_pm, "dlg_content");
  m_pLblDateXPer = FindDialogControl<ui::CLabelUI>(*m_pm, "dlg_lbl_date_x_per");
  m_pLblDateYPer = FindDialogControl<ui::CLabelUI>(*m_pm, "dlg_lbl_date_y_per");
  m_pLblTimeXPer = FindDialogControl<ui::CLabelUI>(*m_pm, "dlg_lbl_time_x_per");
  m_pLblTimeYPer = FindDialogControl<ui::CLabelUI>(*m_pm, "dlg_lbl_time_y_per");
  m_pLblTextXPer = FindDialogControl<ui::CLabelUI>(*m_pm, "dlg_lbl_text_x_per");
  m_pLblTextYPer = FindDialogControl<ui::CLabelUI>(*m_pm, "dlg_lbl_text_y_per");
  m_pBtnOsdOk = FindDialogControl<ui::CButtonUI>(*m_pm, "dlg_btn_osdok");
  m_pOptRealtime = FindDialogControl<ui::COptionUI>(*m_pm, "opt_realtime");
  m_pOptRule = FindDialogControl<ui::COptionUI>(*m_pm, "opt_rule");
  m_pOptPos = FindDialogControl<ui::COptionUI>(*m_pm, "opt_pos");
  m_pOptDistance = FindDialogControl<ui::COptionUI>(*m_pm, "opt_distance");
  m_pLayoutXShow = m_pm->FindControl("dlg_layout_xshow");
  FillOptionCombo(m_pCmbDateFormat, DateFormatOptions(), nullptr);
  FillOptionCombo(m_pCmbTimeFormat, TimeFormatOptions(), nullptr);
}

void CVidoOSD::ReadCamera() {
  int unused = 0;
  CameraClient_GetModelId(m_handle, &m_nModelId, &unused);
  m_osd = CameraClientOsdParam{};
  m_overlay = CameraClientOsdOverlay{};
  if (IsZoomModel()) {
    if (m_pLayoutXShow != nullptr) m_pLayoutXShow->SetVisible(true);
    m_bRecordRead = CameraClient_GetOsdOverlay(m_handle, &m_osd, &m_overlay) == 0;
    CheckWhenOn(m_pOptRealtime, m_overlay.realTime);
    CheckWhenOn(m_pOptRule, m_overlay.rule);
    CheckWhenOn(m_pOptPos, m_overlay.position);
    CheckWhenOn(m_pOptDistance, m_overlay.distance);
  } else {
    m_bRecordRead = CameraClient_GetOsdParam(m_handle, &m_osd) == 0;
  }
  int hardwareType = 0;
  CameraClient_GetHardwareType(m_handle, &hardwareType);
  m_nPictureClass = OsdPictureClass(hardwareType);
}

void CVidoOSD::ShowRecord() {
  CheckWhenOn(m_pOptDate, m_osd.dstampenable);
  CheckWhenOn(m_pOptTime, m_osd.tstampenable);
  CheckWhenOn(m_pOptContent, m_osd.nTextEnable);
  SelectOption(m_pCmbDateFormat, m_osd.dateFormat);
  SelectOption(m_pCmbTimeFormat, m_osd.timeFormat);
  SetDialogControlText(m_pEditContent, FieldText(m_osd.overlaytext));
  const int width = OsdPictureWidth(m_nPictureClass);
  ShowNumber(m_pEditDateX, OsdPercentOfPixels(m_osd.datePosX, width));
  ShowNumber(m_pEditDateY, OsdPercentOfPixels(m_osd.datePosY, kOsdPictureHeight));
  ShowNumber(m_pEditTimeX, OsdPercentOfPixels(m_osd.timePosX, width));
  ShowNumber(m_pEditTimeY, OsdPercentOfPixels(m_osd.timePosY, kOsdPictureHeight));
  ShowNumber(m_pEditContentX, OsdPercentOfPixels(m_osd.nTextPositionX, width));
  ShowNumber(m_pEditContentY, OsdPercentOfPixels(m_osd.nTextPositionY, kOsdPictureHeight));
}

int CVidoOSD::Save() {
  // A record built without the camera's would overwrite all of its on-screen settings.
  if (!m_bRecordRead) {
    ShowMessage("设置OSD失败！");
    return kFailed;
  }
  const std::optional<std::array<int, 6>> percents = ReadPercents();
  if (!percents) return kFailed;
  if (!BuildRecord(*percents)) {
    ShowMessage("设置OSD失败！");
    return kFailed;
  }
  int result = 0;
  if (IsZoomModel()) {
    m_overlay = CameraClientOsdOverlay{SwitchOf(m_pOptRealtime), SwitchOf(m_pOptRule), SwitchOf(m_pOptPos),
                                       SwitchOf(m_pOptDistance)};
    result = CameraClient_SetOsdOverlay(m_handle, &m_osd, &m_overlay);
  } else {
    result = CameraClient_SetOsdParam(m_handle, &m_osd);
  }
  ShowMessage(result == 0 ? "设置OSD成功！" : "设置OSD失败！");
  return ResultOf(result == 0);
}

std::optional<std::array<int, 6>> CVidoOSD::ReadPercents() {
  const PositionEdit edits[] = {
      {m_pEditDateX, "日期-坐标-X不是数值！"},    {m_pEditDateY, "日期-坐标-Y不是数值！"},
      {m_pEditTimeX, "时间-坐标-X不是数值！"},    {m_pEditTimeY, "时间-坐标-Y不是数值！"},
      {m_pEditContentX, "文字-坐标-X不是数值！"}, {m_pEditContentY, "文字-坐标-Y不是数值！"},
  };
  // Every edit that is not a number gets its own box.
  bool numbers = true;
  for (const PositionEdit& position : edits) {
    if (IsAllDigits(DialogControlText(position.edit))) continue;
    ShowMessage(position.notANumber);
    numbers = false;
  }
  if (!numbers) return std::nullopt;

  std::array<int, 6> percents{};
  for (std::size_t i = 0; i < percents.size(); ++i) {
    const std::int64_t percent = ParseDecimalText(DialogControlText(edits[i].edit));
    if (percent > kMaxPercent) {
      ShowMessage("坐标百分比在0-100之间，请重新输入!");
      return std::nullopt;
    }
    percents[i] = static_cast<int>(percent);
  }
  return percents;
}

bool CVidoOSD::BuildRecord(const std::array<int, 6>& percents) {
  const std::optional<int> dateFormat = SelectedIndex(m_pCmbDateFormat);
  const std::optional<int> timeFormat = SelectedIndex(m_pCmbTimeFormat);
  if (!dateFormat || !timeFormat) return false;
  // The logo is always sent switched off at 0, 0.
  m_osd = CameraClientOsdParam{};
  const int width = OsdPictureWidth(m_nPictureClass);
  m_osd.dstampenable = SwitchOf(m_pOptDate);
  m_osd.dateFormat = *dateFormat;
  m_osd.datePosX = OsdPixelsOfPercent(percents[0], width);
  m_osd.datePosY = OsdPixelsOfPercent(percents[1], kOsdPictureHeight);
  m_osd.tstampenable = SwitchOf(m_pOptTime);
  m_osd.timeFormat = *timeFormat;
  m_osd.timePosX = OsdPixelsOfPercent(percents[2], width);
  m_osd.timePosY = OsdPixelsOfPercent(percents[3], kOsdPictureHeight);
  m_osd.nTextEnable = SwitchOf(m_pOptContent);
  m_osd.nTextPositionX = OsdPixelsOfPercent(percents[4], width);
  m_osd.nTextPositionY = OsdPixelsOfPercent(percents[5], kOsdPictureHeight);
  CopyOverlayText(m_osd, DialogControlText(m_pEditContent));
  return true;
}

bool CVidoOSD::IsZoomModel() const { return m_nModelId == kZoomModelId; }
