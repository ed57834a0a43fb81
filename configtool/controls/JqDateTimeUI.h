#pragma once
// CJqDateTimeUI: a button that holds a date and time and, when pressed, drops down CCalendarWnd,
// a month grid with a time field and a confirm button (layout class "JqDateTime"). Confirming
// writes the picked date and time into the button's value and sends "textchanged" from the button.
// The value starts as the current time and is always valid.

#include "configtool/controls/DateTimeValue.h"
#include "platform/ui/UIlib.h"

class CCalendarWnd;

class CJqDateTimeUI : public ui::CButtonUI {
 public:
  CJqDateTimeUI();
  // Destroys an open pop-up at once; it never writes to a button that is gone.
  ~CJqDateTimeUI() override;

  const char* GetClass() const override;          // "DateTimeUI"
  void* GetInterface(const char* name) override;  // "DateTime"
  void DoEvent(ui::TEventUI& event) override;

  const DateTimeValue& GetValue() const { return m_value; }
  // Takes a valid value; false leaves the value as it was.
  bool SetValue(const DateTimeValue& value);
  // The open pop-up's window, or nullptr.
  HWND GetPopupWindow() const;

 private:
  friend class CCalendarWnd;

  void OpenPopup();

  DateTimeValue m_value;
  CCalendarWnd* m_pPopup = nullptr;
};
