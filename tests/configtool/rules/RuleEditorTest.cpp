// The rule editor against a simulated camera: the camera's rules on the first frame, saving in
// thousandths, adding and deleting, loads and saves that fail, and the editor's ends.

#include "tests/configtool/rules/RuleEditorTest.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "configtool/features/rules/RuleDefaults.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/render/Canvas.h"

namespace configtool::test {
namespace {

TEST_F(RuleEditorTest, TheMainWindowOpensTheEditorOnTheOpenCamera) {
  OpenCameraOk();
  Driver().Click("btn_rule_cfg");
  const HWND editor = WaitForDialog("ruleCfg");
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(Driver().Exists("lst_rules", editor));
  Driver().Click("closebtn", editor);
  EXPECT_FALSE(IsOpen("ruleCfg"));
}

TEST_F(RuleEditorTest, TheFirstFrameShowsTheCamerasLoopAndRegion) {
  std::filesystem::copy_file(LPR_TEST_PLATE_HINT, harness.AppFolder() / "blue_plate.png");
  OpenEditor();
  EXPECT_FALSE(Editor<bool>([](CRuleCfgDlg& e) { return e.HasLoop() || e.HasRegion(); }));
  FirstFrame();
  // The camera's loop (150, 700) (850, 700) (950, 850) (50, 850) and region (50, 50) (950, 50)
  // (990, 990) (10, 990), in thousandths, on the 800 x 450 picture; the rings are closed.
  EXPECT_EQ(LoopPoints(), (std::vector<GraphPoint>{{120, 315}, {680, 315}, {760, 382}, {40, 382}, {120, 315}}));
  EXPECT_EQ(RegionPoints(), (std::vector<GraphPoint>{{40, 22}, {760, 22}, {792, 445}, {8, 445}, {40, 22}}));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"线圈1", "识别区域"}));
  SaveScreenshot(m_hwnd, "rule_editor.png");
  // The plate-size reference (1.05 x 120 x 800 / 1920 pixels wide, centred, 70 % down) until its
  // option is cleared.
  const auto plate = [&] {
    Driver().AdvanceClock(std::chrono::milliseconds(40));
    return Driver().Get<DWORD>([&] {
      const ui::Canvas* picture = ui::HostWindowPicture(m_hwnd);
      const RECT video = Driver().Control("play_control", m_hwnd)->GetPos();
      return picture != nullptr ? picture->ColorAt(video.left + 385, video.top + 322) : 0;
    });
  };
  const DWORD shown = plate();
  Driver().Click("intell_opt_remind", m_hwnd);
  const DWORD hidden = plate();
  int difference = 0;
  for (const int shift : {0, 8, 16})
    difference += std::abs(static_cast<int>((shown >> shift) & 0xFF) - static_cast<int>((hidden >> shift) & 0xFF));
  EXPECT_GT(difference, 60) << std::hex << shown << " " << hidden;
}

TEST_F(RuleEditorTest, SavingSendsTheVerticesInThousandthsAndKeepsTheRest) {
  OpenEditorWithFirstFrame();
  const CameraClientPolygonRules before = CameraLoop();
  EXPECT_EQ(Save(), "保存配置成功！");
  const CameraClientPolygonRules loop = CameraLoop();
  EXPECT_EQ(loop.rule.points[0].x, 150);
  EXPECT_EQ(loop.rule.points[0].y, 700);
  EXPECT_EQ(loop.rule.points[2].y, 848);  // 382 of 450 pixels
  EXPECT_EQ(loop.count, before.count);
  EXPECT_EQ(loop.rule.minWidth, before.rule.minWidth);
  EXPECT_EQ(std::string(loop.rule.name), std::string(before.rule.name));
  const CameraClientRegion region = CameraRegion();
  EXPECT_EQ(region.uNumVertex, 4u);
  EXPECT_EQ(region.vertices[2].x, 990);
  EXPECT_EQ(region.vertices[2].y, 988);
  EXPECT_EQ(region.byEnable, 1);
}

TEST_F(RuleEditorTest, SavedRulesComeBackThroughTheirThousandths) {
  OpenEditorWithFirstFrame();
  EXPECT_EQ(Save(), "保存配置成功！");
  Driver().Click("closebtn", m_hwnd);
  OpenEditor();
  FirstFrame();
  // (760, 382) went as (950, 848) and comes back as (760, 381).
  EXPECT_EQ(LoopPoints(), (std::vector<GraphPoint>{{120, 315}, {680, 315}, {760, 381}, {40, 381}, {120, 315}}));
}

TEST_F(RuleEditorTest, ARegionOfTwelveVerticesAndACrossedLoopComeBackWhole) {
  harness.Camera(0).With([](camsim::CameraState& s) {
    CameraClientRegion& region = s.settings.region;
    region.uNumVertex = 12;
    for (int i = 0; i < 12; ++i) region.vertices[i] = CameraClientPoint{100 + i * 60, i % 2 == 0 ? 100 : 900};
    // A loop whose edges cross: kept, closed and sent back with all four vertices.
    const CameraClientPoint bow[4] = {{100, 100}, {900, 900}, {900, 100}, {100, 900}};
    std::copy(std::begin(bow), std::end(bow), s.settings.polygonRules.rule.points);
  });
  OpenEditorWithFirstFrame();
  EXPECT_EQ(RegionPoints().size(), 13u);
  EXPECT_EQ(LoopPoints().size(), 5u);
  EXPECT_EQ(Save(), "保存配置成功！");
  const CameraClientRegion region = CameraRegion();
  EXPECT_EQ(region.uNumVertex, 12u);
  EXPECT_EQ(region.vertices[11].x, 760);
  EXPECT_EQ(region.vertices[11].y, 900);
  const CameraClientPolygonRules loop = CameraLoop();
  EXPECT_EQ(loop.rule.points[1].x, 900);
  EXPECT_EQ(loop.rule.points[3].y, 900);
}

TEST_F(RuleEditorTest, RulesAddedBeforeTheFirstFrameAreTheOnlyOnesAndGoOverTheCamerasBytes) {
  harness.Camera(0).With([](camsim::CameraState& s) {
    s.settings.polygonRules.rule.id = 7;
    s.settings.polygonRules.reserved156[0] = 0x5A;
    s.settings.region.reserved3[0] = 0x6B;
  });
  OpenEditor();
  Driver().Click("btn_add_rule", m_hwnd);
  Driver().Click("btn_add_ploygen", m_hwnd);
  const auto image = Driver().Get<std::pair<int, int>>([] {
    return std::make_pair(GraphObjectManager::Instance().ImageWidth(), GraphObjectManager::Instance().ImageHeight());
  });
  FirstFrame();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"默认电子线圈", "识别区域"}));
  // The shapes drawn on the picture of before (4000 x 3000 in a fresh program) are rescaled to
  // 800 x 450; the region was placed on the 800 x 450 view in that picture's pixels.
  const auto rescaled = [&](GraphPoint p) {
    return GraphPoint{static_cast<int>(p.x * 800.0 / image.first), static_cast<int>(p.y * 450.0 / image.second)};
  };
  EXPECT_EQ(LoopPoints().size(), 5u);
  EXPECT_EQ(LoopPoints().front(), rescaled(DefaultLoopVertices(image.first, image.second)[0]));
  EXPECT_EQ(RegionPoints().size(), 5u);
  EXPECT_EQ(RegionPoints()[1], rescaled(DefaultRegionVertices(800, 450, image.first, image.second)[1]));

  EXPECT_EQ(Save(), "保存配置成功！");
  const CameraClientPolygonRules loop = CameraLoop();
  EXPECT_EQ(std::string(loop.rule.name), "默认电子线圈");
  EXPECT_EQ(loop.count, 1u);
  EXPECT_EQ(loop.rule.id, 7);
  EXPECT_EQ(loop.reserved156[0], 0x5A);
  const CameraClientRegion region = CameraRegion();
  EXPECT_EQ(region.uNumVertex, 4u);
  EXPECT_EQ(region.reserved3[0], 0x6B);
}

TEST_F(RuleEditorTest, EscapeAfterTheFirstFrameCameDuringADragPutsTheShapeBackOnThePicture) {
  OpenEditor();
  Driver().Click("btn_add_ploygen", m_hwnd);
  // Before the first frame the view's point is the picture's: the region's first vertex is there.
  const GraphPoint corner = RegionPoints().front();
  ASSERT_TRUE(Driver().PressAt(Video(), POINT{corner.x, corner.y}));
  ASSERT_TRUE(Driver().MoveAt(Video(), POINT{corner.x + 10, corner.y}));
  FirstFrame();
  Driver().PressKey(VK_ESCAPE);
  ASSERT_TRUE(Driver().ReleaseAt(Video(), POINT{corner.x + 10, corner.y}));
  // Back where it was, in the pixels of the 800 x 450 picture.
  EXPECT_EQ(RegionPoints().front(), (GraphPoint{60, 60}));
  for (const GraphPoint& p : RegionPoints()) EXPECT_TRUE(p.x < 800 && p.y < 450) << p.x << "," << p.y;
}

TEST_F(RuleEditorTest, ALoopDeletedBeforeTheFirstFrameLeavesTheCamerasRecordAlone) {
  // The camera holds no loop, but bytes of its own in the record.
  harness.Camera(0).With([](camsim::CameraState& s) {
    s.settings.polygonRules.count = 0;
    s.settings.polygonRules.reserved156[0] = 0x5A;
  });
  const CameraClientPolygonRules before = CameraLoop();
  OpenEditor();
  Driver().Click("btn_add_rule", m_hwnd);
  ASSERT_TRUE(Driver().Select("lst_rules", 0, m_hwnd));
  Driver().Click("btn_delete_rule", m_hwnd);
  FirstFrame();
  EXPECT_FALSE(Editor<bool>([](CRuleCfgDlg& e) { return e.HasLoop(); }));
  EXPECT_EQ(Save(), "保存配置成功！");
  const CameraClientPolygonRules after = CameraLoop();
  EXPECT_EQ(std::memcmp(&before, &after, sizeof(before)), 0);
}

TEST_F(RuleEditorTest, ARuleWhoseRowCannotBeMadeIsTakenBack) {
  OpenEditor();
  // Neither the camera's rules on the first frame nor the operator's new ones can be listed.
  WithoutRowTemplate([&] {
    FirstFrame();
    Driver().Click("btn_add_rule", m_hwnd);
    Driver().Click("btn_add_ploygen", m_hwnd);
  });
  EXPECT_TRUE(Rows().empty());
  EXPECT_FALSE(Editor<bool>([](CRuleCfgDlg& e) {
    return e.HasLoop() || e.HasRegion() || e.Loop().VertexCount() > 0 || e.Region().VertexCount() > 0 ||
           GraphObjectManager::Instance().Count() > 0;
  }));
  // What is not listed is not sent back.
  EXPECT_EQ(Save(), "保存配置成功！");
  EXPECT_EQ(Calls(Operation::SetPolygonRules), 0u);
  EXPECT_EQ(Calls(Operation::SetRecognitionRegion), 0u);
  // With rows to be had, each rule can be added once more.
  Driver().Click("btn_add_rule", m_hwnd);
  Driver().Click("btn_add_ploygen", m_hwnd);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"默认电子线圈", "识别区域"}));
}

TEST_F(RuleEditorTest, ARegionStoredDisabledIsShownAndKept) {
  harness.Camera(0).With([](camsim::CameraState& s) { s.settings.region.byEnable = 0; });
  OpenEditorWithFirstFrame();
  EXPECT_TRUE(Editor<bool>([](CRuleCfgDlg& e) { return e.HasRegion(); }));
  Driver().Click("btn_add_ploygen", m_hwnd);
  EXPECT_EQ(harness.DismissMessageBox(), "只允许配置一个识别区域！");
  Driver().Click("btn_add_rule", m_hwnd);
  EXPECT_EQ(harness.DismissMessageBox(), "只允许配置一个虚拟线圈！");
  EXPECT_EQ(Save(), "保存配置成功！");
  EXPECT_EQ(CameraRegion().byEnable, 0);
  EXPECT_EQ(CameraRegion().uNumVertex, 4u);
}

TEST_F(RuleEditorTest, ARecordThatCouldNotBeReadIsNeverSent) {
  Fail(Operation::GetPolygonRules);
  const CameraClientPolygonRules before = CameraLoop();
  OpenEditorWithFirstFrame();
  EXPECT_FALSE(Editor<bool>([](CRuleCfgDlg& e) { return e.HasLoop(); }));
  EXPECT_TRUE(Editor<bool>([](CRuleCfgDlg& e) { return e.HasRegion(); }));
  EXPECT_EQ(Rows(), std::vector<std::string>{"识别区域"});
  EXPECT_EQ(Save(), "保存配置成功！");
  EXPECT_EQ(Calls(Operation::SetPolygonRules), 0u);
  EXPECT_EQ(Calls(Operation::SetRecognitionRegion), 1u);

  // A loop the operator adds cannot go while the camera's loop cannot be read...
  Driver().Click("btn_add_rule", m_hwnd);
  EXPECT_EQ(Save(), "保存失败，请重试！");
  EXPECT_EQ(Calls(Operation::SetPolygonRules), 0u);
  const CameraClientPolygonRules unchanged = CameraLoop();
  EXPECT_EQ(std::memcmp(&before, &unchanged, sizeof(before)), 0);
  // ...and goes over the camera's bytes once it can.
  harness.Camera(0).Faults().Clear(Operation::GetPolygonRules);
  EXPECT_EQ(Save(), "保存配置成功！");
  const CameraClientPolygonRules after = CameraLoop();
  EXPECT_EQ(std::string(after.rule.name), "默认电子线圈");
  EXPECT_EQ(after.rule.id, before.rule.id);
}

TEST_F(RuleEditorTest, AFailedSendSaysSoAndTheOtherRecordStillGoes) {
  OpenEditorWithFirstFrame();
  Fail(Operation::SetRecognitionRegion);
  EXPECT_EQ(Save(), "保存失败，请重试！");
  EXPECT_EQ(Calls(Operation::SetPolygonRules), 1u);
  EXPECT_EQ(Calls(Operation::SetRecognitionRegion), 1u);
  harness.Camera(0).Faults().Clear(Operation::SetRecognitionRegion);
  Fail(Operation::SetPolygonRules);
  EXPECT_EQ(Save(), "保存失败，请重试！");
  EXPECT_EQ(Calls(Operation::SetRecognitionRegion), 2u);
}

TEST_F(RuleEditorTest, ADeletedRuleGoesEmptyAndCanBeAddedAgain) {
  OpenEditorWithFirstFrame();
  ASSERT_TRUE(Driver().Select("lst_rules", 1, m_hwnd));
  EXPECT_EQ(Editor<bool>([](CRuleCfgDlg& e) { return e.SelectedShape() == &e.Region(); }), true);
  Driver().Click("btn_delete_rule", m_hwnd);
  EXPECT_FALSE(Editor<bool>([](CRuleCfgDlg& e) { return e.HasRegion(); }));
  EXPECT_EQ(Rows(), std::vector<std::string>{"线圈1"});
  EXPECT_EQ(Save(), "保存配置成功！");
  const CameraClientRegion empty{};
  const CameraClientRegion sent = CameraRegion();
  EXPECT_EQ(std::memcmp(&empty, &sent, sizeof(empty)), 0);

  // Placed on the 800 x 450 view, nearly all of it.
  Driver().Click("btn_add_ploygen", m_hwnd);
  EXPECT_EQ(RegionPoints(), (std::vector<GraphPoint>{{60, 60}, {740, 60}, {790, 440}, {10, 440}, {60, 60}}));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"线圈1", "识别区域"}));
  EXPECT_EQ(Save(), "保存配置成功！");
  EXPECT_EQ(CameraRegion().uNumVertex, 4u);
  EXPECT_EQ(CameraRegion().byEnable, 1);
  EXPECT_EQ(CameraRegion().vertices[1].x, 925);
}

TEST_F(RuleEditorTest, EveryWayOfClosingStopsTheVideo) {
  for (const char* way : {"closebtn", "frame", "destroy"}) {
    SCOPED_TRACE(way);
    OpenEditorWithFirstFrame();
    const std::string name = way;
    if (name == "closebtn") Driver().Click("closebtn", m_hwnd);
    if (name == "frame") Driver().Run([&] { ui::HostCloseRequest(m_hwnd); });
    if (name == "destroy") Driver().Run([&] { ui::DestroyWindow(m_hwnd); });
    Driver().WaitUntilIdle();
    EXPECT_FALSE(IsOpen("ruleCfg"));
    // Frames after the close reach nothing of the editor.
    harness.Camera(0).StepVideo(2);
    harness.Eventually([] { return true; }, std::chrono::milliseconds(300));
    Driver().Click("btn_close");
  }
}

}  // namespace
}  // namespace configtool::test
