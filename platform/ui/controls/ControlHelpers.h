#pragma once
// Small helpers that the standard controls share.

#include <cstring>

#include "platform/os/WinTypes.h"
#include "platform/ui/core/UIControl.h"
#include "platform/ui/core/UIEvents.h"
#include "platform/ui/core/UIRect.h"

namespace ui {

inline bool IsName(const char* a, const char* b) { return a != nullptr && b != nullptr && std::strcmp(a, b) == 0; }

inline bool PointInRect(const RECT& rc, POINT pt) { return PtInRect(rc, pt); }

inline bool IsMouseEvent(int type) { return type > UIEVENT__MOUSEBEGIN && type < UIEVENT__MOUSEEND; }

// A control that takes no mouse input leaves mouse events to its parent (dropped without one).
inline bool PassMouseToParent(CControlUI& control, TEventUI& event) {
  if (control.IsMouseEnabled() || !IsMouseEvent(event.Type)) return false;
  if (CControlUI* parent = control.GetParent()) parent->DoEvent(event);
  return true;
}

// The hot state follows the pointer entering and leaving; true when the event was one of those.
inline bool TrackHotState(CControlUI& control, UINT& state, const TEventUI& event) {
  if (event.Type == UIEVENT_MOUSEENTER) {
    if (control.IsEnabled()) {
      state |= UISTATE_HOT;
      control.Invalidate();
    }
    return true;
  }
  if (event.Type == UIEVENT_MOUSELEAVE) {
    if ((state & UISTATE_HOT) != 0) {
      state &= ~UISTATE_HOT;
      control.Invalidate();
    }
    return true;
  }
  return false;
}

inline RECT DeflateRect(RECT rc, const RECT& by) {
  rc.left += by.left;
  rc.top += by.top;
  rc.right -= by.right;
  rc.bottom -= by.bottom;
  return rc;
}

// Where an edit window lies over a field: the field's rectangle less its text padding, as high as
// one line of `lineHeight` (when that is lower) and centred vertically in it.
inline RECT EditLineRect(const RECT& item, const RECT& padding, long lineHeight) {
  RECT pos = DeflateRect(item, padding);
  if (lineHeight > 0 && lineHeight < RectHeight(pos)) {
    pos.top += (RectHeight(pos) - lineHeight) / 2;
    pos.bottom = pos.top + lineHeight;
  }
  return pos;
}

}  // namespace ui
