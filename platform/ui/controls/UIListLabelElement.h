#pragma once
// CListLabelElementUI: a list or combo row that shows one text across the whole row.

#include "platform/ui/controls/UIListElement.h"

namespace ui {

class CListLabelElementUI : public CListElementUI {
 public:
  const char* GetClass() const override;          // "ListLabelElementUI"
  void* GetInterface(const char* name) override;  // "ListLabelElement"
  SIZE EstimateSize(SIZE available) override;
  void DrawItemText(HDC hDC, const RECT& rc) override;
};

}  // namespace ui
