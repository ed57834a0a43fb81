#pragma once
// Lookups the dialogs share: a named control of the expected class, and a control's text.

#include <string>

#include "platform/ui/UIlib.h"

// The control of that name when it is of class `Control`, else nullptr.
template <typename Control>
Control* FindDialogControl(ui::CPaintManagerUI& pm, const char* name) {
  return dynamic_cast<Control*>(pm.FindControl(name));
}

// Sets a control's text; nothing happens for a missing one.
inline void SetDialogControlText(ui::CControlUI* control, const std::string& text) {
  if (control != nullptr) control->SetText(text.c_str());
}

// The text of a control; empty for a missing one.
inline std::string DialogControlText(const ui::CControlUI* control) {
  return control != nullptr ? control->GetText().Str() : std::string();
}
