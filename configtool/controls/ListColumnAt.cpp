#include "configtool/controls/ListColumnAt.h"

int ListColumnAt(ui::IListOwnerUI* owner, const RECT& row, POINT point) {
  if (owner == nullptr) return 0;
  if (point.y < row.top || point.y >= row.bottom) return 0;
  const ui::TListInfoUI* info = owner->GetListInfo();
  for (int column = 0; column < info->nColumns && column < ui::UILIST_MAX_COLUMNS; ++column) {
    const RECT& rc = info->rcColumn[column];
    if (point.x >= rc.left && point.x < rc.right) return column;
  }
  return 0;
}
