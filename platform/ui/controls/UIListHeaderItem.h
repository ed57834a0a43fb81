#pragma once
// CListHeaderItemUI: one column title of a list header. Its width is the column's width; a click
// on it sends "headerclick" (the programs read the clicked header's text).

#include "platform/ui/controls/UIButton.h"

namespace ui {

class CListHeaderItemUI : public CButtonUI {
 public:
  CListHeaderItemUI();
  const char* GetClass() const override;          // "ListHeaderItemUI"
  void* GetInterface(const char* name) override;  // "ListHeaderItem"
  UINT GetControlFlags() const override;
  // A click on the title: "headerclick".
  bool Activate() override;
};

}  // namespace ui
