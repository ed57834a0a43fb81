#pragma once
// Finding a control by name and kind in a row's own tree (before the row is in a list); in a
// window, FindDialogControl of common/ControlLookup.h.

#include "platform/ui/UIlib.h"

// The control named `name` inside `root` (root included), or nullptr.
ui::CControlUI* FindControlIn(ui::CControlUI* root, const char* name);

template <typename Control>
Control* FindRowControl(ui::CControlUI* row, const char* name) {
  return dynamic_cast<Control*>(FindControlIn(row, name));
}
