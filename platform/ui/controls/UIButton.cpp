#include "platform/ui/controls/UIButton.h"

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIAttributes.h"
#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

const bool g_registered = CControlFactory::Register("Button", [](CPaintManagerUI*) { return new CButtonUI; });

void SetImage(CControlUI* control, CDuiString* member, const char* image) {
  if (*member == image) return;
  *member = image;
  control->Invalidate();
}

void SetColor(CControlUI* control, DWORD* member, DWORD color) {
  if (*member == color) return;
  *member = color;
  control->Invalidate();
}

}  // namespace

const char* CButtonUI::GetClass() const { return "ButtonUI"; }

void* CButtonUI::GetInterface(const char* name) {
  if (IsName(name, "Button")) return this;
  return CLabelUI::GetInterface(name);
}

UINT CButtonUI::GetControlFlags() const { return (IsKeyboardEnabled() ? UIFLAG_TABSTOP : 0) | (IsEnabled() ? UIFLAG_SETCURSOR : 0); }

bool CButtonUI::Activate() {
  if (!CLabelUI::Activate()) return false;
  if (m_pManager != nullptr) m_pManager->SendNotify(this, "click");
  return true;
}

void CButtonUI::SetEnabled(bool enabled) {
  CLabelUI::SetEnabled(enabled);
  if (!IsEnabled()) m_uButtonState = 0;
}

void CButtonUI::DoEvent(TEventUI& event) {
  if (PassMouseToParent(*this, event)) return;
  if (TrackHotState(*this, m_uButtonState, event)) return;
  const bool inside = PointInRect(m_rcItem, event.ptMouse);
  switch (event.Type) {
    case UIEVENT_KEYDOWN:
      if (IsKeyboardEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) Activate();
      return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (inside && IsEnabled() && OnPress(event)) {
        m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        Invalidate();
      }
      return;
    case UIEVENT_MOUSEMOVE:
      if ((m_uButtonState & UISTATE_CAPTURED) != 0) {
        const UINT pushed = inside ? UISTATE_PUSHED : 0;
        if ((m_uButtonState & UISTATE_PUSHED) != pushed) {
          m_uButtonState = (m_uButtonState & ~UISTATE_PUSHED) | pushed;
          Invalidate();
        }
      }
      return;
    case UIEVENT_BUTTONUP:
      if ((m_uButtonState & UISTATE_CAPTURED) != 0) {
        m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        Invalidate();
        OnRelease(event, inside);  // may close the window; nothing of this is touched afterwards
      }
      return;
    case UIEVENT_SETCURSOR:
      ::ui::SetCursor(LoadCursor(nullptr, IDC_HAND));
      return;
    default:
      CLabelUI::DoEvent(event);
      return;
  }
}

bool CButtonUI::OnPress(TEventUI&) { return true; }

void CButtonUI::OnRelease(TEventUI&, bool inside) {
  if (inside) Activate();
}

void CButtonUI::SetAttribute(const char* name, const char* value) {
  if (IsName(name, "normalimage")) {
    SetNormalImage(value);
  } else if (IsName(name, "hotimage")) {
    SetHotImage(value);
  } else if (IsName(name, "pushedimage")) {
    SetPushedImage(value);
  } else if (IsName(name, "focusedimage")) {
    SetFocusedImage(value);
  } else if (IsName(name, "disabledimage")) {
    SetDisabledImage(value);
  } else if (IsName(name, "hottextcolor")) {
    SetHotTextColor(ParseColorAttribute(value));
  } else if (IsName(name, "pushedtextcolor")) {
    SetPushedTextColor(ParseColorAttribute(value));
  } else if (IsName(name, "focusedtextcolor")) {
    SetFocusedTextColor(ParseColorAttribute(value));
  } else if (IsName(name, "hotbkcolor")) {
    SetHotBkColor(ParseColorAttribute(value));
  } else if (IsName(name, "pushedbkcolor")) {
    SetPushedBkColor(ParseColorAttribute(value));
  } else {
    CLabelUI::SetAttribute(name, value);
  }
}

void CButtonUI::SetNormalImage(const char* image) { SetImage(this, &m_sNormalImage, image); }
void CButtonUI::SetHotImage(const char* image) { SetImage(this, &m_sHotImage, image); }
void CButtonUI::SetPushedImage(const char* image) { SetImage(this, &m_sPushedImage, image); }
void CButtonUI::SetFocusedImage(const char* image) { SetImage(this, &m_sFocusedImage, image); }
void CButtonUI::SetDisabledImage(const char* image) { SetImage(this, &m_sDisabledImage, image); }
void CButtonUI::SetHotTextColor(DWORD color) { SetColor(this, &m_dwHotTextColor, color); }
void CButtonUI::SetPushedTextColor(DWORD color) { SetColor(this, &m_dwPushedTextColor, color); }
void CButtonUI::SetFocusedTextColor(DWORD color) { SetColor(this, &m_dwFocusedTextColor, color); }
void CButtonUI::SetHotBkColor(DWORD color) { SetColor(this, &m_dwHotBkColor, color); }
void CButtonUI::SetPushedBkColor(DWORD color) { SetColor(this, &m_dwPushedBkColor, color); }

void CButtonUI::PaintBkColor(HDC hDC) {
  DWORD color = 0;
  if (IsEnabled() && (m_uButtonState & UISTATE_PUSHED) != 0) color = m_dwPushedBkColor;
  if (color == 0 && IsEnabled() && (m_uButtonState & (UISTATE_HOT | UISTATE_PUSHED)) != 0) color = m_dwHotBkColor;
  if (color == 0) {
    CLabelUI::PaintBkColor(hDC);
    return;
  }
  CRenderEngine::DrawColor(hDC, m_rcItem, color);
}

bool CButtonUI::DrawFirstImage(HDC hDC, CDuiString* const* images, int count) {
  for (int i = 0; i < count; ++i) {
    CDuiString& image = *images[i];
    if (image.IsEmpty()) continue;
    if (DrawImage(hDC, image)) return true;
    image.Empty();
  }
  return false;
}

void CButtonUI::PaintStatusImage(HDC hDC) {
  CDuiString* candidates[2] = {nullptr, &m_sNormalImage};
  if (!IsEnabled()) {
    candidates[0] = &m_sDisabledImage;
  } else if ((m_uButtonState & UISTATE_PUSHED) != 0) {
    candidates[0] = &m_sPushedImage;
  } else if ((m_uButtonState & UISTATE_HOT) != 0) {
    candidates[0] = &m_sHotImage;
  } else if (IsFocused()) {
    candidates[0] = &m_sFocusedImage;
  }
  if (candidates[0] != nullptr) {
    DrawFirstImage(hDC, candidates, 2);
  } else {
    DrawFirstImage(hDC, candidates + 1, 1);
  }
}

void CButtonUI::PaintText(HDC hDC) {
  if (!IsEnabled()) {
    CLabelUI::PaintText(hDC);
    return;
  }
  DWORD color = 0;
  if ((m_uButtonState & UISTATE_PUSHED) != 0) color = m_dwPushedTextColor;
  if (color == 0 && (m_uButtonState & (UISTATE_HOT | UISTATE_PUSHED)) != 0) color = m_dwHotTextColor;
  if (color == 0 && IsFocused()) color = m_dwFocusedTextColor;
  DrawLabelText(hDC, color != 0 ? color : m_dwTextColor);
}

}  // namespace ui
