#include "platform/ui/controls/UIEdit.h"

#include <algorithm>
#include <cstdlib>

#include "platform/os/Charset.h"
#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/controls/UIEditWnd.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIAttributes.h"
#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

const bool g_registered = CControlFactory::Register("Edit", [](CPaintManagerUI*) { return new CEditUI; });

// One password character per character of the text; a double-byte character counts once.
std::string Masked(const std::string& text, char passwordChar) {
  std::string masked;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (os::IsGbkLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ++i;
    masked.push_back(passwordChar);
  }
  return masked;
}

}  // namespace

CEditUI::CEditUI() { m_rcTextPadding = RECT{4, 3, 4, 3}; }

CEditUI::~CEditUI() {
  if (m_pWindow != nullptr) m_pWindow->DetachOwner();
}

const char* CEditUI::GetClass() const { return "EditUI"; }

void* CEditUI::GetInterface(const char* name) {
  if (IsName(name, "Edit")) return this;
  return CLabelUI::GetInterface(name);
}

UINT CEditUI::GetControlFlags() const {
  if (!IsEnabled()) return CLabelUI::GetControlFlags();
  return UIFLAG_SETCURSOR | UIFLAG_TABSTOP;
}

HWND CEditUI::GetEditWindow() const { return m_pWindow != nullptr ? m_pWindow->GetHWND() : nullptr; }

void CEditUI::SetText(const char* text) {
  m_sText = text != nullptr ? text : "";
  if (m_pWindow != nullptr) SetWindowText(m_pWindow->GetHWND(), m_sText);
  Invalidate();
}

void CEditUI::SetEnabled(bool enabled) {
  CLabelUI::SetEnabled(enabled);
  if (!IsEnabled()) m_uButtonState = 0;
  // A field disabled by code takes no more typing in its open edit window.
  if (m_pWindow != nullptr) EnableWindow(m_pWindow->GetHWND(), IsEnabled());
}

void CEditUI::SetVisible(bool visible) {
  CLabelUI::SetVisible(visible);
  if (!IsVisible() && m_pWindow != nullptr && m_pManager != nullptr) m_pManager->SetFocus(nullptr);
}

void CEditUI::SetInternVisible(bool visible) {
  CLabelUI::SetInternVisible(visible);
  if (!IsVisible() && m_pWindow != nullptr && m_pManager != nullptr) m_pManager->SetFocus(nullptr);
}

void CEditUI::SetPos(RECT rc, bool needInvalidate) {
  CLabelUI::SetPos(rc, needInvalidate);
  if (m_pWindow == nullptr) return;
  const RECT pos = GetEditPos();
  SetWindowPos(m_pWindow->GetHWND(), nullptr, pos.left, pos.top, RectWidth(pos), RectHeight(pos),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT CEditUI::GetEditPos() const {
  return EditLineRect(m_rcItem, m_rcTextPadding, m_pManager != nullptr ? m_pManager->GetFontHeight(m_iFont) : 0);
}

void CEditUI::CreateEditWindow() {
  if (m_pWindow != nullptr || m_pManager == nullptr || m_pManager->GetPaintWindow() == nullptr) return;
  m_pWindow = new CEditWnd;
  CEditWnd* window = m_pWindow;
  window->Init(this);
  if (window->GetHWND() == nullptr) {
    delete window;
    m_pWindow = nullptr;
  }
  Invalidate();
}

void CEditUI::DoEvent(TEventUI& event) {
  if (PassMouseToParent(*this, event)) return;
  if (TrackHotState(*this, m_uButtonState, event)) return;
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      if (IsEnabled()) {
        ::ui::SetCursor(LoadCursor(nullptr, IDC_IBEAM));
        return;
      }
      break;
    case UIEVENT_SCROLLWHEEL:
      if (m_pWindow != nullptr) return;
      break;
    case UIEVENT_SETFOCUS:
      CLabelUI::DoEvent(event);
      if (IsEnabled()) CreateEditWindow();
      return;
    case UIEVENT_KILLFOCUS:
      if (m_pWindow != nullptr) m_pWindow->Close();
      CLabelUI::DoEvent(event);
      return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
    case UIEVENT_RBUTTONDOWN:
      if (!IsEnabled()) return;
      if (m_pManager != nullptr) m_pManager->ReleaseCapture();
      if (IsFocused() && m_pWindow == nullptr) CreateEditWindow();
      if (m_pWindow != nullptr && PointInRect(m_rcItem, event.ptMouse)) {
        // The press landed on the padding around the edit window: put the caret at its x.
        POINT pt = event.ptMouse;
        const RECT pos = GetEditPos();
        pt.x -= pos.left;
        pt.y = 0;
        const LRESULT index = m_pWindow->SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y));
        m_pWindow->SendMessage(EM_SETSEL, LOWORD(static_cast<std::uintptr_t>(index)), LOWORD(static_cast<std::uintptr_t>(index)));
      }
      return;
    case UIEVENT_MOUSEMOVE:
    case UIEVENT_BUTTONUP:
    case UIEVENT_CONTEXTMENU:
      return;
    default:
      break;
  }
  CLabelUI::DoEvent(event);
}

void CEditUI::SetAttribute(const char* name, const char* value) {
  if (IsName(name, "readonly")) {
    SetReadOnly(ParseBoolAttribute(value));
  } else if (IsName(name, "password")) {
    SetPasswordMode(ParseBoolAttribute(value));
  } else if (IsName(name, "maxchar")) {
    SetMaxChar(static_cast<UINT>(std::max(0, std::atoi(value))));
  } else if (IsName(name, "normalimage")) {
    SetNormalImage(value);
  } else if (IsName(name, "hotimage")) {
    SetHotImage(value);
  } else if (IsName(name, "focusedimage")) {
    SetFocusedImage(value);
  } else if (IsName(name, "disabledimage")) {
    SetDisabledImage(value);
  } else if (IsName(name, "nativebkcolor")) {
    SetNativeEditBkColor(ParseColorAttribute(value));
  } else {
    CLabelUI::SetAttribute(name, value);
  }
}

void CEditUI::SetMaxChar(UINT maxChar) {
  m_uMaxChar = maxChar;
  if (m_pWindow != nullptr) m_pWindow->SendMessage(EM_LIMITTEXT, m_uMaxChar);
}

void CEditUI::SetReadOnly(bool readOnly) {
  if (m_bReadOnly == readOnly) return;
  m_bReadOnly = readOnly;
  if (m_pWindow != nullptr) m_pWindow->SendMessage(EM_SETREADONLY, m_bReadOnly ? 1 : 0);
  Invalidate();
}

void CEditUI::SetPasswordMode(bool passwordMode) {
  if (m_bPasswordMode == passwordMode) return;
  m_bPasswordMode = passwordMode;
  if (m_pWindow != nullptr) {
    m_pWindow->SendMessage(EM_SETPASSWORDCHAR, m_bPasswordMode ? static_cast<unsigned char>(m_cPasswordChar) : 0);
  }
  Invalidate();
}

void CEditUI::SetPasswordChar(char passwordChar) {
  if (m_cPasswordChar == passwordChar) return;
  m_cPasswordChar = passwordChar;
  if (m_pWindow != nullptr && m_bPasswordMode) {
    m_pWindow->SendMessage(EM_SETPASSWORDCHAR, static_cast<unsigned char>(m_cPasswordChar));
  }
  Invalidate();
}

void CEditUI::SetNativeEditBkColor(DWORD color) { m_dwEditBkColor = color; }

void CEditUI::SetNormalImage(const char* image) {
  m_sNormalImage = image;
  Invalidate();
}

void CEditUI::SetHotImage(const char* image) {
  m_sHotImage = image;
  Invalidate();
}

void CEditUI::SetFocusedImage(const char* image) {
  m_sFocusedImage = image;
  Invalidate();
}

void CEditUI::SetDisabledImage(const char* image) {
  m_sDisabledImage = image;
  Invalidate();
}

void CEditUI::NotifyEditChanged() {
  if (m_pManager != nullptr) m_pManager->SendNotify(this, "textchanged");
}

void CEditUI::PaintStatusImage(HDC hDC) {
  CDuiString* image = nullptr;
  if (!IsEnabled()) {
    image = &m_sDisabledImage;
  } else if (IsFocused()) {
    image = &m_sFocusedImage;
  } else if ((m_uButtonState & UISTATE_HOT) != 0) {
    image = &m_sHotImage;
  }
  if (image != nullptr && !image->IsEmpty()) {
    if (DrawImage(hDC, *image)) return;
    image->Empty();
  }
  if (!m_sNormalImage.IsEmpty() && !DrawImage(hDC, m_sNormalImage)) m_sNormalImage.Empty();
}

void CEditUI::PaintText(HDC hDC) {
  if (m_sText.IsEmpty() || m_pWindow != nullptr) return;
  DWORD color = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
  if (color == 0 && m_pManager != nullptr) {
    color = IsEnabled() ? m_pManager->GetDefaultFontColor() : m_pManager->GetDefaultDisabledColor();
  }
  const std::string shown = m_bPasswordMode ? Masked(m_sText.Str(), m_cPasswordChar) : m_sText.Str();
  RECT rc = DeflateRect(m_rcItem, m_rcTextPadding);
  const Font* font = m_pManager != nullptr ? m_pManager->GetFont(m_iFont) : nullptr;
  CRenderEngine::DrawText(hDC, font, rc, shown, color, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace ui
