#pragma once
// Figures of connected line segments, open or closed, drawn with a pen or filled (even-odd rule).

#include <vector>

#include "platform/ui/render/gfx/Geometry.h"

namespace ui::gfx {

class GraphicsPath {
 public:
  struct Figure {
    std::vector<PointF> points;
    bool closed = false;
  };

  // Appends a segment to the current figure; it joins the figure's last point when that differs from `from`.
  void AddLine(PointF from, PointF to);
  // Appends the points as connected segments to the current figure.
  void AddLines(const PointF* points, int count);
  // Adds the points as a closed figure of its own.
  void AddPolygon(const PointF* points, int count);
  // The next segment starts a new figure.
  void StartFigure();
  // Closes the current figure and starts a new one.
  void CloseFigure();
  void Reset() { m_figures.clear(); }

  int PointCount() const;
  const std::vector<Figure>& Figures() const { return m_figures; }

 private:
  Figure& CurrentFigure();

  std::vector<Figure> m_figures;
  bool m_startNew = true;
};

}  // namespace ui::gfx
