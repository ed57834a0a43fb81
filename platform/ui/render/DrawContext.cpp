#include "platform/ui/render/DrawContext.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "platform/ui/render/CairoShapes.h"
#include "platform/ui/render/Canvas.h"

namespace ui {

DrawContext::DrawContext(cairo_t* cr) : m_cr(cr) {
  cairo_reference(m_cr);
  cairo_save(m_cr);
}

DrawContext::DrawContext(Canvas& canvas) : m_cr(cairo_create(canvas.Surface())) { cairo_save(m_cr); }

DrawContext::~DrawContext() {
  while (m_clipDepth > 0) PopClip();
  cairo_restore(m_cr);
  cairo_destroy(m_cr);
}

void DrawContext::PushClip(const RECT& rc) {
  cairo_save(m_cr);
  ++m_clipDepth;
  AddRectPath(m_cr, rc);
  cairo_clip(m_cr);
}

void DrawContext::PushRoundClip(const RECT& rc, int roundWidth, int roundHeight) {
  cairo_save(m_cr);
  ++m_clipDepth;
  AddRoundRectPath(m_cr, rc.left, rc.top, RectWidth(rc), RectHeight(rc), roundWidth / 2.0, roundHeight / 2.0);
  cairo_clip(m_cr);
}

void DrawContext::PopClip() {
  if (m_clipDepth == 0) return;
  --m_clipDepth;
  // Keep the offset that was set inside the clip scope.
  cairo_matrix_t matrix;
  cairo_get_matrix(m_cr, &matrix);
  cairo_restore(m_cr);
  cairo_set_matrix(m_cr, &matrix);
}

RECT DrawContext::ClipBox() const {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  cairo_clip_extents(m_cr, &x1, &y1, &x2, &y2);
  return RECT{static_cast<long>(std::floor(x1)), static_cast<long>(std::floor(y1)), static_cast<long>(std::ceil(x2)),
              static_cast<long>(std::ceil(y2))};
}

bool DrawContext::IsClippedOut(const RECT& rc) const {
  const RECT clip = ClipBox();
  return std::max(rc.left, clip.left) >= std::min(rc.right, clip.right) ||
         std::max(rc.top, clip.top) >= std::min(rc.bottom, clip.bottom);
}

void DrawContext::SetOffset(POINT offset) {
  cairo_translate(m_cr, static_cast<double>(offset.x - m_offset.x), static_cast<double>(offset.y - m_offset.y));
  m_offset = offset;
}

}  // namespace ui
