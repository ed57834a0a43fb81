#pragma once
// CButtonUI: a label that reacts to the mouse and the keyboard. A press and a release inside it (or
// Return / Space while it has the focus) send "click". It shows a state image (normal, hot, pushed,
// focused, disabled) and a text colour per state.

#include "platform/ui/controls/UILabel.h"

namespace ui {

class CButtonUI : public CLabelUI {
 public:
  const char* GetClass() const override;          // "ButtonUI"
  void* GetInterface(const char* name) override;  // "Button"
  UINT GetControlFlags() const override;
  // Sends "click"; false when the button is hidden or disabled.
  bool Activate() override;
  void SetEnabled(bool enabled = true) override;
  void DoEvent(TEventUI& event) override;
  void SetAttribute(const char* name, const char* value) override;

  const CDuiString& GetNormalImage() const { return m_sNormalImage; }
  void SetNormalImage(const char* image);
  const CDuiString& GetHotImage() const { return m_sHotImage; }
  void SetHotImage(const char* image);
  const CDuiString& GetPushedImage() const { return m_sPushedImage; }
  void SetPushedImage(const char* image);
  const CDuiString& GetFocusedImage() const { return m_sFocusedImage; }
  void SetFocusedImage(const char* image);
  const CDuiString& GetDisabledImage() const { return m_sDisabledImage; }
  void SetDisabledImage(const char* image);
  void SetHotTextColor(DWORD color);
  DWORD GetHotTextColor() const { return m_dwHotTextColor; }
  void SetPushedTextColor(DWORD color);
  DWORD GetPushedTextColor() const { return m_dwPushedTextColor; }
  void SetFocusedTextColor(DWORD color);
  DWORD GetFocusedTextColor() const { return m_dwFocusedTextColor; }
  void SetHotBkColor(DWORD color);
  void SetPushedBkColor(DWORD color);

  // UISTATE_* bits of the mouse state (hot, pushed, captured).
  UINT GetButtonState() const { return m_uButtonState; }

  void PaintBkColor(HDC hDC) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;

 protected:
  // The press went down inside the button; returns false to refuse it.
  virtual bool OnPress(TEventUI& event);
  // The pressed button was released; `inside` tells whether the pointer is still over it.
  virtual void OnRelease(TEventUI& event, bool inside);
  // Draws the first of the images that exists and loads; an image that fails to load is forgotten.
  bool DrawFirstImage(HDC hDC, CDuiString* const* images, int count);

  UINT m_uButtonState = 0;
  CDuiString m_sNormalImage;
  CDuiString m_sHotImage;
  CDuiString m_sPushedImage;
  CDuiString m_sFocusedImage;
  CDuiString m_sDisabledImage;
  DWORD m_dwHotTextColor = 0;
  DWORD m_dwPushedTextColor = 0;
  DWORD m_dwFocusedTextColor = 0;
  DWORD m_dwHotBkColor = 0;
  DWORD m_dwPushedBkColor = 0;
};

}  // namespace ui
