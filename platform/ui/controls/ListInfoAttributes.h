#pragma once
// The "item..." layout attributes that lists and combo boxes share: they set the row look of a
// TListInfoUI.

#include "platform/ui/controls/ListInfo.h"

namespace ui {

// Applies one attribute to `info`; false when the name is not one of the row attributes.
bool ApplyListInfoAttribute(TListInfoUI& info, const char* name, const char* value);

}  // namespace ui
