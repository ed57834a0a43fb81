// Editing the shapes with the mouse on the video: whole-shape and vertex drags with their limits,
// Escape, keys and the window's end during a drag, inserting and deleting vertices.

#include <utility>

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/host/Host.h"
#include "tests/configtool/rules/RuleEditorTest.h"

namespace configtool::test {
namespace {

// The camera's loop on the 800 x 450 picture: (120, 315) (680, 315) (760, 382) (40, 382); the
// region (40, 22) (760, 22) (792, 445) (8, 445). The view is the picture, at scale 1.
class RuleDragTest : public RuleEditorTest {
 protected:
  void SetUp() override {
    RuleEditorTest::SetUp();
    OpenEditorWithFirstFrame();
  }
  // The cursor's id and the window that has the mouse captured.
  std::pair<int, HWND> Mouse() {
    return Driver().Get<std::pair<int, HWND>>([] {
      const ui::HCURSOR cursor = ui::SetCursor(nullptr);
      ui::SetCursor(cursor);
      return std::make_pair(ui::CursorIdOf(cursor), ui::GetCapture());
    });
  }
  int ActiveVertex() {
    return Editor<int>(
        [](CRuleCfgDlg& e) { return e.SelectedShape() != nullptr ? e.SelectedShape()->GetActiveVertex() : -2; });
  }
};

TEST_F(RuleDragTest, DraggingInsideTheLoopMovesItWholeUntilItMeetsThePicturesEdge) {
  Drag(POINT{400, 350}, POINT{420, 340});
  EXPECT_EQ(LoopPoints(), (std::vector<GraphPoint>{{140, 305}, {700, 305}, {780, 372}, {60, 372}, {140, 305}}));
  // Right: the rightmost vertex stops at 798 (W - 2); the loop keeps its form.
  Drag(POINT{420, 340}, POINT{620, 340});
  const std::vector<GraphPoint> loop = LoopPoints();
  EXPECT_EQ(loop[2].x, 798);
  EXPECT_EQ(loop[1].x - loop[0].x, 560);
  EXPECT_EQ(loop[3].x, 78);
  EXPECT_EQ(Editor<bool>([](CRuleCfgDlg& e) { return e.SelectedShape() == &e.Loop(); }), true);
}

TEST_F(RuleDragTest, AVertexFollowsTheMouseButNeverCrossesAnEdgeOrLeavesThePicture) {
  Drag(POINT{680, 315}, POINT{700, 300});
  EXPECT_EQ(LoopPoints()[1], (GraphPoint{700, 300}));
  // Below the far edge the ring would cross itself: the vertex stays where it was last allowed
  // (the drag passes (700, 360) on its way).
  Drag(POINT{700, 300}, POINT{700, 420});
  EXPECT_EQ(LoopPoints()[1], (GraphPoint{700, 360}));
  // The first vertex moves its closing copy with it; beyond the picture it is held inside.
  Drag(POINT{120, 315}, POINT{-30, 200});
  EXPECT_EQ(LoopPoints().front(), (GraphPoint{0, 200}));
  EXPECT_EQ(LoopPoints().back(), (GraphPoint{0, 200}));
}

TEST_F(RuleDragTest, EscapePutsTheShapeBackAndKeysDoNothingElseDuringADrag) {
  const std::vector<GraphPoint> before = LoopPoints();
  const std::pair<int, HWND> mouse = Mouse();
  ASSERT_TRUE(Driver().PressAt(Video(), POINT{400, 350}));
  ASSERT_TRUE(Driver().MoveAt(Video(), POINT{420, 360}));
  EXPECT_NE(LoopPoints(), before);
  EXPECT_EQ(Mouse(), std::make_pair(static_cast<int>(ui::IDC_SIZEALL), Video()));
  Driver().PressKey(VK_DELETE);
  Driver().PressKey(VK_ESCAPE);
  EXPECT_EQ(LoopPoints(), before);
  EXPECT_EQ(Mouse(), mouse);
  ASSERT_TRUE(Driver().ReleaseAt(Video(), POINT{420, 360}));
  EXPECT_EQ(LoopPoints(), before);
}

TEST_F(RuleDragTest, DoubleClickOnTheRegionsEdgeInsertsAVertexAndDeleteRemovesIt) {
  ASSERT_TRUE(Driver().DoubleClickAt(Video(), POINT{400, 22}));
  EXPECT_EQ(RegionPoints().size(), 6u);
  EXPECT_EQ(RegionPoints()[1], (GraphPoint{400, 22}));
  EXPECT_EQ(ActiveVertex(), 1);
  EXPECT_EQ(Save(), "保存配置成功！");
  EXPECT_EQ(CameraRegion().uNumVertex, 5u);

  // A drag of the new vertex swallows Delete; afterwards Delete removes the active vertex.
  ASSERT_TRUE(Driver().PressAt(Video(), POINT{400, 22}));
  ASSERT_TRUE(Driver().MoveAt(Video(), POINT{400, 40}));
  Driver().PressKey(VK_DELETE);
  ASSERT_TRUE(Driver().ReleaseAt(Video(), POINT{400, 40}));
  EXPECT_EQ(RegionPoints().size(), 6u);
  EXPECT_EQ(RegionPoints()[1], (GraphPoint{400, 40}));
  Driver().PressKey(VK_DELETE);
  EXPECT_EQ(RegionPoints().size(), 5u);
  // Four vertices are the least: Delete on one of them does nothing.
  Drag(POINT{760, 22}, POINT{760, 22});
  Driver().PressKey(VK_DELETE);
  EXPECT_EQ(RegionPoints().size(), 5u);
  // The loop takes no vertex.
  ASSERT_TRUE(Driver().DoubleClickAt(Video(), POINT{400, 315}));
  EXPECT_EQ(LoopPoints().size(), 5u);
}

TEST_F(RuleDragTest, APressOnNothingClearsTheSelection) {
  Drag(POINT{400, 350}, POINT{400, 350});
  EXPECT_EQ(Editor<bool>([](CRuleCfgDlg& e) { return e.SelectedShape() == &e.Loop(); }), true);
  Drag(POINT{400, 200}, POINT{400, 200});  // inside the region, far from its outline: the region
  EXPECT_EQ(Editor<bool>([](CRuleCfgDlg& e) { return e.SelectedShape() == &e.Region(); }), true);
  Driver().Click("btn_delete_rule", m_hwnd);
  EXPECT_FALSE(Editor<bool>([](CRuleCfgDlg& e) { return e.HasRegion(); }));
  Drag(POINT{400, 100}, POINT{400, 100});
  EXPECT_EQ(Editor<bool>([](CRuleCfgDlg& e) { return e.SelectedShape() == nullptr; }), true);
  EXPECT_EQ(Editor<int>([](CRuleCfgDlg& e) { return e.Loop().GetState(); }), kShapeNormal);
}

TEST_F(RuleDragTest, TheWindowMayGoDuringADrag) {
  ASSERT_TRUE(Driver().PressAt(Video(), POINT{400, 350}));
  ASSERT_TRUE(Driver().MoveAt(Video(), POINT{410, 350}));
  Driver().Run([&] { ui::HostCloseRequest(m_hwnd); });
  Driver().WaitUntilIdle();
  EXPECT_FALSE(IsOpen("ruleCfg"));
  harness.Camera(0).StepVideo(1);
  harness.Eventually([] { return true; }, std::chrono::milliseconds(200));
  EXPECT_TRUE(IsOpen("Corvex"));
}

TEST_F(RuleDragTest, QuittingDuringADragEndsItAndTheLoopsAroundIt) {
  const std::pair<int, HWND> mouse = Mouse();
  ASSERT_TRUE(Driver().PressAt(Video(), POINT{400, 350}));
  ASSERT_TRUE(Driver().MoveAt(Video(), POINT{410, 350}));
  Driver().Run([] { ui::PostQuitMessage(0); });
  Driver().WaitUntilIdle();
  EXPECT_EQ(Driver().QuitCount(), 1);
  EXPECT_EQ(Mouse(), mouse);
  EXPECT_EQ(LoopPoints()[0], (GraphPoint{130, 315}));
}

TEST_F(RuleDragTest, LosingTheCaptureEndsTheDragWhereItIs) {
  ASSERT_TRUE(Driver().PressAt(Video(), POINT{400, 350}));
  ASSERT_TRUE(Driver().MoveAt(Video(), POINT{410, 350}));
  Driver().Run([&] { ui::HostActivation(m_hwnd, false); });
  const std::vector<GraphPoint> moved = LoopPoints();
  EXPECT_EQ(moved[0], (GraphPoint{130, 315}));
  // The mouse moving on afterwards drags nothing.
  ASSERT_TRUE(Driver().MoveAt(Video(), POINT{500, 350}));
  ASSERT_TRUE(Driver().ReleaseAt(Video(), POINT{500, 350}));
  EXPECT_EQ(LoopPoints(), moved);
}

}  // namespace
}  // namespace configtool::test
