#include "configtool/features/rules/RuleGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// The cross product of (b - a) and (c - a): its sign says on which side of ab the point c lies.
std::int64_t Cross(GraphPoint a, GraphPoint b, GraphPoint c) {
  return static_cast<std::int64_t>(b.x - a.x) * (c.y - a.y) - static_cast<std::int64_t>(b.y - a.y) * (c.x - a.x);
}

bool OnSegment(GraphPoint p, GraphPoint a, GraphPoint b) {
  return Cross(a, b, p) == 0 && p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) && p.y >= std::min(a.y, b.y) &&
         p.y <= std::max(a.y, b.y);
}

}  // namespace

int PointDistance(GraphPoint a, GraphPoint b) {
  const double dx = static_cast<double>(a.x) - b.x;
  const double dy = static_cast<double>(a.y) - b.y;
  return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

int PointToSegmentDistance(GraphPoint p, GraphPoint a, GraphPoint b) {
  const double dx = static_cast<double>(b.x) - a.x;
  const double dy = static_cast<double>(b.y) - a.y;
  const double length = dx * dx + dy * dy;
  double t = 0;
  if (length > 2) {
    t = ((static_cast<double>(p.x) - a.x) * dx + (static_cast<double>(p.y) - a.y) * dy) / length;
    t = std::clamp(t, 0.0, 1.0);
  }
  const double ex = static_cast<double>(p.x) - (a.x + t * dx);
  const double ey = static_cast<double>(p.y) - (a.y + t * dy);
  return static_cast<int>(std::sqrt(ex * ex + ey * ey));
}

bool SegmentsIntersect(GraphPoint a, GraphPoint b, GraphPoint c, GraphPoint d) {
  const double sidesOfCd = static_cast<double>(Cross(a, b, c)) * static_cast<double>(Cross(a, b, d));
  const double sidesOfAb = static_cast<double>(Cross(c, d, a)) * static_cast<double>(Cross(c, d, b));
  return sidesOfCd < 0 && sidesOfAb < 0;
}

bool PointInPolygon(const std::vector<GraphPoint>& ring, GraphPoint p) {
  if (ring.size() < 2) return false;
  bool inside = false;
  for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
    const GraphPoint a = ring[i];
    const GraphPoint b = ring[i + 1];
    if (OnSegment(p, a, b)) return true;
    // The edge crosses the ray to the right of p when its ends lie on both sides of p's row and
    // the crossing lies right of p.
    if ((a.y > p.y) != (b.y > p.y)) {
      const std::int64_t side = Cross(a, b, p);
      if ((b.y > a.y) ? side > 0 : side < 0) inside = !inside;
    }
  }
  return inside;
}
