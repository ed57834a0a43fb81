#pragma once
// Finding a window's control by name and kind, as both programs' windows bind their controls.

#include "platform/ui/UIlib.h"

// The control of that name when it is of class `Control`, else nullptr.
template <typename Control>
Control* FindDialogControl(ui::CPaintManagerUI& pm, const char* name) {
  return dynamic_cast<Control*>(pm.FindControl(name));
}
