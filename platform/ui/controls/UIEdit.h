#pragma once
// CEditUI: a single-line text field. While it has the focus a native edit window (CEditWnd, of the
// emulated class "Edit") lies over its text area and takes the user's typing; every user edit ends
// in "textchanged" from the field. SetText from code changes the text (and the open edit window's)
// without a notification.

#include "platform/ui/controls/UILabel.h"

namespace ui {

class CEditWnd;

class CEditUI : public CLabelUI {
 public:
  CEditUI();
  ~CEditUI() override;

  const char* GetClass() const override;          // "EditUI"
  void* GetInterface(const char* name) override;  // "Edit"
  UINT GetControlFlags() const override;

  void SetText(const char* text) override;
  void SetEnabled(bool enabled = true) override;
  void SetVisible(bool visible = true) override;
  void SetInternVisible(bool visible = true) override;
  void SetPos(RECT rc, bool needInvalidate = true) override;
  void DoEvent(TEventUI& event) override;
  void SetAttribute(const char* name, const char* value) override;

  // The most bytes the user may type (255 by default); an open edit window follows.
  UINT GetMaxChar() const { return m_uMaxChar; }
  void SetMaxChar(UINT maxChar);
  bool IsReadOnly() const { return m_bReadOnly; }
  void SetReadOnly(bool readOnly);
  bool IsPasswordMode() const { return m_bPasswordMode; }
  void SetPasswordMode(bool passwordMode);
  char GetPasswordChar() const { return m_cPasswordChar; }
  void SetPasswordChar(char passwordChar);
  // The background of the open edit window ("nativebkcolor"); 0 leaves it white.
  DWORD GetNativeEditBkColor() const { return m_dwEditBkColor; }
  void SetNativeEditBkColor(DWORD color);

  void SetNormalImage(const char* image);
  void SetHotImage(const char* image);
  void SetFocusedImage(const char* image);
  void SetDisabledImage(const char* image);

  // Sends "textchanged" from the field (the edit window calls it after a user edit).
  void NotifyEditChanged();

  // The open edit window's handle, or nullptr.
  HWND GetEditWindow() const;
  // Where the edit window lies: the text area less the padding, as high as one line of the font
  // and centred vertically in it.
  RECT GetEditPos() const;

  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;

 protected:
  friend class CEditWnd;

  // Opens the edit window over the field when none is open (the field must have a window).
  virtual void CreateEditWindow();

  CEditWnd* m_pWindow = nullptr;
  UINT m_uMaxChar = 255;
  bool m_bReadOnly = false;
  bool m_bPasswordMode = false;
  char m_cPasswordChar = '*';
  UINT m_uButtonState = 0;
  CDuiString m_sNormalImage;
  CDuiString m_sHotImage;
  CDuiString m_sFocusedImage;
  CDuiString m_sDisabledImage;
  DWORD m_dwEditBkColor = 0;
};

}  // namespace ui
