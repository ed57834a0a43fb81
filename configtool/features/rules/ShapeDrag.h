#pragma once
// The nested message loop of a shape drag. It takes the mouse capture for `window` and sets the
// cursor, then hands each mouse move over the window to `onMove` (client coordinates of the window)
// until the left button comes up over it. Meanwhile keys are swallowed (Escape cancels the drag),
// mouse moves and button-ups for other windows are dropped, and everything else is dispatched, so
// that timers and repaints go on. The drag also ends when the capture goes elsewhere, when the
// window goes, and on WM_QUIT, which is posted again for the loop outside. Capture and cursor are
// given back on every way out.

#include <functional>

#include "configtool/features/rules/RuleGeometry.h"
#include "platform/os/WinTypes.h"

enum class ShapeDragEnd {
  Released,     // the button came up: the drag is done
  Cancelled,    // Escape: the caller puts the shape back
  Interrupted,  // capture lost, window gone or quit: the shape stays where the drag left it
};

ShapeDragEnd RunShapeDrag(HWND window, int cursorId, bool cursorOnEveryMove,
                          const std::function<void(GraphPoint view)>& onMove);
