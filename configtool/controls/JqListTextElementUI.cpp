#include "configtool/controls/JqListTextElementUI.h"

CJqListTextElementUI::~CJqListTextElementUI() = default;

void CJqListTextElementUI::DoEvent(ui::TEventUI& event) {
  ui::CListTextElementUI::DoEvent(event);
  switch (event.Type) {
    case ui::UIEVENT_DBLCLICK:
      if (IsEnabled()) Send("listitemdblclick", ColumnAt(event.ptMouse));
      break;
    case ui::UIEVENT_BUTTONDOWN:
      if (IsEnabled()) {
        m_pressed = true;
        Send("list_item_selected");
      }
      break;
    case ui::UIEVENT_MOUSEMOVE:
      if (m_dragging || m_pressed) {
        m_dragging = true;
        Send("list_item_drag");
      }
      break;
    case ui::UIEVENT_BUTTONUP:
      m_pressed = false;
      if (m_dragging) {
        Send("list_item_drag_end");
        m_dragging = false;
      }
      break;
    default:
      break;
  }
}

void CJqListTextElementUI::Send(const char* type, LPARAM lParam) {
  if (m_pManager != nullptr) m_pManager->SendNotify(this, type, 0, lParam);
}

int CJqListTextElementUI::ColumnAt(POINT point) {
  ui::IListOwnerUI* owner = GetOwner();
  if (owner == nullptr) return 0;
  const RECT& row = GetPos();
  if (point.y < row.top || point.y >= row.bottom) return 0;
  const ui::TListInfoUI* info = owner->GetListInfo();
  for (int column = 0; column < info->nColumns && column < ui::UILIST_MAX_COLUMNS; ++column) {
    const RECT& rc = info->rcColumn[column];
    if (point.x >= rc.left && point.x < rc.right) return column;
  }
  return 0;
}
