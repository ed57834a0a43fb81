#include "configtool/controls/JqListTextElementUI.h"

#include "configtool/controls/ListColumnAt.h"

CJqListTextElementUI::~CJqListTextElementUI() = default;

void CJqListTextElementUI::DoEvent(ui::TEventUI& event) {
  ui::CListTextElementUI::DoEvent(event);
  switch (event.Type) {
    case ui::UIEVENT_DBLCLICK:
      if (IsEnabled()) Send("listitemdblclick", ListColumnAt(GetOwner(), GetPos(), event.ptMouse));
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

