#include "platform/ui/render/gfx/GraphicsPath.h"

namespace ui::gfx {

GraphicsPath::Figure& GraphicsPath::CurrentFigure() {
  if (m_startNew || m_figures.empty()) {
    m_figures.emplace_back();
    m_startNew = false;
  }
  return m_figures.back();
}

void GraphicsPath::AddLine(PointF from, PointF to) {
  Figure& figure = CurrentFigure();
  if (figure.points.empty() || figure.points.back().x != from.x || figure.points.back().y != from.y) {
    figure.points.push_back(from);
  }
  figure.points.push_back(to);
}

void GraphicsPath::AddLines(const PointF* points, int count) {
  if (points == nullptr || count <= 0) return;
  Figure& figure = CurrentFigure();
  figure.points.insert(figure.points.end(), points, points + count);
}

void GraphicsPath::AddPolygon(const PointF* points, int count) {
  if (points == nullptr || count <= 0) return;
  StartFigure();
  AddLines(points, count);
  CloseFigure();
}

void GraphicsPath::StartFigure() { m_startNew = true; }

void GraphicsPath::CloseFigure() {
  if (!m_figures.empty() && !m_startNew) m_figures.back().closed = true;
  m_startNew = true;
}

int GraphicsPath::PointCount() const {
  int count = 0;
  for (const Figure& figure : m_figures) count += static_cast<int>(figure.points.size());
  return count;
}

}  // namespace ui::gfx
