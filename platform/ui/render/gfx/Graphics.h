#pragma once
// A small drawing context for the programs' own painting (the rule editor's video surface): pictures,
// outlines and fills of paths, ellipses, polygons and rectangles with alpha, and text. Coordinates
// follow the original platform: a pixel's centre lies at whole coordinates, so a 1-pixel pen along
// y = 10 covers exactly row 10. Smoothing is off until SetSmoothingMode turns it on.

#include <functional>
#include <string_view>

#include "platform/os/WinTypes.h"
#include "platform/ui/render/DrawContext.h"
#include "platform/ui/render/Font.h"
#include "platform/ui/render/gfx/Bitmap.h"
#include "platform/ui/render/gfx/Geometry.h"
#include "platform/ui/render/gfx/GraphicsPath.h"
#include "platform/ui/render/gfx/Pen.h"
#include "platform/ui/render/gfx/SolidBrush.h"

namespace ui::gfx {

enum class SmoothingMode { None, AntiAlias, HighQuality };

class Graphics {
 public:
  // Draws on a window's context (within its current clip); the context's state is restored afterwards.
  explicit Graphics(HDC hDC);
  // Draws into the bitmap.
  explicit Graphics(Bitmap& bitmap);
  ~Graphics();
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  void SetSmoothingMode(SmoothingMode mode);
  SmoothingMode GetSmoothingMode() const { return m_smoothing; }

  // Replaces every pixel (within the clip) with the colour.
  void Clear(DWORD argb);
  void FillRectangle(const SolidBrush& brush, const RectF& rect);
  void DrawRectangle(const Pen& pen, const RectF& rect);
  void DrawLine(const Pen& pen, PointF from, PointF to);
  void DrawLines(const Pen& pen, const PointF* points, int count);
  void DrawPolygon(const Pen& pen, const PointF* points, int count);
  void FillPolygon(const SolidBrush& brush, const PointF* points, int count);
  // The ellipse inside `rect`.
  void DrawEllipse(const Pen& pen, const RectF& rect);
  void FillEllipse(const SolidBrush& brush, const RectF& rect);
  void DrawPath(const Pen& pen, const GraphicsPath& path);
  void FillPath(const SolidBrush& brush, const GraphicsPath& path);

  // The part `source` of the bitmap stretched (bilinear) into `dest`.
  void DrawImage(const Bitmap& bitmap, const RectF& dest, const RectF& source);
  // The whole bitmap at (x, y), unscaled.
  void DrawImage(const Bitmap& bitmap, float x, float y);

  // One line of GBK text with its top-left at `origin`.
  void DrawString(std::string_view text, const Font& font, const SolidBrush& brush, PointF origin);

 private:
  void ApplySmoothing();
  // Outlines or fills the shape that `addShape` adds to the path, with pixel centres at whole
  // coordinates.
  void Stroke(const Pen& pen, const std::function<void(cairo_t*)>& addShape);
  void Fill(const SolidBrush& brush, const std::function<void(cairo_t*)>& addShape);

  cairo_t* m_cr;
  bool m_owned;
  SmoothingMode m_smoothing = SmoothingMode::None;
};

}  // namespace ui::gfx
