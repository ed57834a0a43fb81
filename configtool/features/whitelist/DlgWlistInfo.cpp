#include "configtool/features/whitelist/DlgWlistInfo.h"

#include "common/FixedText.h"
#include "common/StringUtil.h"
#include "configtool/controls/CalendarUI.h"
#include "configtool/controls/TimePeriodUI.h"
#include "configtool/controls/TimeSegments.h"
#include "configtool/dialogs/DialogControls.h"
#include "configtool/features/whitelist/WlistDateText.h"
#include "configtool/features/whitelist/WlistRowTexts.h"

namespace {

constexpr std::size_t kPlateBytes = sizeof(CameraClientWhiteListRecord::plate) - 1;
constexpr std::size_t kCommentBytes = sizeof(CameraClientWhiteListRecord::customerNumber) - 1;
constexpr const char* kAddFailed = "添加白名单失败";
constexpr const char* kChangeFailed = "修改白名单失败!";

int SelectedIndex(const ui::CComboUI* combo) {
  return combo != nullptr && combo->GetCurSel() >= 0 ? combo->GetCurSel() : 0;
}

void SelectIndex(ui::CComboUI* combo, int index) {
  if (combo != nullptr) combo->SelectItem(index);
}

// A row's time text into its calendar; a text that does not read leaves the calendar as it was.
void ShowTime(CCalendarUI* calendar, const std::string& text) {
  std::int16_t time[6] = {};
  if (calendar == nullptr || text.empty() || !ParseWlistDateTime(text, time)) return;
  calendar->SetDateTime(time[0], time[1], time[2], time[3], time[4], time[5]);
}

// The calendar's value as the record keeps it; an invalid value as year 1 and the rest -1.
void StoreTime(const CCalendarUI* calendar, std::int16_t (&time)[6]) {
  const DateTimeValue value = calendar != nullptr ? calendar->GetValue() : DateTimeValue{};
  const int fields[6] = {value.GetYear(), value.GetMonth(), value.GetDay(),
                         value.GetHour(), value.GetMinute(), value.GetSecond()};
  for (int i = 0; i < 6; ++i) time[i] = static_cast<std::int16_t>(fields[i]);
}

}  // namespace

CDlgWlistInfo::CDlgWlistInfo(CameraClientHandle handle, WlistEditContext* context, WlistDialogOutcome* outcome)
    : m_handle(handle), m_context(context), m_outcome(outcome) {}

CDlgWlistInfo::~CDlgWlistInfo() = default;

void CDlgWlistInfo::BindControls() {
  m_pEditPlate = FindDialogControl<ui::CEditUI>(m_pm, "edit_plate");
  m_pCmbType = FindDialogControl<ui::CComboUI>(m_pm, "dlg_cmb_type");
  m_pOptEnable = FindDialogControl<ui::COptionUI>(m_pm, "opt_enable");
  m_pCmbColor = FindDialogControl<ui::CComboUI>(m_pm, "dlg_cmb_color");
  m_pDtStart = FindDialogControl<CCalendarUI>(m_pm, "dt_start");
  m_pDtEnd = FindDialogControl<CCalendarUI>(m_pm, "dt_End");
  m_pOptUseSegments = FindDialogControl<ui::COptionUI>(m_pm, "opt_using_timeseg");
  m_pOptAlarm = FindDialogControl<ui::COptionUI>(m_pm, "opt_is_alarm");
  m_pEditComment = FindDialogControl<ui::CEditUI>(m_pm, "edit_plate_comment");
  m_pBtnSave = FindDialogControl<ui::CButtonUI>(m_pm, "btn_save");
  m_pBtnCancel = FindDialogControl<ui::CButtonUI>(m_pm, "cancel");
  m_pTitle = m_pm.FindControl("title");
  m_pTimeseg = FindDialogControl<CTimePeriodUI>(m_pm, "timeseg");
  if (IsEditMode()) {
    ShowContext();
  } else {
    ShowToday();
  }
  if (m_pDtStart != nullptr) m_openedStart = m_pDtStart->GetValue();
  if (m_pDtEnd != nullptr) m_openedEnd = m_pDtEnd->GetValue();
}

void CDlgWlistInfo::ShowToday() {
  const DateTimeValue now = DateTimeValue::Now();
  if (m_pDtStart != nullptr) m_pDtStart->SetDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 0, 0);
  if (m_pDtEnd != nullptr) m_pDtEnd->SetDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), 23, 59, 59);
  SelectIndex(m_pCmbType, 0);
  SelectIndex(m_pCmbColor, 0);
  SelectOption(m_pOptEnable, true);
}

void CDlgWlistInfo::ShowContext() {
  const WlistRowTexts& texts = m_context->texts;
  m_openedPlate = texts[kWlistPlateColumn];
  SetDialogControlText(m_pEditPlate, m_openedPlate);
  SelectOption(m_pOptEnable, m_context->enabled);
  ShowTime(m_pDtStart, texts[kWlistCreateColumn]);
  ShowTime(m_pDtEnd, texts[kWlistExpiryColumn]);
  SelectOption(m_pOptUseSegments, m_context->useSegments);
  SelectOption(m_pOptAlarm, m_context->alarm);
  SelectIndex(m_pCmbType, WlistPlateTypeIndex(texts[kWlistTypeColumn]));
  SelectIndex(m_pCmbColor, WlistPlateColorIndex(texts[kWlistColourColumn]));
  SetDialogControlText(m_pEditComment, texts[kWlistNumberColumn]);
  SetDialogControlText(m_pTimeseg, texts[kWlistSegmentsColumn]);
  SetDialogControlText(m_pTitle, "修改白名单");
}

void CDlgWlistInfo::Notify(ui::TNotifyUI& msg) {
  if (msg.sType == "click" && msg.pSender != nullptr) {
    if (msg.pSender == m_pBtnSave) {
      if (SaveRecord()) Close(IDOK);
      return;
    }
    if (msg.pSender == m_pBtnCancel) return Close(IDCANCEL);
  }
  CDialogWnd::Notify(msg);
}

bool CDlgWlistInfo::SaveRecord() {
  const std::string plate = TrimString(DialogControlText(m_pEditPlate));
  const std::string comment = TrimString(DialogControlText(m_pEditComment));
  if (const std::string fault = CheckTexts(plate, comment); !fault.empty()) return Fail(fault.c_str());
  const CameraClientWhiteListRecord record = BuildRecord(plate, comment);
  const Presence presence = AskCamera(plate);
  return IsEditMode() ? SaveChange(record, presence) : SaveNew(record, presence);
}

std::string CDlgWlistInfo::CheckTexts(const std::string& plate, const std::string& comment) const {
  if (plate.empty()) return "请输入车牌号!";
  if (plate.find(',') != std::string::npos) return "车牌号中不能包含逗号!";
  if (comment.find(',') != std::string::npos) return "客户名称中不能包含逗号!";
  // The camera would get a cut plate, and keep it as another plate.
  if (plate.size() > kPlateBytes) return "车牌号过长，最多31个字节!";
  // Cut, the camera would keep less than the operator typed.
  if (comment.size() > kCommentBytes) return "客户名称过长，最多63个字节!";
  return {};
}

CameraClientWhiteListRecord CDlgWlistInfo::BuildRecord(const std::string& plate, const std::string& comment) const {
  CameraClientWhiteListRecord record{};
  record.recordId = IsEditMode() ? m_context->recordId : 0;
  CopyTerminatedToField(record.plate, plate);
  // A new record's customer code is its plate; an edited one keeps the code it had.
  CopyTerminatedToField(record.customerCode, IsEditMode() ? m_context->texts[kWlistCodeColumn] : plate);
  CopyTerminatedToField(record.customerNumber, comment);
  record.enabled = IsOptionSelected(m_pOptEnable) ? 1 : 0;
  if (TimeIsSet(m_pDtStart, m_openedStart, kWlistCreateColumn)) {
    record.createTimeSet = 1;
    StoreTime(m_pDtStart, record.createTime);
  }
  if (TimeIsSet(m_pDtEnd, m_openedEnd, kWlistExpiryColumn)) {
    record.expiryTimeSet = 1;
    StoreTime(m_pDtEnd, record.expiryTime);
  }
  const int useSegments = IsOptionSelected(m_pOptUseSegments) ? 1 : 0;
  record.useTimeSegments = useSegments;
  record.segments.enabled = useSegments;
  if (m_pTimeseg != nullptr) UnpackTimeSegments(m_pTimeseg->GetSegments(), record.segments);
  record.alarm = IsOptionSelected(m_pOptAlarm) ? 1 : 0;
  record.plateColor = SelectedIndex(m_pCmbColor);
  record.plateType = SelectedIndex(m_pCmbType);
  return record;
}

bool CDlgWlistInfo::TimeIsSet(const CCalendarUI* calendar, const DateTimeValue& opened, int column) const {
  if (!IsEditMode() || !m_context->texts[static_cast<std::size_t>(column)].empty()) return true;
  return calendar != nullptr && !calendar->GetValue().IsSameTime(opened);
}

CDlgWlistInfo::Presence CDlgWlistInfo::AskCamera(const std::string& plate) {
  m_recordFound = false;
  if (m_handle != 0) CameraClient_SetWhiteListCallback(m_handle, OnWlistInfoRecord, this);
  const int result = CameraClient_QueryWhiteListByPlate(m_handle, plate.c_str());
  if (m_handle != 0) CameraClient_SetWhiteListCallback(m_handle, nullptr, nullptr);
  // "Present" counts only with the record that shows it.
  if (result == 0) return m_recordFound ? Presence::Present : Presence::Unknown;
  return result == 1 ? Presence::Absent : Presence::Unknown;
}

int CDlgWlistInfo::OnWlistInfoRecord(CameraClientHandle, void* user, const CameraClientWhiteListRecord* record) {
  if (record != nullptr && user != nullptr) static_cast<CDlgWlistInfo*>(user)->m_recordFound = true;
  return 0;
}

bool CDlgWlistInfo::SaveNew(const CameraClientWhiteListRecord& record, Presence presence) {
  if (presence == Presence::Unknown) return Fail(kAddFailed);
  if (presence == Presence::Present) {
    if (ui::UIMessageBox2(m_hWnd, "白名单已存在，确定要更新?") != 0) return true;
    if (!Import(record)) return Fail("更新白名单失败");
  } else if (!Import(record)) {
    return Fail(kAddFailed);
  }
  m_outcome->added = true;
  return true;
}

bool CDlgWlistInfo::SaveChange(const CameraClientWhiteListRecord& record, Presence presence) {
  if (DialogControlText(m_pEditPlate) != m_openedPlate) return Refuse();
  if (presence != Presence::Present || CameraClient_UpdateWhiteList(m_handle, &record) != 0) {
    return Fail(kChangeFailed);
  }
  std::string segments;
  m_segments.format(record.segments, segments);
  *m_context = WlistEditContext{record.recordId, MakeWlistRowTexts(record, segments), record.enabled != 0,
                                record.useTimeSegments != 0, record.alarm != 0};
  m_outcome->updated = true;
  return true;
}

bool CDlgWlistInfo::Import(const CameraClientWhiteListRecord& record) const {
  CameraClientWhiteListRecord copy = record;
  const CameraClientWhiteListEntry entry{0, &copy};
  CameraClientWhiteListEntry zeroed{};
  return CameraClient_ImportWhiteList(m_handle, 1, &entry, &zeroed) == 0;
}

bool CDlgWlistInfo::Refuse() {
  m_outcome->plateChangeRefused = true;
  ui::UIMessageBox(m_hWnd, "车牌号无法修改!");
  Close(IDCANCEL);
  return false;
}

bool CDlgWlistInfo::Fail(const char* notice) {
  ui::UIMessageBox(m_hWnd, notice);
  return false;
}
