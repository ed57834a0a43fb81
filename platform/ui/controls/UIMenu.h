#pragma once
// CMenuUI: a popup menu built from a layout whose root is a container (a vertical layout); items
// written in the layout (<MenuElement name="..." text="..."/>) and items added with AppendItem
// go into that root, in order.

#include "platform/ui/controls/UIBaseMenu.h"

namespace ui {

class CMenuElementUI;

class CMenuUI : public CBaseMenuUI {
 public:
  // Builds the menu window (hidden) from `layout`, owned by `parent`. With `hideOnPick` a pick
  // hides the menu. nullptr when the layout cannot be built.
  HWND CreateMenu(const char* layout, HWND parent, const char* name, IDialogBuilderCallback* callback,
                  bool hideOnPick = true);
  // Adds an item at the end; picking it sends a notification of the type `name`. nullptr when the
  // menu has no window or its root holds no children.
  CMenuElementUI* AppendItem(const char* name, const char* text);
  int GetItemCount() const;
};

}  // namespace ui
