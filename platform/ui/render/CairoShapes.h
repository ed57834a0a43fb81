#pragma once
// Path helpers shared by the renderer's drawing code (internal).

#include <cairo.h>

#include "platform/os/WinTypes.h"

namespace ui {

inline void AddRectPath(cairo_t* cr, const RECT& rc) {
  cairo_rectangle(cr, rc.left, rc.top, RectWidth(rc), RectHeight(rc));
}

// A rectangle with elliptic corners of radii rx and ry (each limited to half the side).
void AddRoundRectPath(cairo_t* cr, double x, double y, double width, double height, double rx, double ry);

// An ellipse inscribed in the box.
void AddEllipsePath(cairo_t* cr, double x, double y, double width, double height);

}  // namespace ui
