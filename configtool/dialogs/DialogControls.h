#pragma once
// Lookups the dialogs share: a named control of the expected class (FindDialogControl, which the
// batch program's windows use too), and a control's text.

#include <string>

#include "common/ControlLookup.h"
#include "platform/ui/UIlib.h"

// Sets a control's text; nothing happens for a missing one.
inline void SetDialogControlText(ui::CControlUI* control, const std::string& text) {
  if (control != nullptr) control->SetText(text.c_str());
}

// The text of a control; empty for a missing one.
inline std::string DialogControlText(const ui::CControlUI* control) {
  return control != nullptr ? control->GetText().Str() : std::string();
}
