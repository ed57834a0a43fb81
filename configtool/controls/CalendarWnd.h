#pragma once
// CCalendarWnd: the drop-down of a CJqDateTimeUI, a borderless pop-up (168 x 214) below the button,
// or above it where the work area ends, built from "CDateTimeUI.xml". It shows a month grid with
// month and year steps, the day as "yyyy-mm-dd" ("edtCurrent") and the time of day ("EditEXDate").
// "SetDate" writes the picked date and the typed time into the button and sends "textchanged"
// from it; Escape, or another window taking the activation, closes it without a change. It
// deletes itself after its last message.

#include "configtool/controls/DateTimeValue.h"
#include "platform/ui/UIlib.h"

class CJqDateTimeUI;
class CEditEX1UI;

class CCalendarWnd : public ui::CWindowWnd, public ui::INotifyUI, public ui::IMessageFilterUI {
 public:
  static constexpr int kWidth = 168;
  static constexpr int kHeight = 214;

  // Creates the window for `owner` (once; later calls only keep the owner). False when the window
  // could not be made, for example when the owner has no window.
  bool Init(CJqDateTimeUI* owner);
  // The owner is going away: forget it and destroy the window now.
  void DetachOwner();

  void Notify(ui::TNotifyUI& msg) override;
  LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 protected:
  const char* GetWindowClassName() const override;  // "CCalendarWnd"
  UINT GetClassStyle() const override;              // CS_DBLCLKS
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hwnd) override;
  // Return does nothing (0); Escape closes the pop-up (1).
  virtual LRESULT OnDialogKey(WPARAM key);

 private:
  void Bind();
  void OnClick(ui::CControlUI* sender);
  void Confirm();
  void BuildMonthGrid();
  ui::CControlUI* NewDayCell(const DateTimeValue& date) const;

  ui::CPaintManagerUI m_pm;
  CJqDateTimeUI* m_pOwner = nullptr;
  ui::CControlUI* m_pBtnPreMonth = nullptr;
  ui::CControlUI* m_pBtnNextMonth = nullptr;
  ui::CControlUI* m_pBtnPreYear = nullptr;
  ui::CControlUI* m_pBtnNextYear = nullptr;
  ui::CControlUI* m_pSetDate = nullptr;
  ui::CControlUI* m_pCurrent = nullptr;
  ui::CContainerUI* m_pDay = nullptr;
  CEditEX1UI* m_pTime = nullptr;
  DateTimeValue m_shown;   // the month on display, with the picked day
  DateTimeValue m_picked;  // the day drawn as picked
};
