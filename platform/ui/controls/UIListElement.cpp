#include "platform/ui/controls/UIListElement.h"

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {

const char* CListElementUI::GetClass() const { return "ListElementUI"; }

void* CListElementUI::GetInterface(const char* name) {
  if (IsName(name, "ListItem")) return static_cast<IListItemUI*>(this);
  if (IsName(name, "ListElement")) return this;
  return CControlUI::GetInterface(name);
}

bool CListElementUI::Activate() {
  if (!CControlUI::Activate()) return false;
  if (m_pManager != nullptr) m_pManager->SendNotify(this, "itemactivate");
  return true;
}

bool CListElementUI::Select(bool select) {
  if (m_behavior.SetSelected(select)) Invalidate();
  return true;
}

void CListElementUI::DoEvent(TEventUI& event) {
  if (PassMouseToParent(*this, event)) return;
  if (event.Type == UIEVENT_KEYDOWN && event.chKey == VK_RETURN && IsEnabled()) {
    Activate();
    return;
  }
  if (m_behavior.HandleEvent(*this, event)) return;
  CControlUI::DoEvent(event);
}

void CListElementUI::PaintStatusImage(HDC hDC) { m_behavior.PaintBackground(hDC, *this, m_rcItem, m_rcPaint); }

void CListElementUI::PaintText(HDC hDC) { DrawItemText(hDC, m_rcItem); }

SIZE CListElementUI::EstimateRowSize(SIZE) {
  if (m_cxyFixed.cy > 0) return m_cxyFixed;
  IListOwnerUI* owner = GetOwner();
  const TListInfoUI* info = owner != nullptr ? owner->GetListInfo() : nullptr;
  const int font = info != nullptr ? info->nFont : -1;
  long height = (m_pManager != nullptr ? m_pManager->GetFontHeight(font) : 12) + 8;
  if (info != nullptr) height += info->rcTextPadding.top + info->rcTextPadding.bottom;
  return SIZE{m_cxyFixed.cx, height};
}

void CListElementUI::DrawRowText(HDC hDC, RECT rc, const CDuiString& text) {
  if (text.IsEmpty()) return;
  IListOwnerUI* owner = GetOwner();
  const TListInfoUI* info = owner != nullptr ? owner->GetListInfo() : nullptr;
  DWORD color = m_behavior.TextColor(IsEnabled());
  if (color == 0 && m_pManager != nullptr) {
    color = IsEnabled() ? m_pManager->GetDefaultFontColor() : m_pManager->GetDefaultDisabledColor();
  }
  UINT style = DT_VCENTER | DT_SINGLELINE;
  int font = -1;
  if (info != nullptr) {
    rc = DeflateRect(rc, info->rcTextPadding);
    style = info->uTextStyle;
    font = info->nFont;
  }
  CRenderEngine::DrawText(hDC, m_pManager != nullptr ? m_pManager->GetFont(font) : nullptr, rc, text.Str(), color,
                          style | DT_NOPREFIX);
}

}  // namespace ui
