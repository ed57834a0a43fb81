#pragma once
// CListHeaderUI: the row of column titles at the top of a list.

#include "platform/ui/core/UIContainer.h"

namespace ui {

class CListHeaderUI : public CHorizontalLayoutUI {
 public:
  CListHeaderUI();
  const char* GetClass() const override;          // "ListHeaderUI"
  void* GetInterface(const char* name) override;  // "ListHeader"
};

}  // namespace ui
