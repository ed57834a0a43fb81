#pragma once
// CEditWnd: the native edit window of a CEditUI while it is edited. It is a child of the field's
// paint window, of the class "EditWnd" with the emulated "Edit" as super class, so the text,
// caret and selection are the edit control's; this class ties it to its field. It closes itself
// when it loses the keyboard focus and deletes itself after its last message.

#include "platform/ui/controls/GdiColors.h"
#include "platform/ui/core/UIWindow.h"

namespace ui {

class CEditUI;

class CEditWnd : public CWindowWnd {
 public:
  // Creates the window over the owner's edit rectangle with the owner's text, font, limit,
  // password and read-only settings, selects all of it and gives it the keyboard focus.
  void Init(CEditUI* owner);
  CEditUI* GetOwner() const { return m_pOwner; }
  bool IsInitialized() const { return m_bInit; }
  // The owner is going away: forget it and destroy the window now.
  void DetachOwner();

 protected:
  const char* GetWindowClassName() const override;  // "EditWnd"
  const char* GetSuperClassName() const override;   // "Edit"
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hwnd) override;
  // The user changed the native text (EN_CHANGE): the owner takes it and sends "textchanged".
  virtual void OnEditChanged();

  CEditUI* m_pOwner = nullptr;
  bool m_bInit = false;
  HBRUSH m_hBkBrush = nullptr;
};

}  // namespace ui
