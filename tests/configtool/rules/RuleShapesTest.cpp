// The rule shapes' hit tests, vertex search, insertion, deletion and scaling, at scale 1.

#include <gtest/gtest.h>

#include "configtool/features/rules/GraphObjectManager.h"
#include "configtool/features/rules/JqLprRegion.h"
#include "configtool/features/rules/PolygonRing.h"

namespace {

class RuleShapesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GraphObjectManager::Instance().Clear();
    GraphObjectManager::Instance().SetSizes(800, 450, 800, 450);
  }

  template <typename Shape>
  static void Fill(Shape& shape, const std::vector<GraphPoint>& points) {
    shape.ClearPoints();
    for (const GraphPoint& p : points) shape.AppendVertex(p);
    ASSERT_TRUE(CloseRing(shape));
  }

  // A region with `corners` vertices on a circle-like outline (convex).
  static void FillConvex(CJqLprRegion& region, int corners) {
    std::vector<GraphPoint> points;
    const GraphPoint ring[] = {{100, 100}, {300, 60},  {500, 100}, {600, 200}, {500, 350},
                               {300, 400}, {100, 350}, {40, 250},  {60, 150}};
    for (int i = 0; i < corners; ++i) points.push_back(ring[i]);
    Fill(region, points);
  }

  const std::vector<GraphPoint> m_square = {{100, 100}, {500, 100}, {500, 300}, {100, 300}};
};

TEST_F(RuleShapesTest, AHitNearTheOutlineIsNotInsideAndADeeperOneIs) {
  CJqLprRegion region;
  Fill(region, m_square);
  bool inside = true;
  EXPECT_EQ(region.HitTest({105, 200}, inside), 5);
  EXPECT_FALSE(inside);
  EXPECT_EQ(region.HitTest({130, 200}, inside), 30);
  EXPECT_TRUE(inside);
  EXPECT_EQ(region.HitTest({700, 440}, inside), 100);
  EXPECT_FALSE(inside);

  CJqBrokenLine line;
  line.AppendVertex({0, 0});
  EXPECT_EQ(line.HitTest({0, 0}, inside), 100);
  line.AppendVertex({100, 0});
  EXPECT_EQ(line.HitTest({50, 8}, inside), 8);
  EXPECT_FALSE(inside);
}

TEST_F(RuleShapesTest, FindVertexTakesTheNearestAndTheLaterOnATie) {
  CJqPolygen loop;
  Fill(loop, {{100, 100}, {110, 100}, {110, 200}, {100, 200}});
  EXPECT_EQ(loop.FindVertex(105, 100, 10), 1);  // 5 from vertex 0 and vertex 1
  EXPECT_EQ(loop.FindVertex(101, 100, 10), 0);
  EXPECT_EQ(loop.FindVertex(300, 300, 10), -1);
  // The closing copy of vertex 0 is not a vertex of its own.
  CJqPolygen square;
  Fill(square, m_square);
  EXPECT_EQ(square.FindVertex(100, 100, 3), 0);

  CJqBrokenLine open;
  open.AppendVertex({0, 0});
  EXPECT_EQ(open.FindVertex(2, 0, 3), 0);
}

TEST_F(RuleShapesTest, RegionInsertsOnAnEdgeUntilItHoldsNineVertices) {
  CJqLprRegion region;
  FillConvex(region, 8);
  ASSERT_EQ(region.VertexCount(), 9);
  // Midway along the edge from vertex 0 to vertex 1.
  EXPECT_TRUE(region.InsertVertex(200, 80));
  EXPECT_EQ(region.VertexCount(), 10);
  EXPECT_EQ(region.GetActiveVertex(), 1);
  GraphPoint inserted;
  ASSERT_TRUE(region.GetVertex(1, inserted));
  EXPECT_EQ(inserted, (GraphPoint{200, 80}));
  // Nine distinct vertices: no tenth.
  EXPECT_FALSE(region.InsertVertex(400, 80));
  EXPECT_EQ(region.VertexCount(), 10);
}

TEST_F(RuleShapesTest, InsertingNeedsTenPixelsFromBothEndsAndAtMostTenFromTheEdge) {
  struct Case {
    GraphPoint click;
    bool inserted;
  };
  const Case cases[] = {
      {{109, 100}, false},  // 9 from vertex 0
      {{110, 100}, true},   // 10 from vertex 0, far from vertex 1
      {{490, 100}, true},   // 10 from vertex 1
      {{491, 100}, false},  // 9 from vertex 1
      {{300, 110}, true},   // 10 from the edge
      {{300, 89}, false},   // 11 from the edge
  };
  for (const Case& c : cases) {
    CJqLprRegion region;
    Fill(region, m_square);
    EXPECT_EQ(region.InsertVertex(c.click.x, c.click.y), c.inserted) << c.click.x << "," << c.click.y;
  }
  CJqPolygen loop;
  Fill(loop, m_square);
  EXPECT_FALSE(loop.InsertVertex(300, 100));
}

TEST_F(RuleShapesTest, DeletingTheFirstVertexKeepsTheRingClosed) {
  CJqLprRegion region;
  FillConvex(region, 5);
  region.SetActiveVertex(0);
  ASSERT_TRUE(region.DeleteVertex());
  ASSERT_EQ(region.VertexCount(), 5);
  EXPECT_EQ(region.Points().front(), (GraphPoint{300, 60}));
  EXPECT_EQ(region.Points().back(), (GraphPoint{300, 60}));
  // Four vertices are the least a region keeps.
  region.SetActiveVertex(1);
  EXPECT_FALSE(region.DeleteVertex());
  EXPECT_EQ(region.VertexCount(), 5);
}

TEST_F(RuleShapesTest, DeletionNeedsAnActiveVertexAndTheLoopKeepsItsFour) {
  CJqLprRegion region;
  FillConvex(region, 6);
  region.SetActiveVertex(-1);
  EXPECT_FALSE(region.DeleteVertex());
  region.SetActiveVertex(3);
  EXPECT_TRUE(region.DeleteVertex());
  EXPECT_EQ(region.VertexCount(), 6);

  CJqPolygen loop;
  Fill(loop, {{100, 100}, {300, 100}, {400, 300}, {50, 300}});
  loop.SetActiveVertex(2);
  EXPECT_FALSE(loop.DeleteVertex());
  EXPECT_EQ(loop.VertexCount(), 5);
}

TEST_F(RuleShapesTest, ScalingTruncatesEachCoordinate) {
  CJqPolygen loop;
  Fill(loop, {{117, 330}, {683, 330}, {780, 385}, {20, 385}});
  loop.ScalePoints(0.8, 0.8);
  EXPECT_EQ(loop.Points()[0], (GraphPoint{93, 264}));
  EXPECT_EQ(loop.Points()[2], (GraphPoint{624, 308}));
}

}  // namespace
