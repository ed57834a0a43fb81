// The registry of shapes: sizes and scales, conversions, rescaling, picking, hover and selection.

#include <gtest/gtest.h>

#include "configtool/features/rules/GraphObjectManager.h"
#include "configtool/features/rules/JqLprRegion.h"
#include "configtool/features/rules/PolygonRing.h"

namespace {

class GraphObjectManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    manager.Clear();
    manager.SetSizes(800, 450, 800, 450);
  }
  void TearDown() override { manager.Clear(); }

  static void Fill(CJqPolygen& shape, const std::vector<GraphPoint>& points) {
    shape.ClearPoints();
    for (const GraphPoint& p : points) shape.AppendVertex(p);
    CloseRing(shape);
    shape.SetState(kShapeNormal);
  }

  GraphObjectManager& manager = GraphObjectManager::Instance();
};

TEST_F(GraphObjectManagerTest, ScalesFollowTheViewOverTheImage) {
  EXPECT_DOUBLE_EQ(manager.ScaleX(), 1.0);
  EXPECT_EQ(manager.ScreenToImage({123, 45}), (GraphPoint{123, 45}));
  manager.SetSizes(800, 450, 400, 900);
  EXPECT_DOUBLE_EQ(manager.ScaleX(), 0.5);
  EXPECT_DOUBLE_EQ(manager.ScaleY(), 2.0);
  EXPECT_EQ(manager.ScreenToImage({123, 45}), (GraphPoint{246, 22}));
  EXPECT_EQ(manager.ImageToScreenX(3), 2);  // ceil(1.5)
  EXPECT_EQ(manager.ImageToScreenY(3), 6);
  EXPECT_EQ(manager.Tolerance(), 20);
  EXPECT_EQ(manager.ClampToImage({-4, 900}), (GraphPoint{0, 448}));
  // Sizes of 0 or less change nothing.
  manager.SetSizes(0, 450, 800, 450);
  EXPECT_EQ(manager.ImageWidth(), 800);
  EXPECT_EQ(manager.ViewWidth(), 400);
}

TEST_F(GraphObjectManagerTest, ANewImageSizeRescalesEveryShape) {
  CJqPolygen loop;
  Fill(loop, {{117, 330}, {683, 330}, {780, 385}, {20, 385}});
  manager.Add(&loop);
  manager.SetSizes(640, 360, 640, 360);
  EXPECT_EQ(loop.Points()[0], (GraphPoint{93, 264}));
  // The same size again leaves the vertices alone.
  manager.SetSizes(640, 360, 800, 450);
  EXPECT_EQ(loop.Points()[0], (GraphPoint{93, 264}));
}

TEST_F(GraphObjectManagerTest, PickPrefersAnOutlineWithinTenPixelsOverAnInsideHit) {
  CJqLprRegion big;
  Fill(big, {{100, 100}, {700, 100}, {700, 400}, {100, 400}});
  CJqPolygen small;
  Fill(small, {{300, 200}, {500, 200}, {500, 300}, {300, 300}});
  manager.Add(&big);
  manager.Add(&small);
  EXPECT_EQ(manager.Pick({400, 250}), &small);  // inside both: the nearer outline wins
  EXPECT_EQ(manager.Pick({200, 250}), &big);    // inside big only
  EXPECT_EQ(manager.Pick({295, 250}), &small);  // inside big, 5 from small's outline
  EXPECT_EQ(manager.Pick({750, 420}), nullptr);
  EXPECT_EQ(manager.Pick({708, 250}), &big);  // outside, within 10 of its outline

  // Two outlines at the same distance: the one added first.
  CJqPolygen twin;
  Fill(twin, {{100, 100}, {700, 100}, {700, 400}, {100, 400}});
  manager.Add(&twin);
  EXPECT_EQ(manager.Pick({105, 250}), &big);
}

TEST_F(GraphObjectManagerTest, HoverAndSelectionSetTheStates) {
  CJqPolygen a;
  Fill(a, {{100, 100}, {300, 100}, {300, 300}, {100, 300}});
  CJqPolygen b;
  Fill(b, {{500, 100}, {700, 100}, {700, 300}, {500, 300}});
  manager.Add(&a);
  manager.Add(&b);
  manager.UpdateHover({200, 200});
  EXPECT_EQ(a.GetState(), kShapeHover);
  manager.UpdateHover({600, 200});
  EXPECT_EQ(a.GetState(), kShapeNormal);
  EXPECT_EQ(b.GetState(), kShapeHover);
  // Off both, the hover stays.
  manager.UpdateHover({400, 420});
  EXPECT_EQ(manager.Hovered(), &b);

  manager.Select(&a);
  a.SetActiveVertex(2);
  EXPECT_EQ(a.GetState(), kShapeSelected);
  manager.UpdateHoverVertex({301, 299});
  EXPECT_EQ(a.GetHoverVertex(), 2);
  manager.UpdateHover({200, 200});
  EXPECT_EQ(a.GetState(), kShapeSelected);  // hovering keeps a selection

  manager.Select(&b);
  EXPECT_EQ(a.GetState(), kShapeNormal);
  EXPECT_EQ(a.GetActiveVertex(), -1);
  EXPECT_EQ(a.GetHoverVertex(), -1);

  // Selecting nothing leaves no selection and no highlight behind.
  manager.UpdateHover({200, 200});
  manager.Select(nullptr);
  EXPECT_EQ(manager.Selected(), nullptr);
  EXPECT_EQ(manager.Hovered(), nullptr);
  EXPECT_EQ(a.GetState(), kShapeNormal);
  EXPECT_EQ(b.GetState(), kShapeNormal);
}

TEST_F(GraphObjectManagerTest, RemovingForgetsSelectionHoverAndName) {
  CJqPolygen a;
  Fill(a, {{100, 100}, {300, 100}, {300, 300}, {100, 300}});
  a.SetName("线圈A");
  manager.Add(&a);
  EXPECT_EQ(manager.FindByName("线圈A"), &a);
  EXPECT_EQ(manager.FindByName("线圈"), nullptr);
  manager.UpdateHover({200, 200});
  manager.Select(&a);
  manager.Remove(&a);
  EXPECT_EQ(manager.Count(), 0);
  EXPECT_EQ(manager.Selected(), nullptr);
  EXPECT_EQ(manager.Hovered(), nullptr);
  EXPECT_EQ(manager.FindByName("线圈A"), nullptr);
}

}  // namespace
