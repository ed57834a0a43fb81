#pragma once
// GDK key values and modifier states as the framework's virtual keys and MK_* bits.

#include "platform/os/WinTypes.h"

namespace ui::gtkhost {

// The virtual key of a GDK key value; 0 for keys the framework has no name for.
UINT VirtualKeyOf(unsigned int keyval);
// MK_* bits of a GDK modifier state (button and key masks). GDK reports the state before a press
// or release; `changedButton` (1 left, 3 right) is then counted as `down`, as the original platform
// counts it in WM_LBUTTONDOWN and WM_LBUTTONUP.
WPARAM MouseKeyStateOf(unsigned int gdkState, unsigned int changedButton = 0, bool down = false);

}  // namespace ui::gtkhost
