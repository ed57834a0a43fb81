#include "platform/ui/render/CairoShapes.h"

#include <algorithm>
#include <numbers>

namespace ui {
namespace {

// A quarter ellipse centred at (cx, cy) from angle `from` (radians, clockwise in screen space).
void AddCorner(cairo_t* cr, double cx, double cy, double rx, double ry, double from) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, from, from + std::numbers::pi / 2);
  cairo_restore(cr);
}

}  // namespace

void AddRoundRectPath(cairo_t* cr, double x, double y, double width, double height, double rx, double ry) {
  rx = std::min(rx, width / 2);
  ry = std::min(ry, height / 2);
  if (rx <= 0 || ry <= 0) {
    cairo_rectangle(cr, x, y, width, height);
    return;
  }
  constexpr double kPi = std::numbers::pi;
  cairo_new_sub_path(cr);
  AddCorner(cr, x + width - rx, y + ry, rx, ry, -kPi / 2);
  AddCorner(cr, x + width - rx, y + height - ry, rx, ry, 0);
  AddCorner(cr, x + rx, y + height - ry, rx, ry, kPi / 2);
  AddCorner(cr, x + rx, y + ry, rx, ry, kPi);
  cairo_close_path(cr);
}

void AddEllipsePath(cairo_t* cr, double x, double y, double width, double height) {
  if (width <= 0 || height <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, x + width / 2, y + height / 2);
  cairo_scale(cr, width / 2, height / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
  cairo_close_path(cr);
  cairo_restore(cr);
}

}  // namespace ui
