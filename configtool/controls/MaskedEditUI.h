#pragma once
// CMaskedEditUI: the base of the masked date-time edit fields (CEditEXUI, CEditEX1UI). The field
// holds a DateTimeValue and shows it in its text form (MaskedTextForm); the value is always valid.
// While the operator edits, a native edit window (CMaskedEditWnd) lies over the field and takes
// digits into fixed places. The value follows the typed text whenever that text gives a valid
// value, and only then does the field tell its window with "textchanged". Return, Up and Down in
// the edit window send "edit_vk" with the key code.
//
// The edit window exists only while the field has the focus: it opens on a press of the focused
// field and ends when it loses the keyboard focus, the field loses the focus, is hidden, disabled
// or destroyed.

#include <string>

#include "configtool/controls/DateTimeValue.h"
#include "configtool/controls/MaskedTextForm.h"
#include "platform/ui/UIlib.h"

class CMaskedEditWnd;

class CMaskedEditUI : public ui::CLabelUI {
 public:
  ~CMaskedEditUI() override;

  UINT GetControlFlags() const override;
  void SetPos(RECT rc, bool needInvalidate = true) override;
  void DoEvent(ui::TEventUI& event) override;
  void SetAttribute(const char* name, const char* value) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;
  // A text of the field's form sets the value (and the text shows it as formatted); any other text
  // changes nothing, so the field never shows what it does not hold.
  void SetText(const char* text) override;
  void SetVisible(bool visible = true) override;
  void SetInternVisible(bool visible = true) override;
  void SetEnabled(bool enabled = true) override;

  const DateTimeValue& GetValue() const { return m_value; }
  // Takes a valid value and shows it (an open edit window too); false leaves the field as it was.
  bool SetValue(const DateTimeValue& value);

  virtual const MaskedTextForm& TextForm() const = 0;
  UINT GetMaxChar() const { return m_uMaxChar; }
  bool IsReadOnly() const { return m_bReadOnly; }
  bool IsPasswordMode() const { return m_bPasswordMode; }
  char GetPasswordChar() const { return m_cPasswordChar; }
  // The "nativebkcolor" text, resolved through the style manager where it is used.
  const ui::CDuiString& GetNativeBkColor() const { return m_sNativeBkColor; }
  // The open edit window, or nullptr.
  HWND GetEditWindow() const;
  // The control's rectangle less its text padding, as high as the font and centred in it.
  RECT GetEditPos() const;

 protected:
  friend class CMaskedEditWnd;

  CMaskedEditUI();
  // Shows the value in the field's text form (the derived constructors call it).
  void ShowValue();
  virtual CMaskedEditWnd* NewEditWindow() const = 0;

 private:
  // The edit window's text after the operator typed: a text that gives another valid value
  // becomes the value and sends "textchanged"; anything else changes nothing.
  void TakeTypedText(const std::string& text);
  void SendEditKey(WPARAM key);
  void OpenEditWindow();
  void PlaceCaret(POINT paintPoint);
  void CloseEditWindow();

  CMaskedEditWnd* m_pWindow = nullptr;
  UINT m_uMaxChar = 255;
  bool m_bReadOnly = false;
  bool m_bPasswordMode = false;
  char m_cPasswordChar = '*';
  UINT m_uButtonState = 0;
  ui::CDuiString m_sNormalImage;
  ui::CDuiString m_sHotImage;
  ui::CDuiString m_sFocusedImage;
  ui::CDuiString m_sDisabledImage;
  ui::CDuiString m_sNativeBkColor = "0xFFFFFFFF";
  DateTimeValue m_value;
};
