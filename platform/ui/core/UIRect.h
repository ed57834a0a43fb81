#pragma once
// Rectangle helpers of the window model and the controls (right and bottom exclusive).

#include <algorithm>

#include "platform/os/WinTypes.h"

namespace ui {

// The overlap of `a` and `b` in `out`; false (and `out` not empty-safe) when they do not overlap.
inline bool IntersectRect(RECT* out, const RECT& a, const RECT& b) {
  out->left = std::max(a.left, b.left);
  out->top = std::max(a.top, b.top);
  out->right = std::min(a.right, b.right);
  out->bottom = std::min(a.bottom, b.bottom);
  return out->left < out->right && out->top < out->bottom;
}

inline bool PtInRect(const RECT& rc, POINT pt) {
  return pt.x >= rc.left && pt.x < rc.right && pt.y >= rc.top && pt.y < rc.bottom;
}

inline RECT OffsetRect(RECT rc, POINT by) {
  return RECT{rc.left + by.x, rc.top + by.y, rc.right + by.x, rc.bottom + by.y};
}

}  // namespace ui
