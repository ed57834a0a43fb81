#include "configtool/controls/MaskedEditUI.h"

#include "configtool/controls/MaskedEditWnd.h"
#include "configtool/controls/TextScanner.h"
#include "platform/os/Charset.h"
#include "platform/ui/controls/ControlHelpers.h"

using namespace ui;

namespace {

// One password character for each character of the text; a double-byte character counts once.
std::string Masked(const std::string& text, char passwordChar) {
  std::string masked;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (os::IsGbkLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ++i;
    masked.push_back(passwordChar);
  }
  return masked;
}

bool IsTrueText(const char* value) { return value != nullptr && std::string_view(value) == "true"; }

}  // namespace

CMaskedEditUI::CMaskedEditUI() : m_value(DateTimeValue::Now()) { m_rcTextPadding = RECT{4, 3, 4, 3}; }

CMaskedEditUI::~CMaskedEditUI() { CloseEditWindow(); }

void CMaskedEditUI::ShowValue() { CLabelUI::SetText(TextForm().Format(m_value)); }

UINT CMaskedEditUI::GetControlFlags() const {
  if (!IsEnabled()) return CLabelUI::GetControlFlags();
  return UIFLAG_SETCURSOR | UIFLAG_TABSTOP;
}

HWND CMaskedEditUI::GetEditWindow() const { return m_pWindow != nullptr ? m_pWindow->GetHWND() : nullptr; }

bool CMaskedEditUI::SetValue(const DateTimeValue& value) {
  if (!value.IsValid()) return false;
  m_value = value;
  const CDuiString text = TextForm().Format(m_value);
  CLabelUI::SetText(text);
  if (m_pWindow != nullptr) ::ui::SetWindowText(m_pWindow->GetHWND(), text);
  Invalidate();
  return true;
}

void CMaskedEditUI::SetText(const char* text) {
  if (text != nullptr) SetValue(TextForm().Parse(m_value, text));
}

void CMaskedEditUI::TakeTypedText(const std::string& text) {
  if (text.size() > TextForm().Length()) return;
  const DateTimeValue parsed = TextForm().Parse(m_value, text.c_str());
  const CDuiString shown = TextForm().Format(parsed);
  if (shown == m_sText) return;
  m_value = parsed;
  m_sText = shown;
  Invalidate();
  if (m_pManager != nullptr) m_pManager->SendNotify(this, "textchanged");
}

void CMaskedEditUI::SendEditKey(WPARAM key) {
  if (m_pManager != nullptr) m_pManager->SendNotify(this, "edit_vk", key, 0);
}

void CMaskedEditUI::SetVisible(bool visible) {
  CLabelUI::SetVisible(visible);
  if (!IsVisible() && m_pWindow != nullptr && m_pManager != nullptr) m_pManager->SetFocus(nullptr);
}

void CMaskedEditUI::SetInternVisible(bool visible) {
  CLabelUI::SetInternVisible(visible);
  if (!IsVisible() && m_pWindow != nullptr && m_pManager != nullptr) m_pManager->SetFocus(nullptr);
}

void CMaskedEditUI::SetEnabled(bool enabled) {
  CLabelUI::SetEnabled(enabled);
  if (IsEnabled()) return;
  m_uButtonState = 0;
  // A disabled field takes no more typing: its edit window goes.
  if (m_pWindow != nullptr) {
    ::ui::EnableWindow(m_pWindow->GetHWND(), false);
    m_pWindow->Close(IDOK);
  }
}

void CMaskedEditUI::SetPos(RECT rc, bool needInvalidate) {
  CLabelUI::SetPos(rc, needInvalidate);
  if (m_pWindow == nullptr) return;
  const RECT pos = GetEditPos();
  ::ui::SetWindowPos(m_pWindow->GetHWND(), nullptr, pos.left, pos.top, RectWidth(pos), RectHeight(pos),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT CMaskedEditUI::GetEditPos() const {
  return EditLineRect(m_rcItem, m_rcTextPadding, m_pManager != nullptr ? m_pManager->GetFontHeight(m_iFont) : 0);
}

void CMaskedEditUI::OpenEditWindow() {
  if (m_pWindow != nullptr || m_pManager == nullptr || m_pManager->GetPaintWindow() == nullptr) return;
  CMaskedEditWnd* window = NewEditWindow();
  m_pWindow = window;
  window->Init(this);
  if (window->GetHWND() == nullptr) {
    m_pWindow = nullptr;
    delete window;
  }
}

void CMaskedEditUI::CloseEditWindow() {
  if (m_pWindow == nullptr) return;
  CMaskedEditWnd* window = m_pWindow;
  m_pWindow = nullptr;
  window->DetachOwner();
}

void CMaskedEditUI::PlaceCaret(POINT paintPoint) {
  if (m_pWindow == nullptr || m_pManager == nullptr) return;
  POINT pt = paintPoint;
  ::ui::ClientToScreen(m_pManager->GetPaintWindow(), &pt);
  ::ui::ScreenToClient(m_pWindow->GetHWND(), &pt);
  const auto index = static_cast<WPARAM>(LOWORD(static_cast<std::uintptr_t>(
      m_pWindow->SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y)))));
  m_pWindow->SendMessage(EM_SETSEL, index, static_cast<LPARAM>(index));
}

void CMaskedEditUI::DoEvent(TEventUI& event) {
  if (PassMouseToParent(*this, event)) return;
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      if (!IsEnabled()) break;
      ::ui::SetCursor(LoadCursor(nullptr, IDC_IBEAM));
      return;
    case UIEVENT_SCROLLWHEEL:
      if (m_pWindow != nullptr) return;
      break;
    case UIEVENT_KILLFOCUS:
      if (IsEnabled() && m_pWindow != nullptr) m_pWindow->Close(IDOK);
      break;
    case UIEVENT_MOUSEMOVE:
    case UIEVENT_BUTTONUP:
    case UIEVENT_CONTEXTMENU:
      return;
    case UIEVENT_MOUSELEAVE:
    case UIEVENT_MOUSEENTER:
      if (IsEnabled()) {
        m_uButtonState = event.Type == UIEVENT_MOUSEENTER ? (m_uButtonState | UISTATE_HOT) : (m_uButtonState & ~UISTATE_HOT);
        Invalidate();
      }
      return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_RBUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (!IsEnabled()) return;
      if (m_pManager != nullptr) m_pManager->ReleaseCapture();
      if (IsFocused() && m_pWindow == nullptr) {
        OpenEditWindow();
        if (PointInRect(m_rcItem, event.ptMouse)) PlaceCaret(event.ptMouse);
      } else if (m_pWindow != nullptr) {
        PlaceCaret(event.ptMouse);
      }
      return;
    default:
      break;
  }
  CLabelUI::DoEvent(event);
}

void CMaskedEditUI::SetAttribute(const char* name, const char* value) {
  if (IsName(name, "readonly")) {
    const bool readOnly = IsTrueText(value);
    if (readOnly == m_bReadOnly) return;
    m_bReadOnly = readOnly;
    if (m_pWindow != nullptr) m_pWindow->SendMessage(EM_SETREADONLY, m_bReadOnly ? 1 : 0);
    Invalidate();
  } else if (IsName(name, "password")) {
    const bool password = IsTrueText(value);
    if (password == m_bPasswordMode) return;
    m_bPasswordMode = password;
    Invalidate();
  } else if (IsName(name, "maxchar")) {
    m_uMaxChar = static_cast<UINT>(LeadingInt(value != nullptr ? value : ""));
    if (m_pWindow != nullptr) m_pWindow->SendMessage(EM_LIMITTEXT, m_uMaxChar);
  } else if (IsName(name, "normalimage")) {
    m_sNormalImage = value;
    Invalidate();
  } else if (IsName(name, "hotimage")) {
    m_sHotImage = value;
    Invalidate();
  } else if (IsName(name, "focusedimage")) {
    m_sFocusedImage = value;
    Invalidate();
  } else if (IsName(name, "disabledimage")) {
    m_sDisabledImage = value;
    Invalidate();
  } else if (IsName(name, "nativebkcolor")) {
    m_sNativeBkColor = value;
  } else {
    CLabelUI::SetAttribute(name, value);
  }
}

void CMaskedEditUI::PaintStatusImage(HDC hDC) {
  m_uButtonState = IsFocused() ? (m_uButtonState | UISTATE_FOCUSED) : (m_uButtonState & ~UISTATE_FOCUSED);
  m_uButtonState = IsEnabled() ? (m_uButtonState & ~UISTATE_DISABLED) : (m_uButtonState | UISTATE_DISABLED);
  if ((m_uButtonState & (UISTATE_DISABLED | UISTATE_FOCUSED | UISTATE_HOT)) != 0) {
    CDuiString* image = (m_uButtonState & UISTATE_DISABLED) != 0  ? &m_sDisabledImage
                        : (m_uButtonState & UISTATE_FOCUSED) != 0 ? &m_sFocusedImage
                                                                  : &m_sHotImage;
    if (!image->IsEmpty()) {
      if (DrawImage(hDC, *image)) return;
      image->Empty();
    }
  }
  if (!m_sNormalImage.IsEmpty() && !DrawImage(hDC, m_sNormalImage)) m_sNormalImage.Empty();
}

void CMaskedEditUI::PaintText(HDC hDC) {
  if (m_sText.IsEmpty() || m_pManager == nullptr) return;
  const DWORD color = m_dwTextColor != 0 ? m_dwTextColor : m_pManager->GetDefaultFontColor();
  const DWORD disabledColor = m_dwDisabledTextColor != 0 ? m_dwDisabledTextColor : m_pManager->GetDefaultDisabledColor();
  const std::string shown = m_bPasswordMode ? Masked(m_sText.Str(), m_cPasswordChar) : m_sText.Str();
  RECT rc = DeflateRect(m_rcItem, m_rcTextPadding);
  CRenderEngine::DrawText(hDC, m_pManager->GetFont(m_iFont), rc, shown,
                          IsEnabled() ? color : disabledColor, m_uTextStyle | DT_SINGLELINE);
}
