#pragma once
// Finding a window's control by name and kind, as both programs' windows bind their controls.

#include "platform/ui/UIlib.h"

// The control of that name when it is of class `Control`, else nullptr.
template <typename Control>
Control* FindDialogControl(ui::CPaintManagerUI& pm, const char* name) {
  return dynamic_cast<Control*>(pm.FindControl(name));
}

// The control `name` inside `parent` (the whole window for nullptr) as the interface
// `interfaceName`; nullptr when there is none or it is of another class. For layouts that may
// lack a control or hold another class under its name.
template <typename Control>
Control* FindSubControlAs(ui::CPaintManagerUI* manager, ui::CControlUI* parent, const char* name,
                          const char* interfaceName) {
  if (manager == nullptr) return nullptr;
  ui::CControlUI* control = manager->FindSubControlByName(parent, name);
  return control != nullptr ? static_cast<Control*>(control->GetInterface(interfaceName)) : nullptr;
}
