#pragma once
// CDateTimeCtrlUI: a date and time picked with a year edit ("edit_year") and combo boxes for month,
// day, hour, minute and second ("cmb_month", "cmb_day", "cmb_hour", "cmb_minute", "cmb_second"),
// built from "DateTimeCtrl.xml" (layout class "DateTimeCtrl"). It keeps the day box as long as the
// chosen month: when the year text or the month changes, the day box gets exactly as many items
// ("01", "02", ...) as that month has days. A year outside 1900..2200 (or no number) counts as
// year 0; a month text that does not start with 1..12 empties the day box.

#include <cstdint>

#include "configtool/controls/NotifierLink.h"
#include "platform/ui/UIlib.h"

class CDateTimeCtrlUI : public ui::CContainerUI, public ui::INotifyUI {
 public:
  explicit CDateTimeCtrlUI(ui::CPaintManagerUI* manager);
  ~CDateTimeCtrlUI() override;

  void SetManager(ui::CPaintManagerUI* manager, ui::CControlUI* parent, bool init = true) override;
  void Notify(ui::TNotifyUI& msg) override;

  // The length of the month last computed (31 until the first change).
  std::uint16_t GetDayCount() const { return m_dayCount; }

 private:
  void RefreshDays();

  ui::CEditUI* m_pYear = nullptr;
  ui::CComboUI* m_pMonth = nullptr;
  ui::CComboUI* m_pDay = nullptr;
  ui::CComboUI* m_pHour = nullptr;
  ui::CComboUI* m_pMinute = nullptr;
  ui::CComboUI* m_pSecond = nullptr;
  std::uint16_t m_dayCount = 31;
  NotifierLink m_link{this};
};
