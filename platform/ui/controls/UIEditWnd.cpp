#include "platform/ui/controls/UIEditWnd.h"

#include "platform/ui/controls/UIEdit.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIManager.h"

namespace ui {

void CEditWnd::Init(CEditUI* owner) {
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
  SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  ::ui::EnableWindow(m_hWnd, owner->IsEnabled());
  SendMessage(EM_SETREADONLY, owner->IsReadOnly() ? 1 : 0);
  ::ui::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
  ::ui::SetFocus(m_hWnd);
  SendMessage(EM_SETSEL, 0, -1);
  m_bInit = true;
}

void CEditWnd::DetachOwner() {
  m_pOwner = nullptr;
  if (m_hWnd != nullptr) ::ui::DestroyWindow(m_hWnd);  // deletes this
}

const char* CEditWnd::GetWindowClassName() const { return "EditWnd"; }

const char* CEditWnd::GetSuperClassName() const { return "Edit"; }

LRESULT CEditWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KILLFOCUS: {
      const LRESULT result = CWindowWnd::HandleMessage(message, wParam, lParam);
      PostMessage(WM_CLOSE);
      return result;
    }
    case OCM_COMMAND: {
      const UINT code = HIWORD(wParam);
      if (code == EN_CHANGE) {
        OnEditChanged();
      } else if (code == EN_UPDATE) {
        ::ui::InvalidateRect(m_hWnd, nullptr);
      }
      return 0;
    }
    case OCM_CTLCOLOREDIT:
    case OCM_CTLCOLORSTATIC: {
      if (m_pOwner == nullptr || m_pOwner->GetNativeEditBkColor() == 0) return 0;
      return reinterpret_cast<LRESULT>(AnswerEditColors(reinterpret_cast<HDC>(wParam), m_pOwner->GetNativeEditBkColor(),
                                                        m_pOwner->GetTextColor(), m_hBkBrush));
    }
    default:
      return CWindowWnd::HandleMessage(message, wParam, lParam);
  }
}

void CEditWnd::OnEditChanged() {
  if (!m_bInit || m_pOwner == nullptr) return;
  m_pOwner->m_sText = GetWindowTextString(m_hWnd);
  m_pOwner->NotifyEditChanged();
}

void CEditWnd::OnFinalMessage(HWND) {
  if (m_hBkBrush != nullptr) DeleteObject(m_hBkBrush);
  if (m_pOwner != nullptr) {
    m_pOwner->m_pWindow = nullptr;
    m_pOwner->m_uButtonState &= ~UISTATE_FOCUSED;
    m_pOwner->Invalidate();
  }
  delete this;
}

}  // namespace ui
