// The fill light: level, mode and the day schedule, loaded at open and written back.

#include <cstring>

#include "tests/configtool/support/MainWindowTest.h"

namespace configtool::test {
namespace {

using camera::protocol::Operation;

std::string FieldString(const char (&field)[16]) { return std::string(field, strnlen(field, 16)); }

class FillLightTest : public MainWindowTest {
 protected:
  template <typename Change>
  void CameraState(Change change) {
    harness.Camera(0).With([&](camsim::CameraState& state) { change(state.settings); });
  }
  CameraClientLedSchedule CameraSchedule() {
    return harness.Camera(0).With([](camsim::CameraState& state) { return state.settings.ledSchedule; });
  }
  int Value(const char* slider) {
    return Driver().Get<int>([&] { return dynamic_cast<ui::CSliderUI*>(Driver().Control(slider))->GetValue(); });
  }
  int Selection(const char* combo) {
    return Driver().Get<int>([&] { return dynamic_cast<ui::CComboUI*>(Driver().Control(combo))->GetCurSel(); });
  }
  int Width(const char* control) {
    return Driver().Get<int>([&] { return Driver().Control(control)->GetFixedWidth(); });
  }
  bool Selected(const char* option) {
    return Driver().Get<bool>([&] { return dynamic_cast<ui::COptionUI*>(Driver().Control(option))->IsSelected(); });
  }
  void ScheduleByCamera(int mode) {
    CameraState([&](camsim::CameraSettings& settings) {
      CameraClientLedSchedule& schedule = settings.ledSchedule;
      schedule.mode = mode;
      std::strcpy(schedule.periods[0].end, "07:30:00");
      std::strcpy(schedule.periods[1].end, "18:00:00");
      std::strcpy(schedule.periods[2].start, "18:00:00");
      schedule.periods[0].level = 4;
      schedule.periods[0].enabled = 1;
      schedule.periods[1].enabled = 0;
      schedule.periods[2].level = 1;
      schedule.periods[2].enabled = 1;
    });
  }
};

TEST_F(FillLightTest, OpeningLoadsLevelModeAndSchedule) {
  CameraState([](camsim::CameraSettings& settings) {
    settings.ledLevel = 5;
    settings.ledMaximum = 7;
    settings.ledMode = 2;
  });
  ScheduleByCamera(3);
  OpenCameraOk();
  EXPECT_EQ(Value("intell_slider_LED"), 5);
  EXPECT_EQ(Text("intell_slider_LED"), "7米");
  // The schedule's mode decides the option that stays.
  EXPECT_TRUE(Selected("intell_opt_LED_Open"));
  EXPECT_TRUE(Enabled("intell_pan_led_ctrl"));
  EXPECT_EQ(Value("intell_slider_time1"), 15);
  EXPECT_EQ(Value("intell_slider_time2"), 12);
  EXPECT_EQ(Selection("intell_cmb_dis1"), 5);
  EXPECT_EQ(Selection("intell_cmb_dis2"), 0);
  EXPECT_EQ(Selection("intell_cmb_dis3"), 2);
  EXPECT_EQ(Width("intell_cmb_dis1"), 75);
  EXPECT_EQ(Width("intell_cmb_dis2"), 105);
  EXPECT_EQ(Width("intell_cmb_dis3"), 60);
  EXPECT_EQ(Text("intell_txt_mark1"), "07:30");
  EXPECT_EQ(Text("intell_txt_mark2"), "18:00");
  EXPECT_EQ(Width("intell_ctrl_bank1"), 75);
  EXPECT_EQ(Width("intell_ctrl_bank2"), 60);
}

TEST_F(FillLightTest, AScheduleThatIsOffOrAutomaticKeepsThePanelShut) {
  const std::pair<int, const char*> cases[] = {{2, "intell_opt_LED_Close"}, {0, "intell_opt_LED_Auto"},
                                               {7, "intell_opt_LED_Auto"}};
  for (const auto& [mode, option] : cases) {
    SCOPED_TRACE(mode);
    ScheduleByCamera(mode);
    OpenCameraOk();
    EXPECT_TRUE(Selected(option));
    EXPECT_FALSE(Enabled("intell_pan_led_ctrl"));
    EXPECT_EQ(Value("intell_slider_time1"), 16);
    Driver().Click("btn_close");
  }
}

TEST_F(FillLightTest, TheOptionsSetTheMode) {
  OpenCameraOk();
  const std::pair<const char*, int> cases[] = {
      {"intell_opt_LED_Open", 1}, {"intell_opt_LED_Close", 2}, {"intell_opt_LED_Auto", 0}};
  for (const auto& [option, mode] : cases) {
    SCOPED_TRACE(option);
    Driver().Click(option);
    EXPECT_EQ(harness.Camera(0).With([](camsim::CameraState& s) { return s.settings.ledMode; }), mode);
    EXPECT_EQ(Enabled("intell_pan_led_ctrl"), mode == 1);
  }
}

TEST_F(FillLightTest, DraggingTheLevelSetsItOnTheCamera) {
  OpenCameraOk();
  ASSERT_TRUE(Driver().Drag("intell_slider_LED", 120, 0));
  const int value = Value("intell_slider_LED");
  EXPECT_GT(value, 0);
  EXPECT_EQ(harness.Camera(0).With([](camsim::CameraState& s) { return s.settings.ledLevel; }), value);
  EXPECT_EQ(Text("intell_slider_LED"), std::to_string(value + 2) + "米");
}

TEST_F(FillLightTest, DraggingABoundaryRedrawsTheBars) {
  OpenCameraOk();
  Driver().Click("intell_opt_LED_Open");
  ASSERT_TRUE(Driver().Drag("intell_slider_time1", -40, 0));
  const int slider = Value("intell_slider_time1");
  EXPECT_LT(slider, 16);
  EXPECT_EQ(Width("intell_cmb_dis1"), 5 * slider);
  EXPECT_EQ(Width("intell_cmb_dis2"), 240 - 5 * slider - 80);
}

TEST_F(FillLightTest, SavingWritesThePeriodsOfThePanel) {
  OpenCameraOk();
  Driver().Run([&] {
    dynamic_cast<ui::CSliderUI*>(Driver().Control("intell_slider_time1"))->SetValue(17);
    dynamic_cast<ui::CSliderUI*>(Driver().Control("intell_slider_time2"))->SetValue(9);
    dynamic_cast<ui::CComboUI*>(Driver().Control("intell_cmb_dis1"))->SelectItem(2);
    dynamic_cast<ui::CComboUI*>(Driver().Control("intell_cmb_dis2"))->SelectItem(0);
    dynamic_cast<ui::CComboUI*>(Driver().Control("intell_cmb_dis3"))->SelectItem(8);
  });
  Driver().Run([&] { Driver().Control("intell_pan_led_ctrl")->SetEnabled(true); });
  Driver().Click("btn_save_led_ctrl");
  EXPECT_EQ(harness.DismissMessageBox(), "保存成功！");
  const CameraClientLedSchedule saved = CameraSchedule();
  EXPECT_EQ(saved.mode, 3);
  EXPECT_EQ(FieldString(saved.periods[0].start), "00:00:00");
  EXPECT_EQ(FieldString(saved.periods[0].end), "08:30:00");
  EXPECT_EQ(saved.periods[0].level, 1);
  EXPECT_EQ(saved.periods[0].enabled, 1);
  EXPECT_EQ(saved.periods[1].enabled, 0);
  EXPECT_EQ(FieldString(saved.periods[2].start), "16:30:00");
  EXPECT_EQ(FieldString(saved.periods[2].end), "23:59:59");
  EXPECT_EQ(saved.periods[2].level, 7);
  EXPECT_EQ(saved.periods[2].enabled, 1);
}

TEST_F(FillLightTest, AFailedSaveSaysSo) {
  OpenCameraOk();
  harness.Camera(0).Faults().Set(Operation::SetLedSchedule, camsim::Fault{camera::protocol::Status::Failed});
  Driver().Run([&] { Driver().Control("intell_pan_led_ctrl")->SetEnabled(true); });
  Driver().Click("btn_save_led_ctrl");
  EXPECT_EQ(harness.DismissMessageBox(), "保存失败，请重试！");
}

TEST_F(FillLightTest, AScheduleThatCannotBeReadLeavesTheLoadedMode) {
  CameraState([](camsim::CameraSettings& settings) { settings.ledMode = 2; });
  ScheduleByCamera(3);
  harness.Camera(0).Faults().Set(Operation::GetLedSchedule, camsim::Fault{camera::protocol::Status::Failed});
  OpenCameraOk();
  EXPECT_TRUE(Selected("intell_opt_LED_Close"));
  EXPECT_FALSE(Selected("intell_opt_LED_Auto"));
  EXPECT_FALSE(Enabled("intell_pan_led_ctrl"));
  EXPECT_EQ(Value("intell_slider_time1"), 16);
  EXPECT_EQ(Value("intell_slider_time2"), 8);
}

TEST_F(FillLightTest, ASaveWithoutTheCamerasScheduleSendsNothing) {
  ScheduleByCamera(3);
  OpenCameraOk();
  harness.Camera(0).Faults().Set(Operation::GetLedSchedule, camsim::Fault{camera::protocol::Status::Failed});
  Driver().Click("btn_save_led_ctrl");
  EXPECT_EQ(harness.DismissMessageBox(), "保存失败，请重试！");
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::SetLedSchedule), 0u);
  const CameraClientLedSchedule kept = CameraSchedule();
  EXPECT_EQ(kept.mode, 3);
  EXPECT_EQ(FieldString(kept.periods[0].end), "07:30:00");
  EXPECT_EQ(kept.periods[0].level, 4);
}

}  // namespace
}  // namespace configtool::test
