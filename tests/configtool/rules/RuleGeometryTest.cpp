// Distances, crossings and the inside test of the rule shapes, and closing and reading rings.

#include <gtest/gtest.h>

#include "configtool/features/rules/PolygonRing.h"
#include "configtool/features/rules/RuleGeometry.h"

namespace {

TEST(RuleGeometryTest, DistancesAreTruncatedToWholePixels) {
  EXPECT_EQ(PointDistance({0, 0}, {3, 4}), 5);
  EXPECT_EQ(PointDistance({0, 0}, {1, 1}), 1);
  // Beside, beyond either end, and on a segment.
  EXPECT_EQ(PointToSegmentDistance({5, 7}, {0, 0}, {10, 0}), 7);
  EXPECT_EQ(PointToSegmentDistance({-3, 4}, {0, 0}, {10, 0}), 5);
  EXPECT_EQ(PointToSegmentDistance({13, 4}, {0, 0}, {10, 0}), 5);
  EXPECT_EQ(PointToSegmentDistance({4, 0}, {0, 0}, {10, 0}), 0);
  // A segment of squared length 2 or less counts as its start point.
  EXPECT_EQ(PointToSegmentDistance({4, 4}, {0, 0}, {1, 1}), 5);
}

TEST(RuleGeometryTest, OnlyProperCrossingsIntersect) {
  EXPECT_TRUE(SegmentsIntersect({0, 0}, {10, 10}, {0, 10}, {10, 0}));
  EXPECT_FALSE(SegmentsIntersect({0, 0}, {10, 10}, {10, 10}, {20, 0}));  // shared end
  EXPECT_FALSE(SegmentsIntersect({0, 0}, {10, 0}, {5, 0}, {15, 0}));     // collinear overlap
  EXPECT_FALSE(SegmentsIntersect({0, 0}, {10, 0}, {5, 0}, {5, 10}));     // touching
  EXPECT_FALSE(SegmentsIntersect({0, 0}, {10, 0}, {0, 1}, {10, 1}));     // parallel
}

TEST(RuleGeometryTest, InsideCountsEdgesAndVertices) {
  const std::vector<GraphPoint> square = {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}};
  EXPECT_TRUE(PointInPolygon(square, {50, 50}));
  EXPECT_TRUE(PointInPolygon(square, {100, 40}));
  EXPECT_TRUE(PointInPolygon(square, {0, 0}));
  EXPECT_FALSE(PointInPolygon(square, {101, 50}));
  EXPECT_FALSE(PointInPolygon(square, {50, -1}));
  const std::vector<GraphPoint> concave = {{0, 0}, {100, 0}, {100, 100}, {50, 20}, {0, 100}, {0, 0}};
  EXPECT_FALSE(PointInPolygon(concave, {50, 60}));
  EXPECT_TRUE(PointInPolygon(concave, {20, 30}));
  EXPECT_FALSE(PointInPolygon({{5, 5}}, {5, 5}));
}

void Fill(CJqPolygen& ring, const std::vector<GraphPoint>& points) {
  for (const GraphPoint& p : points) ring.AppendVertex(p);
}

TEST(RuleGeometryTest, ClosingARingThatWouldCrossItselfIsRefusedUnlessForced) {
  CJqPolygen square;
  Fill(square, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
  EXPECT_TRUE(CloseRing(square));
  EXPECT_EQ(square.VertexCount(), 5);
  EXPECT_EQ(square.Points().back(), (GraphPoint{0, 0}));

  // The edge from the last vertex back to the first crosses the second edge.
  const std::vector<GraphPoint> bow = {{0, 0}, {100, 0}, {100, 100}, {200, 50}};
  CJqPolygen refused;
  Fill(refused, bow);
  EXPECT_FALSE(CloseRing(refused));
  EXPECT_EQ(refused.VertexCount(), 4);
  CJqPolygen forced;
  Fill(forced, bow);
  EXPECT_TRUE(CloseRing(forced, RingClosing::Always));
  EXPECT_EQ(forced.VertexCount(), 5);

  CJqPolygen tooFew;
  Fill(tooFew, {{0, 0}, {5, 5}});
  EXPECT_FALSE(CloseRing(tooFew, RingClosing::Always));
}

TEST(RuleGeometryTest, CollectingTakesTheDistinctVerticesUpToTheLimit) {
  std::vector<GraphPoint> vertices = {{9, 9}};
  CJqPolygen two;
  Fill(two, {{0, 0}, {5, 5}});
  EXPECT_FALSE(CollectVertices(two, 12, vertices));
  EXPECT_EQ(vertices.size(), 1u);  // untouched

  CJqPolygen twelve;
  for (int i = 0; i < 12; ++i) twelve.AppendVertex({i * 10, (i % 2) * 50});
  twelve.CloseWithFirstVertex();
  ASSERT_EQ(twelve.VertexCount(), 13);
  ASSERT_TRUE(CollectVertices(twelve, 12, vertices));
  EXPECT_EQ(vertices.size(), 12u);
  EXPECT_EQ(vertices.back(), (GraphPoint{110, 50}));
  ASSERT_TRUE(CollectVertices(twelve, 4, vertices));
  EXPECT_EQ(vertices.size(), 4u);
}

}  // namespace
