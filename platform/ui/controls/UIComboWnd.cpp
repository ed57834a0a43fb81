#include "platform/ui/controls/UIComboWnd.h"

#include <algorithm>

#include "platform/ui/controls/UICombo.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIContainer.h"

namespace ui {
namespace {

constexpr DWORD kBorderColor = 0xFF7FA7D9;
constexpr DWORD kBackColor = 0xFFFFFFFF;

}  // namespace

void CComboWnd::Init(CComboUI* owner) {
  m_pOwner = owner;
  CPaintManagerUI* ownerManager = owner->GetManager();
  const TListInfoUI* info = owner->GetListInfo();
  const long rowHeight =
      ownerManager->GetFontHeight(info->nFont) + 8 + info->rcTextPadding.top + info->rcTextPadding.bottom;
  long height = 2;
  for (int i = 0; i < owner->GetCount(); ++i) {
    const int fixed = owner->GetItemAt(i)->GetFixedHeight();
    height += fixed > 0 ? fixed : rowHeight;
  }
  const SIZE box = owner->GetDropBoxSize();
  if (box.cy > 0) height = std::min(height, box.cy);
  const RECT rc = PlaceBelowOwner(static_cast<int>(height));
  if (Create(ownerManager->GetPaintWindow(), "", WS_POPUP, WS_EX_TOOLWINDOW, rc) == nullptr) return;
  ShowWindow(true, true);
}

RECT CComboWnd::PlaceBelowOwner(int height) const {
  const RECT pos = m_pOwner->GetPos();
  const SIZE box = m_pOwner->GetDropBoxSize();
  const long width = box.cx > 0 ? box.cx : RectWidth(pos);
  POINT topLeft{pos.left, pos.bottom};
  POINT top{pos.left, pos.top};
  const HWND paint = m_pOwner->GetManager()->GetPaintWindow();
  ClientToScreen(paint, &topLeft);
  ClientToScreen(paint, &top);
  const RECT work = GetWorkArea(paint);
  if (topLeft.y + height > work.bottom) return RECT{top.x, top.y - height, top.x + width, top.y};
  return RECT{topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + height};
}

void CComboWnd::TakeItems() {
  m_pLayout = new CVerticalLayoutUI;
  m_pLayout->SetBkColor(kBackColor);
  m_pLayout->SetBorderColor(kBorderColor);
  m_pLayout->SetBorderSize(1);
  m_pLayout->SetInset(RECT{1, 1, 1, 1});
  m_pLayout->EnableScrollBar(true, false);
  // The items stay the box's: the list only lends them a place.
  m_pLayout->SetAutoDestroy(false);
  for (int i = 0; i < m_pOwner->GetCount(); ++i) m_pLayout->Add(m_pOwner->GetItemAt(i));
}

void CComboWnd::ReleaseItems() {
  if (m_pLayout == nullptr || m_pLayout->GetCount() == 0) return;
  for (int i = 0; i < m_pLayout->GetCount(); ++i) m_pm.ReapObjects(m_pLayout->GetItemAt(i));
  m_pLayout->RemoveAll();
  if (m_pOwner == nullptr) return;
  m_pOwner->SetManager(m_pOwner->GetManager(), m_pOwner->GetParent(), false);
  m_pOwner->SetPos(m_pOwner->GetPos(), false);
}

void CComboWnd::DetachOwner() {
  m_pOwner = nullptr;
  ReleaseItems();
  if (m_hWnd != nullptr) DestroyWindow(m_hWnd);  // deletes this
}

const char* CComboWnd::GetWindowClassName() const { return "ComboWnd"; }

UINT CComboWnd::GetClassStyle() const { return CS_DBLCLKS; }

LRESULT CComboWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      m_pm.Init(m_hWnd);
      // The rows are drawn in the box's fonts and colours.
      CPaintManagerUI* ownerManager = m_pOwner->GetManager();
      if (const TFontInfo* font = ownerManager->GetFontInfo(m_pOwner->GetListInfo()->nFont)) {
        m_pm.SetDefaultFont(font->sFontName, font->iSize, font->bBold, font->bUnderline, font->bItalic);
      }
      m_pm.SetDefaultFontColor(ownerManager->GetDefaultFontColor());
      m_pm.SetDefaultDisabledColor(ownerManager->GetDefaultDisabledColor());
      TakeItems();
      m_pm.AttachDialog(m_pLayout);
      RECT client{};
      GetClientRect(m_hWnd, &client);
      m_pLayout->SetPos(client, false);
      if (CControlUI* selected = m_pOwner->GetItemAt(m_pOwner->GetCurSel())) m_pLayout->EnsureVisible(selected);
      return 0;
    }
    case WM_DESTROY:
      ReleaseItems();
      break;
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_ESCAPE:
        case VK_RETURN:
          if (m_pOwner != nullptr) m_pOwner->CloseDropDown();
          return 0;
        case VK_UP:
        case VK_DOWN:
          if (m_pOwner != nullptr) m_pOwner->PickByKey(m_pOwner->GetCurSel() + (wParam == VK_UP ? -1 : 1));
          return 0;
        default:
          break;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        ::ui::ShowWindow(m_hWnd, SW_HIDE);
        Close(IDCANCEL);
      }
      break;
    default:
      break;
  }
  LRESULT result = 0;
  if (m_pm.MessageHandler(message, wParam, lParam, result)) return result;
  return CWindowWnd::HandleMessage(message, wParam, lParam);
}

void CComboWnd::OnFinalMessage(HWND) {
  if (m_pOwner != nullptr) {
    m_pOwner->m_pWindow = nullptr;
    m_pOwner->m_uButtonState &= ~UISTATE_PUSHED;
    m_pOwner->Invalidate();
  }
  delete this;
}

}  // namespace ui
