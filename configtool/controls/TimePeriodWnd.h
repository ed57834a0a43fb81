#pragma once
// CTimePeriodWnd: the pop-up of a CTimePeriodUI (487 x 228, below the field, or above it where the
// work area ends), built from "TimePeriodWnd.xml": the time-period picker ("period_picker"), the
// text of its selected period ("period_edit") and "btn_set", which hands the drawn schedule to
// the field and closes. It opens without taking the focus and stays open when it loses it;
// Escape discards the drawing. It deletes itself after its last message.

#include "platform/ui/UIlib.h"

class CTimePeriodUI;
class CTimePeriodPickerUI;

class CTimePeriodWnd : public ui::CWindowWnd, public ui::INotifyUI, public ui::IMessageFilterUI {
 public:
  static constexpr int kWidth = 487;
  static constexpr int kHeight = 228;

  // Creates and shows the pop-up for `owner` with the owner's schedule on the picker; false when
  // the window could not be made.
  bool Init(CTimePeriodUI* owner);
  // The owner is going away: forget it and destroy the window now.
  void DetachOwner();
  // The owner moved: the pop-up goes along.
  void MoveToOwner();
  // The owner's schedule changed while the pop-up is open: the picker shows it.
  void OwnerSegmentsChanged();

  void Notify(ui::TNotifyUI& msg) override;
  LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 protected:
  const char* GetWindowClassName() const override;  // "CTimePeriodWnd"
  UINT GetClassStyle() const override;              // CS_DBLCLKS
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hwnd) override;

 private:
  void Bind();
  void WriteBack();

  ui::CPaintManagerUI m_pm;
  CTimePeriodUI* m_pOwner = nullptr;
  CTimePeriodPickerUI* m_pPicker = nullptr;
  ui::CControlUI* m_pBtnSet = nullptr;
};
