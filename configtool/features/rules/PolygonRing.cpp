#include "configtool/features/rules/PolygonRing.h"

#include <algorithm>

bool CloseRing(CJqPolygen& polygon, RingClosing closing) {
  const std::vector<GraphPoint>& points = polygon.Points();
  const int count = polygon.VertexCount();
  if (count < 3) return false;
  if (closing == RingClosing::Uncrossed) {
    const GraphPoint last = points.back();
    const GraphPoint first = points.front();
    for (int i = 1; i <= count - 2; ++i) {
      if (SegmentsIntersect(last, first, points[static_cast<std::size_t>(i - 1)],
                            points[static_cast<std::size_t>(i)])) {
        return false;
      }
    }
  }
  polygon.CloseWithFirstVertex();
  return true;
}

bool CollectVertices(const CJqPolygen& polygon, int maxVertices, std::vector<GraphPoint>& vertices) {
  const int count = polygon.VertexCount();
  if (count < 3) return false;
  const int taken = std::min(count - 1, maxVertices);
  vertices.assign(polygon.Points().begin(), polygon.Points().begin() + taken);
  return true;
}
