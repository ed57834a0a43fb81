// CRenderEngine: colour fills, gradients, lines and borders.

#include <cairo.h>

#include "platform/ui/render/CairoColor.h"
#include "platform/ui/render/CairoShapes.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

bool IsEmpty(const RECT& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }

void SetLineStyle(cairo_t* cr, int size, LineStyle style) {
  cairo_set_line_width(cr, size);
  const double unit = size;
  if (style == LineStyle::Dash) {
    const double dashes[] = {unit * 4, unit * 2};
    cairo_set_dash(cr, dashes, 2, 0);
  } else if (style == LineStyle::Dot) {
    const double dots[] = {unit, unit};
    cairo_set_dash(cr, dots, 2, 0);
  }
}

}  // namespace

void CRenderEngine::DrawColor(HDC hDC, const RECT& rc, DWORD color) {
  if (ColorAlpha(color) == 0 || IsEmpty(rc)) return;
  cairo_t* cr = hDC->Cairo();
  cairo_save(cr);
  SetSourceColor(cr, color);
  AddRectPath(cr, rc);
  cairo_fill(cr);
  cairo_restore(cr);
}

void CRenderEngine::DrawGradient(HDC hDC, const RECT& rc, DWORD first, DWORD second, bool vertical) {
  if (IsEmpty(rc)) return;
  cairo_t* cr = hDC->Cairo();
  cairo_save(cr);
  cairo_pattern_t* gradient = vertical ? cairo_pattern_create_linear(0, rc.top, 0, rc.bottom)
                                       : cairo_pattern_create_linear(rc.left, 0, rc.right, 0);
  auto addStop = [gradient](double offset, DWORD c) {
    cairo_pattern_add_color_stop_rgba(gradient, offset, ColorRed(c) / 255.0, ColorGreen(c) / 255.0,
                                      ColorBlue(c) / 255.0, ColorAlpha(c) / 255.0);
  };
  addStop(0, first);
  addStop(1, second);
  cairo_set_source(cr, gradient);
  AddRectPath(cr, rc);
  cairo_fill(cr);
  cairo_pattern_destroy(gradient);
  cairo_restore(cr);
}

void CRenderEngine::DrawLine(HDC hDC, const RECT& rc, int size, DWORD color, LineStyle style) {
  if (ColorAlpha(color) == 0 || size <= 0) return;
  cairo_t* cr = hDC->Cairo();
  cairo_save(cr);
  SetSourceColor(cr, color);
  SetLineStyle(cr, size, style);
  // Odd widths centred on a pixel row or column cover whole pixels, as on the original platform.
  const double half = (size % 2 == 1) ? 0.5 : 0.0;
  const double dx = rc.top == rc.bottom ? 0.0 : half;
  const double dy = rc.left == rc.right ? 0.0 : half;
  cairo_move_to(cr, rc.left + dx, rc.top + dy);
  cairo_line_to(cr, rc.right + dx, rc.bottom + dy);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void CRenderEngine::DrawRect(HDC hDC, const RECT& rc, int size, DWORD color, LineStyle style) {
  if (ColorAlpha(color) == 0 || size <= 0 || IsEmpty(rc)) return;
  cairo_t* cr = hDC->Cairo();
  cairo_save(cr);
  SetSourceColor(cr, color);
  SetLineStyle(cr, size, style);
  const double inset = size / 2.0;
  cairo_rectangle(cr, rc.left + inset, rc.top + inset, RectWidth(rc) - size, RectHeight(rc) - size);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void CRenderEngine::DrawRoundRect(HDC hDC, const RECT& rc, int size, int roundWidth, int roundHeight, DWORD color) {
  if (ColorAlpha(color) == 0 || size <= 0 || IsEmpty(rc)) return;
  cairo_t* cr = hDC->Cairo();
  cairo_save(cr);
  SetSourceColor(cr, color);
  cairo_set_line_width(cr, size);
  const double inset = size / 2.0;
  AddRoundRectPath(cr, rc.left + inset, rc.top + inset, RectWidth(rc) - size, RectHeight(rc) - size, roundWidth / 2.0,
                   roundHeight / 2.0);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void CRenderEngine::DrawRoundColor(HDC hDC, const RECT& rc, int roundWidth, int roundHeight, DWORD color) {
  if (ColorAlpha(color) == 0 || IsEmpty(rc)) return;
  cairo_t* cr = hDC->Cairo();
  cairo_save(cr);
  SetSourceColor(cr, color);
  AddRoundRectPath(cr, rc.left, rc.top, RectWidth(rc), RectHeight(rc), roundWidth / 2.0, roundHeight / 2.0);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace ui
