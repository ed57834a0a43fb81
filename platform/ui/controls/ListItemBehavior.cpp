#include "platform/ui/controls/ListItemBehavior.h"

#include "platform/ui/core/UIManager.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {

void ListItemBehavior::SetOwner(CControlUI* owner) {
  m_owner = owner != nullptr ? static_cast<IListOwnerUI*>(owner->GetInterface("IListOwner")) : nullptr;
}

bool ListItemBehavior::SetSelected(bool selected) {
  if (m_selected == selected) return false;
  m_selected = selected;
  return true;
}

bool ListItemBehavior::HandleEvent(CControlUI& row, TEventUI& event) {
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_RBUTTONDOWN:
      if (row.IsEnabled()) {
        // The row stays alive through its own notification: removed rows are deleted later.
        if (row.GetManager() != nullptr) row.GetManager()->SendNotify(&row, "itemclick");
        if (m_owner != nullptr) m_owner->OnItemPicked(m_index, event.wKeyState);
        row.Invalidate();
      }
      return true;
    case UIEVENT_DBLCLICK:
      if (row.IsEnabled() && row.GetManager() != nullptr) row.GetManager()->SendNotify(&row, "itemactivate");
      return true;
    case UIEVENT_BUTTONUP:
    case UIEVENT_MOUSEMOVE:
      return true;
    case UIEVENT_MOUSEENTER:
      if (row.IsEnabled()) {
        m_hot = true;
        row.Invalidate();
      }
      return true;
    case UIEVENT_MOUSELEAVE:
      if (m_hot) {
        m_hot = false;
        row.Invalidate();
      }
      return true;
    default:
      return false;
  }
}

void ListItemBehavior::PaintBackground(HDC hDC, CControlUI& row, const RECT& rcItem, const RECT&) const {
  if (m_owner == nullptr) return;
  const TListInfoUI* info = m_owner->GetListInfo();
  DWORD color = 0;
  const CDuiString* image = nullptr;
  if (!row.IsEnabled()) {
    color = info->dwDisabledBkColor;
    image = &info->sDisabledImage;
  } else if (m_selected) {
    color = info->dwSelectedBkColor;
    image = &info->sSelectedImage;
  } else if (m_hot) {
    color = info->dwHotBkColor;
    image = &info->sHotImage;
  }
  if (color == 0 && (!info->bAlternateBk || m_index % 2 == 0)) color = info->dwBkColor;
  if (color != 0) CRenderEngine::DrawColor(hDC, rcItem, color);
  if (image != nullptr && !image->IsEmpty() && row.DrawImage(hDC, *image)) {
    // The state image covers the plain background image.
  } else if (!info->sBkImage.IsEmpty()) {
    row.DrawImage(hDC, info->sBkImage);
  }
  if (info->dwLineColor != 0) {
    CRenderEngine::DrawColor(hDC, RECT{rcItem.left, rcItem.bottom - 1, rcItem.right, rcItem.bottom}, info->dwLineColor);
  }
}

DWORD ListItemBehavior::TextColor(bool enabled) const {
  if (m_owner == nullptr) return 0;
  const TListInfoUI* info = m_owner->GetListInfo();
  DWORD color = 0;
  if (!enabled) {
    color = info->dwDisabledTextColor;
  } else if (m_selected) {
    color = info->dwSelectedTextColor;
  } else if (m_hot) {
    color = info->dwHotTextColor;
  }
  return color != 0 ? color : info->dwTextColor;
}

}  // namespace ui
