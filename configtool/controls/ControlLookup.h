#pragma once
// Looking up a named control of a layout that may lack it or hold another class under its name:
// the control counts only when it answers the interface the caller needs.

#include "platform/ui/UIlib.h"

// The control `name` inside `parent` (the whole window for nullptr) as the interface
// `interfaceName`; nullptr when there is none or it is of another class.
template <typename Control>
Control* FindSubControlAs(ui::CPaintManagerUI* manager, ui::CControlUI* parent, const char* name,
                          const char* interfaceName) {
  if (manager == nullptr) return nullptr;
  ui::CControlUI* control = manager->FindSubControlByName(parent, name);
  return control != nullptr ? static_cast<Control*>(control->GetInterface(interfaceName)) : nullptr;
}
