#include "platform/ui/render/gfx/Graphics.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include "platform/os/Charset.h"
#include "platform/ui/render/CairoColor.h"
#include "platform/ui/render/CairoShapes.h"
#include "platform/ui/render/TextLayout.h"

namespace ui::gfx {
namespace {

// Shapes are placed with pixel centres at whole coordinates; Cairo puts them at halves.
class CentredPixels {
 public:
  explicit CentredPixels(cairo_t* cr) : m_cr(cr) {
    cairo_save(m_cr);
    cairo_translate(m_cr, 0.5, 0.5);
  }
  ~CentredPixels() { cairo_restore(m_cr); }
  CentredPixels(const CentredPixels&) = delete;
  CentredPixels& operator=(const CentredPixels&) = delete;

 private:
  cairo_t* m_cr;
};

void AddPolyline(cairo_t* cr, const PointF* points, int count, bool closed) {
  if (points == nullptr || count <= 0) return;
  cairo_new_sub_path(cr);
  cairo_move_to(cr, points[0].x, points[0].y);
  for (int i = 1; i < count; ++i) cairo_line_to(cr, points[i].x, points[i].y);
  if (closed) cairo_close_path(cr);
}

void AddPath(cairo_t* cr, const GraphicsPath& path) {
  for (const GraphicsPath::Figure& figure : path.Figures()) {
    AddPolyline(cr, figure.points.data(), static_cast<int>(figure.points.size()), figure.closed);
  }
}

}  // namespace

Graphics::Graphics(HDC hDC) : m_cr(cairo_reference(hDC->Cairo())), m_owned(false) {
  cairo_save(m_cr);
  ApplySmoothing();
}

Graphics::Graphics(Bitmap& bitmap) : m_cr(cairo_create(bitmap.Surface())), m_owned(true) { ApplySmoothing(); }

Graphics::~Graphics() {
  if (!m_owned) cairo_restore(m_cr);
  cairo_destroy(m_cr);
}

void Graphics::SetSmoothingMode(SmoothingMode mode) {
  m_smoothing = mode;
  ApplySmoothing();
}

void Graphics::ApplySmoothing() {
  cairo_set_antialias(m_cr, m_smoothing == SmoothingMode::None          ? CAIRO_ANTIALIAS_NONE
                            : m_smoothing == SmoothingMode::HighQuality ? CAIRO_ANTIALIAS_BEST
                                                                        : CAIRO_ANTIALIAS_GOOD);
}

void Graphics::Stroke(const Pen& pen, const std::function<void(cairo_t*)>& addShape) {
  CentredPixels centred(m_cr);
  addShape(m_cr);
  SetSourceColor(m_cr, pen.Color());
  cairo_set_line_width(m_cr, pen.Width());
  cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_MITER);
  cairo_stroke(m_cr);
}

void Graphics::Fill(const SolidBrush& brush, const std::function<void(cairo_t*)>& addShape) {
  CentredPixels centred(m_cr);
  addShape(m_cr);
  SetSourceColor(m_cr, brush.Color());
  cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_fill(m_cr);
}

void Graphics::Clear(DWORD argb) {
  cairo_save(m_cr);
  cairo_set_operator(m_cr, CAIRO_OPERATOR_SOURCE);
  SetSourceColor(m_cr, argb);
  cairo_paint(m_cr);
  cairo_restore(m_cr);
}

void Graphics::FillRectangle(const SolidBrush& brush, const RectF& rect) {
  Fill(brush, [&](cairo_t* cr) { cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height); });
}

void Graphics::DrawRectangle(const Pen& pen, const RectF& rect) {
  Stroke(pen, [&](cairo_t* cr) { cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height); });
}

void Graphics::DrawLine(const Pen& pen, PointF from, PointF to) {
  const PointF points[] = {from, to};
  DrawLines(pen, points, 2);
}

void Graphics::DrawLines(const Pen& pen, const PointF* points, int count) {
  if (count < 2) return;
  Stroke(pen, [&](cairo_t* cr) { AddPolyline(cr, points, count, false); });
}

void Graphics::DrawPolygon(const Pen& pen, const PointF* points, int count) {
  if (count < 2) return;
  Stroke(pen, [&](cairo_t* cr) { AddPolyline(cr, points, count, true); });
}

void Graphics::FillPolygon(const SolidBrush& brush, const PointF* points, int count) {
  if (count < 3) return;
  Fill(brush, [&](cairo_t* cr) { AddPolyline(cr, points, count, true); });
}

void Graphics::DrawEllipse(const Pen& pen, const RectF& rect) {
  Stroke(pen, [&](cairo_t* cr) { AddEllipsePath(cr, rect.x, rect.y, rect.width, rect.height); });
}

void Graphics::FillEllipse(const SolidBrush& brush, const RectF& rect) {
  Fill(brush, [&](cairo_t* cr) { AddEllipsePath(cr, rect.x, rect.y, rect.width, rect.height); });
}

void Graphics::DrawPath(const Pen& pen, const GraphicsPath& path) {
  Stroke(pen, [&](cairo_t* cr) { AddPath(cr, path); });
}

void Graphics::FillPath(const SolidBrush& brush, const GraphicsPath& path) {
  Fill(brush, [&](cairo_t* cr) { AddPath(cr, path); });
}

void Graphics::DrawImage(const Bitmap& bitmap, const RectF& dest, const RectF& source) {
  if (dest.width <= 0 || dest.height <= 0 || source.width <= 0 || source.height <= 0) return;
  // A bitmap without pixels would put this context in cairo's error state for good.
  if (bitmap.Width() == 0) return;
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(bitmap.Surface());
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  const bool unscaled = dest.width == source.width && dest.height == source.height;
  cairo_pattern_set_filter(pattern, unscaled ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_matrix_t matrix;
  cairo_matrix_init_translate(&matrix, source.x, source.y);
  cairo_matrix_scale(&matrix, source.width / dest.width, source.height / dest.height);
  cairo_matrix_translate(&matrix, -dest.x, -dest.y);
  cairo_pattern_set_matrix(pattern, &matrix);
  cairo_save(m_cr);
  cairo_rectangle(m_cr, dest.x, dest.y, dest.width, dest.height);
  cairo_clip(m_cr);
  cairo_set_source(m_cr, pattern);
  cairo_paint(m_cr);
  cairo_restore(m_cr);
  cairo_pattern_destroy(pattern);
}

void Graphics::DrawImage(const Bitmap& bitmap, float x, float y) {
  DrawImage(bitmap, RectF{x, y, static_cast<float>(bitmap.Width()), static_cast<float>(bitmap.Height())},
            RectF{0, 0, static_cast<float>(bitmap.Width()), static_cast<float>(bitmap.Height())});
}

void Graphics::DrawString(std::string_view text, const Font& font, const SolidBrush& brush, PointF origin) {
  if (text.empty()) return;
  const std::string utf8 = FlattenLineBreaks(os::GbkToUtf8(text));
  TextLayout layout(font, utf8, true, false, false, 0, 0);
  cairo_save(m_cr);
  SetSourceColor(m_cr, brush.Color());
  cairo_move_to(m_cr, origin.x, origin.y);
  pango_cairo_show_layout(m_cr, layout.Get());
  cairo_restore(m_cr);
}

}  // namespace ui::gfx
