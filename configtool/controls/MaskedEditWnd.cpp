#include "configtool/controls/MaskedEditWnd.h"

#include <string>

#include "configtool/controls/MaskedEditUI.h"

using namespace ui;

namespace {

constexpr char kCtrlA = 0x01;
constexpr char kCtrlC = 0x03;
constexpr char kCtrlV = 0x16;
constexpr char kCtrlX = 0x18;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SelectionStart(CWindowWnd& window) {
  return LOWORD(static_cast<std::uintptr_t>(window.SendMessage(EM_GETSEL)));
}

}  // namespace

void CMaskedEditWnd::Init(CMaskedEditUI* owner) {
  m_pOwner = owner;
  CPaintManagerUI* manager = owner->GetManager();
  DWORD style = WS_CHILD | ES_AUTOHSCROLL;
  if (owner->IsPasswordMode()) style |= ES_PASSWORD;
  if (Create(manager->GetPaintWindow(), "", style, 0, owner->GetEditPos()) == nullptr) return;
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(manager->GetFont(owner->GetFont())), 1);
  SendMessage(EM_LIMITTEXT, owner->GetMaxChar());
  if (owner->IsPasswordMode()) SendMessage(EM_SETPASSWORDCHAR, static_cast<unsigned char>(owner->GetPasswordChar()));
  ::ui::SetWindowText(m_hWnd, owner->GetText());
  SendMessage(EM_SETMODIFY, 0);
  // The form's length holds for typing, whatever "maxchar" says.
  SendMessage(EM_LIMITTEXT, owner->TextForm().Length());
  SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  ::ui::EnableWindow(m_hWnd, owner->IsEnabled());
  SendMessage(EM_SETREADONLY, owner->IsReadOnly() ? 1 : 0);
  ::ui::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
  ::ui::SetFocus(m_hWnd);
  m_bInit = true;
}

void CMaskedEditWnd::DetachOwner() {
  m_pOwner = nullptr;
  if (m_hWnd != nullptr) ::ui::DestroyWindow(m_hWnd);  // deletes this
}

const char* CMaskedEditWnd::GetSuperClassName() const { return "Edit"; }

LRESULT CMaskedEditWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KILLFOCUS: {
      const LRESULT result = CWindowWnd::HandleMessage(message, wParam, lParam);
      PostMessage(WM_CLOSE);
      return result;
    }
    case WM_KEYDOWN:
      return OnKeyDown(message, wParam, lParam);
    case WM_CHAR:
      return OnChar(message, wParam, lParam);
    case WM_CUT:
      return CWindowWnd::HandleMessage(WM_COPY, 0, 0);
    case WM_PASTE:
      Paste();
      return 0;
    case WM_CLEAR:
      return 0;
    case WM_LBUTTONDOWN:
      // The caret stays: the field that holds it is selected.
      SelectFieldAt(SelectionStart(*this));
      return 0;
    case WM_LBUTTONDBLCLK:
      if (m_pOwner != nullptr) ::ui::SetWindowText(m_hWnd, m_pOwner->GetText());
      SelectFieldAt(LOWORD(static_cast<std::uintptr_t>(SendMessage(EM_CHARFROMPOS, 0, lParam))));
      return 0;
    case OCM_COMMAND:
      if (HIWORD(wParam) == EN_CHANGE) {
        if (m_bInit) OnTextChanged();
      } else if (HIWORD(wParam) == EN_UPDATE) {
        ::ui::InvalidateRect(m_hWnd, nullptr);
      }
      return 0;
    case OCM_CTLCOLOREDIT:
    case OCM_CTLCOLORSTATIC:
      return OnColor(wParam);
    default:
      return CWindowWnd::HandleMessage(message, wParam, lParam);
  }
}

LRESULT CMaskedEditWnd::OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (wParam & 0xFF) {
    case VK_RETURN:
    case VK_UP:
    case VK_DOWN:
      if (m_pOwner != nullptr) m_pOwner->SendEditKey(wParam);
      return 0;
    case VK_DELETE:
      // Removing a character would shift the fields; Shift+Delete cuts, which only copies here.
      if (shift) CWindowWnd::HandleMessage(WM_COPY, 0, 0);
      return 0;
    case VK_INSERT:
      if (shift) {
        Paste();
        return 0;
      }
      break;
    default:
      break;
  }
  return CWindowWnd::HandleMessage(message, wParam, lParam);
}

LRESULT CMaskedEditWnd::OnChar(UINT message, WPARAM wParam, LPARAM lParam) {
  const char ch = static_cast<char>(wParam & 0xFF);
  if (IsDigit(ch)) {
    TypeDigits(std::string_view(&ch, 1));
    return 0;
  }
  switch (ch) {
    case kCtrlA:
    case kCtrlC:
      return CWindowWnd::HandleMessage(message, wParam, lParam);
    case kCtrlX:
      return CWindowWnd::HandleMessage(WM_COPY, 0, 0);
    case kCtrlV:
      Paste();
      return 0;
    default:
      // Letters, separators, Backspace: refused, nothing changes.
      return 0;
  }
}

void CMaskedEditWnd::TypeDigits(std::string_view digits) {
  if (m_pOwner == nullptr || m_pOwner->IsReadOnly() || !::ui::IsWindowEnabled(m_hWnd)) return;
  const auto typed =
      m_pOwner->TextForm().Overtype(GetWindowTextString(m_hWnd), SelectionStart(*this), digits);
  if (!typed.has_value()) return;
  ::ui::SetWindowText(m_hWnd, typed->text.c_str());
  SendMessage(EM_SETSEL, typed->caret, static_cast<LPARAM>(typed->caret));
  OnTextChanged();
}

void CMaskedEditWnd::Paste() {
  std::string digits;
  for (char c : GetClipboardText()) {
    if (IsDigit(c)) digits.push_back(c);
  }
  TypeDigits(digits);
}

void CMaskedEditWnd::SelectFieldAt(std::size_t index) {
  if (m_pOwner == nullptr) return;
  const auto field = m_pOwner->TextForm().FieldAt(index);
  if (!field.has_value()) return;
  SendMessage(EM_SETSEL, field->start, static_cast<LPARAM>(field->end));
}

void CMaskedEditWnd::OnTextChanged() {
  if (m_pOwner != nullptr) m_pOwner->TakeTypedText(GetWindowTextString(m_hWnd));
}

LRESULT CMaskedEditWnd::OnColor(WPARAM wParam) {
  if (m_pOwner == nullptr || m_pOwner->GetNativeBkColor().IsEmpty()) return 0;
  const DWORD background = CStyleManagerUI::Instance()->GetColor(m_pOwner->GetNativeBkColor());
  if (background == 0) return 0;
  return reinterpret_cast<LRESULT>(
      AnswerEditColors(reinterpret_cast<HDC>(wParam), background, m_pOwner->GetTextColor(), m_hBkBrush));
}

void CMaskedEditWnd::OnFinalMessage(HWND) {
  if (m_hBkBrush != nullptr) DeleteObject(m_hBkBrush);
  if (m_pOwner != nullptr) {
    m_pOwner->m_pWindow = nullptr;
    m_pOwner->m_uButtonState &= ~UISTATE_FOCUSED;
    m_pOwner->Invalidate();
  }
  delete this;
}
