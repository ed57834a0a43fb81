#pragma once
// CListTextElementUI: a list row with one text per column, drawn in the column rectangles of the
// owner list's header.

#include <vector>

#include "platform/ui/controls/UIListLabelElement.h"

namespace ui {

class CListTextElementUI : public CListLabelElementUI {
 public:
  const char* GetClass() const override;          // "ListTextElementUI"
  void* GetInterface(const char* name) override;  // "ListTextElement"

  using CListLabelElementUI::GetText;
  using CListLabelElementUI::SetText;
  // The text of column `index` ("" for a column without one).
  CDuiString GetText(int index) const;
  // Columns 0 .. UILIST_MAX_COLUMNS - 1; other indexes are ignored.
  void SetText(int index, const char* text);

  void DrawItemText(HDC hDC, const RECT& rc) override;

 private:
  std::vector<CDuiString> m_texts;
};

}  // namespace ui
