// The rule rows' parameter dialogs, the lens options and focus of the zoom model, and the install
// distance of the fixed-focus models.

#include <cstring>

#include "tests/configtool/rules/RuleEditorTest.h"

namespace configtool::test {
namespace {

class RuleParamsTest : public RuleEditorTest {
 protected:
  // Opens the loop's parameters from its row and fills the fields.
  void EditLoop(const std::string& name, const std::string& minimum, const std::string& maximum,
                const std::string& interval) {
    if (!IsOpen("ruleLPRSet")) ClickRowButton(0);
    ASSERT_NE(WaitForDialog("ruleLPRSet"), nullptr);
    SetText("dlg_edit_rule_name", name);
    SetText("dlg_edit_rule_min", minimum);
    SetText("dlg_edit_rule_max", maximum);
    SetText("dlg_edit_lpr_time", interval);
    Driver().Click("ok");
  }
};

TEST_F(RuleParamsTest, TheLoopDialogChecksEachFieldWhole) {
  OpenEditorWithFirstFrame();
  ClickRowButton(0);
  ASSERT_NE(WaitForDialog("ruleLPRSet"), nullptr);
  EXPECT_EQ(Text("lp_width_hint"), "(45-600)");
  EXPECT_EQ(Text("dlg_edit_rule_name"), "线圈1");
  EXPECT_EQ(Text("dlg_edit_rule_min"), "45");
  EXPECT_EQ(Text("dlg_edit_rule_max"), "400");
  EXPECT_EQ(Text("dlg_edit_lpr_time"), "10");

  const std::string range = "车牌检测的大小范围需要在45-600之间！";
  struct Case {
    const char* name;
    const char* minimum;
    const char* maximum;
    const char* interval;
    std::string message;
  };
  const Case cases[] = {
      {"", "45", "600", "10", "请输入规则名称！"},
      {"A", "44", "600", "10", range},
      {"A", "45", "601", "10", range},
      {"A", "abc", "600", "10", range},
      {"A", "45", "1x", "10", range},
      {"A", "300", "200", "10", "最大尺寸需要大于等于最小尺寸！"},
      {"A", "45", "600", "256", "相同车牌触发间隔时间应在0-255秒之间! "},
      {"A", "45", "600", "-1", "相同车牌触发间隔时间应在0-255秒之间! "},
      {"A", "45", "600", "9x", "相同车牌触发间隔时间应在0-255秒之间! "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message + " " + c.minimum + " " + c.maximum + " " + c.interval);
    EditLoop(c.name, c.minimum, c.maximum, c.interval);
    EXPECT_EQ(harness.DismissMessageBox(), c.message);
    EXPECT_TRUE(IsOpen("ruleLPRSet"));
  }
  EXPECT_EQ(Editor<int>([](CRuleCfgDlg& e) { return e.LoopRecord().rule.minWidth; }), 45);

  // The bounds pass; the name shows on the row and beside the drawn loop, cut to 31 bytes.
  const std::string longName = std::string(30, 'L') + "线";
  EditLoop(longName, "45", "600", "255");
  EXPECT_FALSE(IsOpen("ruleLPRSet"));
  EXPECT_EQ(Rows().front(), std::string(30, 'L'));
  EXPECT_EQ(Editor<std::string>([](CRuleCfgDlg& e) { return e.Loop().GetName(); }), std::string(30, 'L'));
  EXPECT_EQ(Save(), "保存配置成功！");
  const CameraClientPolygonRules loop = CameraLoop();
  EXPECT_EQ(std::string(loop.rule.name), std::string(30, 'L'));
  EXPECT_EQ(loop.rule.maxWidth, 600);
  EXPECT_EQ(loop.rule.interval, 255);
}

TEST_F(RuleParamsTest, ALoopNamedLikeTheRegionStillOpensTheLoopsDialog) {
  harness.Camera(0).With([](camsim::CameraState& s) {
    std::strcpy(s.settings.polygonRules.rule.name, "识别区域");
    s.settings.polygonRules.rule.direction = 7;
  });
  OpenEditorWithFirstFrame();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"识别区域", "识别区域"}));
  ClickRowButton(0);
  ASSERT_NE(WaitForDialog("ruleLPRSet"), nullptr);
  EXPECT_EQ(Text("dlg_cmb_dir"), "双向触发");  // a stored direction beyond the items shows the first
  Driver().Click("cancel");
  ClickRowButton(1);
  ASSERT_NE(WaitForDialog("ruleRegionSet"), nullptr);
  EXPECT_TRUE(IsSelected("dlg_opt_enable_rule"));
  Driver().Click("dlg_opt_enable_rule");
  Driver().Click("ok");
  EXPECT_FALSE(IsOpen("ruleRegionSet"));
  EXPECT_EQ(Save(), "保存配置成功！");
  EXPECT_EQ(CameraRegion().byEnable, 0);
  EXPECT_EQ(CameraRegion().byDraw, 1);
}

TEST_F(RuleParamsTest, DraggingSwitchesTheZoomModelToWideAngleWithAHint) {
  harness.Camera(0).With([](camsim::CameraState& s) {
    s.settings.lensMode = 1;
    s.settings.lensDepth = 1;
  });
  OpenEditorWithFirstFrame();
  EXPECT_TRUE(Driver().IsVisible("radio_long_focus", m_hwnd));
  EXPECT_TRUE(IsSelected("radio_long_focus"));
  EXPECT_TRUE(IsSelected("opt_overly_depth"));
  EXPECT_FALSE(IsSelected("opt_overly_small"));
  EXPECT_TRUE(Driver().IsVisible("intell_pan_zoom", m_hwnd));
  EXPECT_FALSE(Driver().IsVisible("intell_pan_fixed_focus", m_hwnd));

  Drag(POINT{400, 350}, POINT{410, 350});
  EXPECT_TRUE(IsSelected("radio_wide_angle"));
  EXPECT_EQ(harness.Camera(0).With([](camsim::CameraState& s) { return s.settings.lensMode; }), 0);
  EXPECT_EQ(harness.Camera(0).With([](camsim::CameraState& s) { return s.settings.lensDepth; }), 1);
  EXPECT_TRUE(Editor<bool>([](CRuleCfgDlg& e) { return e.ShowsWideAngleHint(); }));
  Driver().AdvanceClock(std::chrono::milliseconds(5100));
  EXPECT_FALSE(Editor<bool>([](CRuleCfgDlg& e) { return e.ShowsWideAngleHint(); }));

  // Zoom and focus act while their buttons are held.
  const auto lensCommand = [&] {
    return harness.Camera(0).With([](camsim::CameraState& s) { return s.settings.lensCommand; });
  };
  const auto rect = Driver().Rect("intell_btnZoomAdd", m_hwnd);
  ASSERT_TRUE(rect.has_value());
  const POINT button{(rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2};
  Driver().PressAt(m_hwnd, button);
  EXPECT_EQ(lensCommand(), 3);
  Driver().ReleaseAt(m_hwnd, button);
  EXPECT_EQ(lensCommand(), 0);
}

TEST_F(RuleParamsTest, AWideAngleSwitchTheCameraRefusesLeavesLongFocusAndNoHint) {
  harness.Camera(0).With([](camsim::CameraState& s) { s.settings.lensMode = 1; });
  OpenEditorWithFirstFrame();
  Fail(Operation::SetLensConfig);
  Drag(POINT{400, 350}, POINT{410, 350});
  EXPECT_TRUE(IsSelected("radio_long_focus"));
  EXPECT_FALSE(IsSelected("radio_wide_angle"));
  EXPECT_EQ(harness.Camera(0).With([](camsim::CameraState& s) { return s.settings.lensMode; }), 1);
  EXPECT_FALSE(Editor<bool>([](CRuleCfgDlg& e) { return e.ShowsWideAngleHint(); }));
}

TEST_F(RuleParamsTest, LensOptionsThatCannotBeReadCannotBeSet) {
  Fail(Operation::GetLensConfig);
  OpenEditorWithFirstFrame();
  // Setting one of them would send the others as they were never read.
  for (const char* option : {"radio_wide_angle", "radio_long_focus", "opt_overly_small", "opt_overly_depth"}) {
    EXPECT_TRUE(Driver().IsVisible(option, m_hwnd)) << option;
    EXPECT_FALSE(Driver().IsEnabled(option, m_hwnd)) << option;
  }
  Driver().Click("opt_overly_small", m_hwnd);
  Drag(POINT{400, 350}, POINT{410, 350});
  EXPECT_EQ(Calls(Operation::SetLensConfig), 0u);
}

class FixedFocusTest : public RuleEditorTest {
 protected:
  camsim::CameraProfile Profile() const override {
    camsim::CameraProfile profile;
    profile.modelId = 0x3085;
    return profile;
  }
};

TEST_F(FixedFocusTest, TheInstallDistanceShowsAndGoesInTheCamerasValues) {
  harness.Camera(0).With([](camsim::CameraState& s) { s.settings.installDistance = 1; });
  OpenEditorWithFirstFrame();
  EXPECT_FALSE(Driver().IsVisible("intell_pan_zoom", m_hwnd));
  EXPECT_TRUE(Driver().IsVisible("intell_pan_fixed_focus", m_hwnd));
  EXPECT_FALSE(Driver().IsVisible("radio_wide_angle", m_hwnd));
  EXPECT_EQ(Driver().Get<int>(
                [&] { return dynamic_cast<ui::CComboUI*>(Driver().Control("intell_cmb_dis", m_hwnd))->GetCurSel(); }),
            2);
  const auto distance = [&] {
    return harness.Camera(0).With([](camsim::CameraState& s) { return s.settings.installDistance; });
  };
  struct Case {
    int item;
    int sent;
  };
  for (const Case c : {Case{1, 2}, Case{0, 0}, Case{2, 1}}) {
    ASSERT_TRUE(Driver().Select("intell_cmb_dis", c.item, m_hwnd));
    EXPECT_EQ(distance(), c.sent) << c.item;
  }
  Fail(Operation::SetInstallDistance);
  ASSERT_TRUE(Driver().Select("intell_cmb_dis", 1, m_hwnd));
  EXPECT_EQ(harness.DismissMessageBox(), "设置安装距离失败，请重试! ");
}

TEST_F(FixedFocusTest, AnInstallDistanceThatCannotBeReadShowsNoItem) {
  harness.Camera(0).With([](camsim::CameraState& s) { s.settings.installDistance = 1; });
  Fail(Operation::GetInstallDistance);
  OpenEditorWithFirstFrame();
  EXPECT_TRUE(Driver().IsVisible("intell_pan_fixed_focus", m_hwnd));
  EXPECT_EQ(Driver().Get<int>(
                [&] { return dynamic_cast<ui::CComboUI*>(Driver().Control("intell_cmb_dis", m_hwnd))->GetCurSel(); }),
            -1);
  EXPECT_EQ(Calls(Operation::SetInstallDistance), 0u);
}

}  // namespace
}  // namespace configtool::test
