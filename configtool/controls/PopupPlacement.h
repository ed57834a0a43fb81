#pragma once
// Where the drop-downs of the tool's controls open.

#include "platform/ui/UIlib.h"

// The screen rectangle of a pop-up of `size` under `owner`: its top-left at the owner's bottom-left,
// or, where it would reach below the work area, its bottom-left at the owner's top-left.
RECT PlacePopupBelow(const ui::CControlUI& owner, SIZE size);
