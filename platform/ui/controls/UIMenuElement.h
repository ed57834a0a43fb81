#pragma once
// CMenuElementUI: one item of a menu (CMenuUI): a line of text that lights up under the pointer.
// Picking it sends its menu's notifier a notification whose type is the item's name.

#include "platform/ui/controls/UIButton.h"

namespace ui {

class CMenuElementUI : public CButtonUI {
 public:
  CMenuElementUI();
  const char* GetClass() const override;          // "MenuElementUI"
  void* GetInterface(const char* name) override;  // "MenuElement"
  UINT GetControlFlags() const override;
};

}  // namespace ui
