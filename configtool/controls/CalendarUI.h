#pragma once
// CCalendarUI: the date-and-time field of the tool's dialogs (layout class "Calendar"). It is built
// from "Calendar.xml", which holds a masked date-time edit ("EditEX", class "EditEX") and a
// drop-down calendar button ("DateTimeUI1", class "JqDateTime"), and keeps one DateTimeValue that
// both show: whichever the operator changes, the other and the calendar's value follow. The value
// is valid from construction on (the current time) and only valid values replace it.
//
// A layout that lacks a child, or holds another class under its name, leaves that child out; the
// value still works.

#include "configtool/controls/DateTimeValue.h"
#include "configtool/controls/NotifierLink.h"
#include "platform/ui/UIlib.h"

class CEditEXUI;
class CJqDateTimeUI;

class CCalendarUI : public ui::CContainerUI, public ui::INotifyUI {
 public:
  explicit CCalendarUI(ui::CPaintManagerUI* manager);
  ~CCalendarUI() override;

  // Binds the children and listens to the window once attached to it with `init`.
  void SetManager(ui::CPaintManagerUI* manager, ui::CControlUI* parent, bool init = true) override;
  void Notify(ui::TNotifyUI& msg) override;

  // Sets the value from its parts (month 1..12) when they make a valid value, and shows the
  // calendar's value in both children either way. True when the parts were taken.
  bool SetDateTime(int year, int month, int day, int hour, int minute, int second);
  const DateTimeValue& GetValue() const { return m_value; }

 private:
  void ShowValue();

  DateTimeValue m_value;
  CEditEXUI* m_pEdit = nullptr;
  CJqDateTimeUI* m_pPicker = nullptr;
  NotifierLink m_link{this};
};
