#pragma once
// Lookups the dialogs share: a named control of the expected class (FindDialogControl, which the
// batch program's windows use too), a control's text, and the state of controls that may be missing
// from a layout.

#include <initializer_list>
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

// Whether an option is selected; false for a missing one.
inline bool IsOptionSelected(const ui::COptionUI* option) { return option != nullptr && option->IsSelected(); }

inline void SelectOption(ui::COptionUI* option, bool selected) {
  if (option != nullptr) option->Selected(selected);
}

inline void ShowControl(ui::CControlUI* control, bool visible) {
  if (control != nullptr) control->SetVisible(visible);
}

// Enables or disables each control given; missing ones are passed over.
inline void EnableControls(std::initializer_list<ui::CControlUI*> controls, bool enable) {
  for (ui::CControlUI* control : controls) {
    if (control != nullptr) control->SetEnabled(enable);
  }
}
