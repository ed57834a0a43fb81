#pragma once
// CMaskedEditWnd: the native edit window over a masked edit field while it is edited (CEditEXWnd,
// CEditEX1Wnd). It is a child of the field's paint window and takes the emulated "Edit" control's
// caret, selection and painting, but edits the text itself: a digit is written over the digit at
// the caret (separators are stepped over), every other character, Backspace and Delete are
// refused, cut only copies and paste types the digits it carries. So the text keeps the form's
// fixed layout. A click selects the field that holds the caret, a double click the field under
// the pointer. It closes itself when it loses the keyboard focus, and deletes itself after its
// last message; a field that goes away first detaches itself, so the window never writes to it.

#include <string_view>

#include "platform/ui/UIlib.h"

class CMaskedEditUI;

class CMaskedEditWnd : public ui::CWindowWnd {
 public:
  // Creates the window over the owner's edit rectangle with its text, font and settings, shows it
  // without activating and gives it the keyboard focus.
  void Init(CMaskedEditUI* owner);
  // The owner is going away: forget it and destroy the window now.
  void DetachOwner();

 protected:
  const char* GetSuperClassName() const override;  // "Edit"
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hwnd) override;

 private:
  LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnChar(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnColor(WPARAM wParam);
  // Types `digits` at the start of the selection, then hands the text to the owner.
  void TypeDigits(std::string_view digits);
  void Paste();
  void SelectFieldAt(std::size_t index);
  // The text changed: the owner takes it if it gives a valid value.
  void OnTextChanged();

  CMaskedEditUI* m_pOwner = nullptr;
  HBRUSH m_hBkBrush = nullptr;
  bool m_bInit = false;
};
