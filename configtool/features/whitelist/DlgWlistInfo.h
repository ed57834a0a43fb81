#pragma once
// CDlgWlistInfo: the form that adds one whitelist record to the open camera, or edits the one the
// manager lends it (WlistEditContext). "btn_save" checks the form, asks the camera whether it holds
// the plate, and writes; the form closes only when the camera took the record, or the operator
// declined to replace an existing one. An edit cannot change the plate (the camera keys records on
// it): trying closes the form with "车牌号无法修改!" and writes nothing.

#include <atomic>
#include <string>

#include "cameraclient/CameraClient.h"
#include "configtool/controls/DateTimeValue.h"
#include "configtool/features/whitelist/WlistEditContext.h"
#include "configtool/features/whitelist/WlistSegmentCodec.h"
#include "platform/ui/UIlib.h"

class CCalendarUI;
class CTimePeriodUI;

class CDlgWlistInfo : public ui::CDialogWnd, public ui::INotifyUI {
 public:
  // `context` null: add mode. The context and the outcome are the manager's and outlive the form.
  CDlgWlistInfo(CameraClientHandle handle, WlistEditContext* context, WlistDialogOutcome* outcome);
  ~CDlgWlistInfo() override;

  void BindControls() override;
  void Notify(ui::TNotifyUI& msg) override;

  // True when the form may close.
  bool SaveRecord();

 private:
  // What the camera says of a plate.
  enum class Presence { Present, Absent, Unknown };

  bool IsEditMode() const { return m_context != nullptr; }
  void ShowToday();
  void ShowContext();
  // The first fault of the form's texts (a notice), or empty when they can be saved.
  std::string CheckTexts(const std::string& plate, const std::string& comment) const;
  CameraClientWhiteListRecord BuildRecord(const std::string& plate, const std::string& comment) const;
  // Whether a time goes into the record: always when adding; when editing, unless the row had
  // none and the operator left its calendar as it opened.
  bool TimeIsSet(const CCalendarUI* calendar, const DateTimeValue& opened, int column) const;
  Presence AskCamera(const std::string& plate);
  bool SaveNew(const CameraClientWhiteListRecord& record, Presence presence);
  bool SaveChange(const CameraClientWhiteListRecord& record, Presence presence);
  bool Import(const CameraClientWhiteListRecord& record) const;
  bool Refuse();
  bool Fail(const char* notice);
  static int OnWlistInfoRecord(CameraClientHandle handle, void* user, const CameraClientWhiteListRecord* record);

  const CameraClientHandle m_handle;
  WlistEditContext* const m_context;
  WlistDialogOutcome* const m_outcome;
  const WlistSegmentCodec m_segments = WlistTimeSegmentCodec();
  std::string m_openedPlate;
  DateTimeValue m_openedStart;
  DateTimeValue m_openedEnd;
  // Set on a library thread when the camera delivers the record of the plate asked.
  std::atomic<bool> m_recordFound{false};

  ui::CEditUI* m_pEditPlate = nullptr;
  ui::CComboUI* m_pCmbType = nullptr;
  ui::COptionUI* m_pOptEnable = nullptr;
  ui::CComboUI* m_pCmbColor = nullptr;
  CCalendarUI* m_pDtStart = nullptr;
  CCalendarUI* m_pDtEnd = nullptr;
  ui::COptionUI* m_pOptUseSegments = nullptr;
  ui::COptionUI* m_pOptAlarm = nullptr;
  ui::CEditUI* m_pEditComment = nullptr;
  ui::CButtonUI* m_pBtnSave = nullptr;
  ui::CButtonUI* m_pBtnCancel = nullptr;
  ui::CControlUI* m_pTitle = nullptr;
  CTimePeriodUI* m_pTimeseg = nullptr;
};
