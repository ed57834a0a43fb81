#pragma once
// Plane geometry of the rule shapes, on whole pixel coordinates. Distances are computed in double
// and truncated to whole pixels.

#include <cstdint>
#include <vector>

struct GraphPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const GraphPoint&, const GraphPoint&) = default;
};

int PointDistance(GraphPoint a, GraphPoint b);
// The distance from p to the segment ab (to a when the segment is shorter than 2 pixels squared).
int PointToSegmentDistance(GraphPoint p, GraphPoint a, GraphPoint b);
// Only a proper crossing: c and d strictly on opposite sides of ab, and a and b of cd. Touching or
// collinear segments do not cross.
bool SegmentsIntersect(GraphPoint a, GraphPoint b, GraphPoint c, GraphPoint d);
// Even-odd rule over the stored edges (point i to point i + 1); a point on an edge or a vertex is
// inside. Fewer than 2 points: outside.
bool PointInPolygon(const std::vector<GraphPoint>& ring, GraphPoint p);
