#pragma once
// CJqListTextElementUI: the text row of the whitelist manager's and the plate query's lists. It
// keeps the whole behaviour of a text row and reports, with itself as sender:
//   - a double click on an enabled row: "listitemdblclick", lParam the column under the pointer;
//   - a press on an enabled row: "list_item_selected";
//   - each move while pressed or dragging: "list_item_drag";
//   - the release that ends a drag: "list_item_drag_end".

#include "platform/ui/UIlib.h"

class CJqListTextElementUI : public ui::CListTextElementUI {
 public:
  ~CJqListTextElementUI() override;

  void DoEvent(ui::TEventUI& event) override;

 private:
  // The owner list's column whose header spans the point; 0 when none does, when the point is
  // outside the row, or without an owner.
  int ColumnAt(POINT point);
  void Send(const char* type, LPARAM lParam = 0);

  bool m_dragging = false;
  bool m_pressed = false;
};
