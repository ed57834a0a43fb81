#include "configtool/controls/PopupPlacement.h"

RECT PlacePopupBelow(const ui::CControlUI& owner, SIZE size) {
  const RECT pos = owner.GetPos();
  const HWND paint = owner.GetManager()->GetPaintWindow();
  POINT below{pos.left, pos.bottom};
  ui::ClientToScreen(paint, &below);
  if (below.y + size.cy <= ui::GetWorkArea(paint).bottom) {
    return RECT{below.x, below.y, below.x + size.cx, below.y + size.cy};
  }
  POINT above{pos.left, pos.top};
  ui::ClientToScreen(paint, &above);
  return RECT{above.x, above.y - size.cy, above.x + size.cx, above.y};
}
