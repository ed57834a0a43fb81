#include "configtool/features/rules/JqBrokenLine.h"

#include <algorithm>

#include "configtool/features/rules/GraphObjectManager.h"
#include "configtool/features/rules/ShapeDrag.h"
#include "platform/ui/core/NativeWindow.h"

namespace {

constexpr int kFarAway = 100;

}  // namespace

int CJqBrokenLine::OutlineDistance(GraphPoint p) const {
  int best = kFarAway;
  for (std::size_t i = 0; i + 1 < m_points.size(); ++i) {
    best = std::min(best, PointToSegmentDistance(p, m_points[i], m_points[i + 1]));
  }
  return best;
}

int CJqBrokenLine::HitTest(GraphPoint p, bool& inside) {
  inside = false;
  if (m_points.size() < 2) return kFarAway;
  return OutlineDistance(p);
}

void CJqBrokenLine::Draw(ui::gfx::Graphics&) {}

GraphPoint CJqBrokenLine::ClampDelta(GraphPoint delta) const {
  const GraphObjectManager& manager = GraphObjectManager::Instance();
  const int right = std::max(0, manager.ImageWidth() - 2);
  const int bottom = std::max(0, manager.ImageHeight() - 2);
  for (const GraphPoint& v : m_points) {
    delta.x = std::clamp(v.x + delta.x, 0, right) - v.x;
    delta.y = std::clamp(v.y + delta.y, 0, bottom) - v.y;
  }
  return delta;
}

void CJqBrokenLine::DragMove(int viewX, int viewY, HWND window) {
  const GraphObjectManager& manager = GraphObjectManager::Instance();
  const VertexSnapshot before = TakeSnapshot();
  GraphPoint last = manager.ScreenToImage(GraphPoint{viewX, viewY});
  const ShapeDragEnd end = RunShapeDrag(window, ui::IDC_SIZEALL, false, [&](GraphPoint view) {
    const GraphPoint now = manager.ScreenToImage(view);
    const GraphPoint delta = ClampDelta(GraphPoint{now.x - last.x, now.y - last.y});
    if (delta.x == 0 && delta.y == 0) return;
    MoveBy(delta.x, delta.y);
    last.x += delta.x;
    last.y += delta.y;
    NotifyDragStart();
  });
  if (end == ShapeDragEnd::Cancelled) PutBack(before);
}

void CJqBrokenLine::DragVertex(int, int, HWND window, int index) {
  if (index < 0 || index >= VertexCount()) return;
  const GraphObjectManager& manager = GraphObjectManager::Instance();
  const VertexSnapshot before = TakeSnapshot();
  const ShapeDragEnd end = RunShapeDrag(window, ui::IDC_SIZENESW, true, [&](GraphPoint view) {
    const GraphPoint p = manager.ClampToImage(manager.ScreenToImage(view));
    if (!MoveWouldCross(index, p)) PlaceVertex(index, p);
  });
  if (end == ShapeDragEnd::Cancelled) PutBack(before);
}

CJqBrokenLine::VertexSnapshot CJqBrokenLine::TakeSnapshot() const {
  const GraphObjectManager& manager = GraphObjectManager::Instance();
  return VertexSnapshot{m_points, manager.ImageWidth(), manager.ImageHeight()};
}

void CJqBrokenLine::PutBack(const VertexSnapshot& snapshot) {
  m_points = snapshot.points;
  // A frame of another size came during the drag and rescaled the shape: so are the old vertices.
  const GraphObjectManager& manager = GraphObjectManager::Instance();
  if (manager.ImageWidth() == snapshot.imageWidth && manager.ImageHeight() == snapshot.imageHeight) return;
  ScalePoints(static_cast<double>(manager.ImageWidth()) / snapshot.imageWidth,
              static_cast<double>(manager.ImageHeight()) / snapshot.imageHeight);
}

bool CJqBrokenLine::MoveWouldCross(int index, GraphPoint p) const {
  const int count = VertexCount();
  if (count < 3) return false;
  const auto at = [this](int i) { return m_points[static_cast<std::size_t>(i)]; };
  for (int i = 0; i + 1 < count; ++i) {
    if (i == index - 1 || i == index) continue;  // the moved vertex's own segments
    if (index > 0 && SegmentsIntersect(at(index - 1), p, at(i), at(i + 1))) return true;
    if (index + 1 < count && SegmentsIntersect(p, at(index + 1), at(i), at(i + 1))) return true;
  }
  return false;
}

bool CJqBrokenLine::InsertVertex(int x, int y) {
  if (m_points.size() < 2) return false;
  const GraphPoint p{x, y};
  const int tolerance = GraphObjectManager::Instance().Tolerance();
  int best = kFarAway;
  int segment = -1;
  for (std::size_t i = 0; i + 1 < m_points.size(); ++i) {
    const int distance = PointToSegmentDistance(p, m_points[i], m_points[i + 1]);
    if (distance < best) {
      best = distance;
      segment = static_cast<int>(i);
    }
  }
  if (segment < 0 || tolerance < best) return false;
  const auto start = static_cast<std::size_t>(segment);
  // A click near either end of the edge is a click on that vertex, not a new one.
  if (PointDistance(p, m_points[start]) < tolerance) return false;
  if (PointDistance(p, m_points[start + 1]) < tolerance) return false;
  m_points.insert(m_points.begin() + static_cast<std::ptrdiff_t>(start + 1), p);
  SetActiveVertex(segment + 1);
  return true;
}

int CJqBrokenLine::FindVertex(int x, int y, int radius) {
  const GraphPoint p{x, y};
  int found = -1;
  for (int i = 0; i < SearchedVertexCount(); ++i) {
    const int distance = PointDistance(p, m_points[static_cast<std::size_t>(i)]);
    if (distance <= radius) {
      radius = distance;
      found = i;
    }
  }
  return found;
}

void CJqBrokenLine::ScalePoints(double fx, double fy) {
  for (GraphPoint& v : m_points) {
    v.x = static_cast<std::int32_t>(v.x * fx);
    v.y = static_cast<std::int32_t>(v.y * fy);
  }
}

bool CJqBrokenLine::GetVertex(int i, GraphPoint& point) const {
  if (i < 0 || i >= VertexCount()) return false;
  point = m_points[static_cast<std::size_t>(i)];
  return true;
}

bool CJqBrokenLine::AppendVertex(GraphPoint p) {
  if (VertexCount() >= kMaxAppendedVertices) return false;
  m_points.push_back(p);
  return true;
}

void CJqBrokenLine::MoveBy(int dx, int dy) {
  for (GraphPoint& v : m_points) {
    v.x += dx;
    v.y += dy;
  }
}
