// The image page against simulated cameras of hardware types 0 to 3: what it shows and hides, the
// call each change makes at once, and restoring the page's defaults.

#include "configtool/features/video/VideoPara.h"

#include "tests/configtool/video/VideoDialogTest.h"

namespace configtool::test {
namespace {

using camera::protocol::Operation;
using Texts = std::vector<std::string>;

const char* const kSliders[] = {"dlg_slider_videobrt", "dlg_slider_videocst", "dlg_slider_videosat",
                                "dlg_slider_videohue"};
const char* const kValueLabels[] = {"dlg_lbl_brt", "dlg_lbl_cst", "dlg_lbl_sat", "dlg_lbl_hue"};
const char* const kNoiseControls[] = {"dlg_ctl_dnmode",     "dlg_hor_dnmode",     "dlg_lbl_dnmode",
                                      "dlg_cmb_dnmode",     "dlg_ctl_dnstrength", "dlg_hor_dnstrength",
                                      "dlg_lbl_dnstrength", "dlg_cmb_dnstrength"};
const char* const kFlickerControls[] = {"dlg_ctl_frequency", "dlg_hor_frequency", "dlg_lbl_frequency",
                                        "dlg_cmb_frequency"};

class VideoParaTest : public VideoDialogTest {
 protected:
  HWND OpenPage() { return OpenDialogOnTab("tab_videosource"); }
  void SetPicture(int brightness, int contrast, int saturation, int hue) {
    Settings([&](camsim::CameraSettings& s) {
      s.imageAdjust.brightness = brightness;
      s.imageAdjust.contrast = contrast;
      s.imageAdjust.saturation = saturation;
      s.imageAdjust.hue = hue;
    });
  }
  // The four sliders and their labels.
  void ExpectSliders(const std::array<int, 4>& values, int maximum) {
    for (std::size_t i = 0; i < values.size(); ++i) {
      EXPECT_EQ(SliderValue(kSliders[i]), values[i]) << kSliders[i];
      EXPECT_EQ(SliderMaximum(kSliders[i]), maximum) << kSliders[i];
      EXPECT_EQ(Text(kValueLabels[i]), std::to_string(values[i])) << kValueLabels[i];
    }
  }
  void ExpectShown(const char* const* controls, std::size_t count, bool shown) {
    for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(Visible(controls[i]), shown) << controls[i];
  }
  void Restore() { ASSERT_TRUE(Driver().Click("dlg_btn_videorecov")); }
};

TEST_F(VideoParaTest, Type0SendsEachChangeAtOnceAndRestoresItsDefaults) {
  // Hardware type 1 is treated as type 0.
  for (const int type : {0, 1}) {
    SCOPED_TRACE(type);
    SetCamera(type);
    SetPicture(11, 22, 33, 44);
    Settings([](camsim::CameraSettings& s) {
      s.imageAdjust.maxGain = 99;
      s.flickerFrequency = 2;
      s.shutter = 4;
      s.flip = 3;
    });
    const HWND dialog = OpenPage();
    ASSERT_NE(dialog, nullptr);
    ExpectSliders({11, 22, 33, 44}, 100);
    EXPECT_EQ(Text("dlg_lbl_hue_title"), "色度：");
    EXPECT_EQ(Items("dlg_cmb_frequency"), (Texts{"MaxOrZero", "50Hz", "60Hz"}));
    EXPECT_EQ(Items("dlg_cmb_shutter"), (Texts{"0~8ms 停车场推荐", "0~4ms", "0~2ms 卡口推荐"}));
    EXPECT_EQ(Items("dlg_cmb_flip"), (Texts{"原始图像", "上下翻转", "左右翻转", "中心翻转"}));
    EXPECT_EQ(Text("dlg_cmb_frequency"), "60Hz");
    EXPECT_EQ(Text("dlg_cmb_shutter"), "0~2ms 卡口推荐");
    EXPECT_EQ(Text("dlg_cmb_flip"), "中心翻转");
    ExpectShown(kFlickerControls, std::size(kFlickerControls), true);
    ExpectShown(kNoiseControls, std::size(kNoiseControls), false);
    EXPECT_TRUE(Visible("dlg_ctl_shutter"));
    if (type == 0) SaveScreenshot(dialog, "video_para_type0.png");

    MoveSlider("dlg_slider_videobrt", 60);
    MoveSlider("dlg_slider_videohue", 70);
    ASSERT_TRUE(Driver().Select("dlg_cmb_frequency", 0));
    ASSERT_TRUE(Driver().Select("dlg_cmb_shutter", 0));
    ASSERT_TRUE(Driver().Select("dlg_cmb_flip", 1));
    EXPECT_EQ(VideoSets(), (Texts{"SetImageAdjust(60, 22, 33, 44)", "SetImageAdjust(60, 22, 33, 70)",
                                  "SetFlickerFrequency(0)", "SetShutter(2)", "SetFlip(1)"}));
    EXPECT_EQ(Text("dlg_lbl_brt"), "60");
    EXPECT_TRUE(Boxes().empty()) << "single settings show no box";

    ClearCalls();
    Restore();
    EXPECT_EQ(Box(), "恢复默认成功！");
    EXPECT_EQ(VideoSets(), (Texts{"SetImageAdjust(50, 40, 30, 50)", "SetFlickerFrequency(1)", "SetShutter(3)",
                                  "SetFlip(0)"}));
    ExpectSliders({50, 40, 30, 50}, 100);
    EXPECT_EQ(Text("dlg_cmb_frequency"), "50Hz");
    EXPECT_EQ(Text("dlg_cmb_shutter"), "0~4ms");
    EXPECT_EQ(Text("dlg_cmb_flip"), "原始图像");
    EXPECT_EQ(CameraSettings().imageAdjust.maxGain, 99);
    Driver().Click("closebtn");
    Driver().Click("btn_close");
  }
}

TEST_F(VideoParaTest, DraggingShowsTheValuesAndOnlyTheReleaseSends) {
  SetCamera(0);
  SetPicture(10, 20, 30, 40);
  ASSERT_NE(OpenPage(), nullptr);
  ASSERT_TRUE(Driver().Drag("dlg_slider_videosat", 60, 0, 8));
  const int value = SliderValue("dlg_slider_videosat");
  EXPECT_GT(value, 30);
  EXPECT_EQ(Text("dlg_lbl_sat"), std::to_string(value));
  EXPECT_EQ(VideoSets(), (Texts{"SetImageAdjust(10, 20, " + std::to_string(value) + ", 40)"}));
}

TEST_F(VideoParaTest, Type2ShowsNoiseReductionAndHidesFlicker) {
  SetCamera(2);
  SetPicture(200, 150, 100, 250);
  Settings([](camsim::CameraSettings& s) {
    s.shutter = 0;
    s.noiseMode = 2;
    s.noiseStrength = 3;
    s.flip = 1;
  });
  const HWND dialog = OpenPage();
  ASSERT_NE(dialog, nullptr);
  ExpectSliders({200, 150, 100, 250}, 255);
  EXPECT_EQ(Items("dlg_cmb_shutter"), (Texts{"0~3ms", "0~2ms", "0~1ms"}));
  EXPECT_EQ(Text("dlg_cmb_shutter"), "0~3ms");
  EXPECT_EQ(Items("dlg_cmb_dnmode"), (Texts{"OFF", "SNF", "TNF", "SNF+TNF"}));
  EXPECT_EQ(Items("dlg_cmb_dnstrength"), (Texts{"自动", "低", "中", "高"}));
  EXPECT_EQ(Text("dlg_cmb_dnmode"), "TNF");
  EXPECT_EQ(Text("dlg_cmb_dnstrength"), "高");
  EXPECT_EQ(Text("dlg_cmb_flip"), "上下翻转");
  EXPECT_EQ(ItemCount("dlg_cmb_frequency"), 0);
  ExpectShown(kFlickerControls, std::size(kFlickerControls), false);
  ExpectShown(kNoiseControls, std::size(kNoiseControls), true);
  // The shutter's spacer goes; its combo stays.
  EXPECT_FALSE(Visible("dlg_ctl_shutter"));
  EXPECT_TRUE(Visible("dlg_cmb_shutter"));
  SaveScreenshot(dialog, "video_para_type2.png");

  MoveSlider("dlg_slider_videohue", 10);
  ASSERT_TRUE(Driver().Select("dlg_cmb_shutter", 2));
  ASSERT_TRUE(Driver().Select("dlg_cmb_dnmode", 1));
  ASSERT_TRUE(Driver().Select("dlg_cmb_dnstrength", 0));
  ASSERT_TRUE(Driver().Select("dlg_cmb_flip", 2));
  EXPECT_EQ(VideoSets(), (Texts{"SetImageAdjust(200, 150, 100, 10)", "SetShutter(32)", "SetNoiseReduction(1, 3)",
                                "SetNoiseReduction(1, 0)", "SetFlip(2)"}));

  ClearCalls();
  Restore();
  EXPECT_EQ(Box(), "恢复默认成功！");
  EXPECT_EQ(VideoSets(), (Texts{"SetImageAdjust(128, 138, 128, 140)", "SetShutter(96)", "SetNoiseReduction(3, 1)",
                                "SetFlip(0)"}));
  ExpectSliders({128, 138, 128, 140}, 255);
  EXPECT_EQ(Text("dlg_cmb_shutter"), "0~3ms");
  EXPECT_EQ(Text("dlg_cmb_dnmode"), "SNF+TNF");
  EXPECT_EQ(Text("dlg_cmb_dnstrength"), "低");
  EXPECT_EQ(Text("dlg_cmb_flip"), "原始图像");
}

TEST_F(VideoParaTest, Type2ShutterValuesOutsideTheListSelectNothing) {
  struct Case {
    int shutter;
    int item;
  };
  for (const Case c : {Case{0x60, 0}, Case{0x40, 1}, Case{0x20, 2}, Case{0x30, -1}}) {
    SCOPED_TRACE(c.shutter);
    SetCamera(2);
    Settings([&](camsim::CameraSettings& s) { s.shutter = c.shutter; });
    ASSERT_NE(OpenPage(), nullptr);
    EXPECT_EQ(SelectedItem("dlg_cmb_shutter"), c.item);
    Driver().Click("closebtn");
    Driver().Click("btn_close");
  }
}

// Type 3: the record of GetImageAdjustEx has a hue (offset 16) other than its maximum gain
// (offset 32), and bytes the page does not use.
class ImageAdjustExTest : public VideoParaTest {
 protected:
  void SetUp() override {
    VideoParaTest::SetUp();
    SetCamera3();
  }
  // A type 3 camera holding that record.
  void SetCamera3() {
    SetCamera(3);
    Settings([](camsim::CameraSettings& s) {
      s.imageAdjust = CameraClientImageAdjust{10, 20, 30, 0x11111111, 40, {0x22222222, 0x33333333, 0x44444444}, 70};
      s.shutter = 4;
      s.flip = 2;
      s.flickerFrequency = 1;
    });
  }
  static CameraClientImageAdjust Expected(int brightness, int contrast, int saturation, int fourth) {
    return CameraClientImageAdjust{brightness, contrast,  saturation, 0x11111111, fourth,
                                   {0x22222222, 0x33333333, 0x44444444},        fourth};
  }
  void ExpectSent(const CameraClientImageAdjust& expected) {
    const auto sent = SentRecord<CameraClientImageAdjust>(Operation::SetImageAdjustEx);
    EXPECT_EQ(std::memcmp(&sent, &expected, sizeof sent), 0);
    const camsim::CameraSettings settings = CameraSettings();
    EXPECT_EQ(std::memcmp(&settings.imageAdjust, &expected, sizeof expected), 0);
  }
};

TEST_F(ImageAdjustExTest, ShowsTheMaximumGainAndWritesTheRecordAsRead) {
  const HWND dialog = OpenPage();
  ASSERT_NE(dialog, nullptr);
  ExpectSliders({10, 20, 30, 70}, 100);
  EXPECT_EQ(Text("dlg_lbl_hue_title"), "最大增益：");
  EXPECT_EQ(Items("dlg_cmb_shutter"), (Texts{"0~1ms", "0~2ms", "0~3ms", "0~4ms"}));
  EXPECT_EQ(Text("dlg_cmb_shutter"), "0~4ms");
  EXPECT_EQ(Text("dlg_cmb_flip"), "左右翻转");
  EXPECT_EQ(ItemCount("dlg_cmb_frequency"), 0);
  ExpectShown(kFlickerControls, 3, false);
  ExpectShown(kNoiseControls, std::size(kNoiseControls), false);
  EXPECT_TRUE(Visible("dlg_ctl_shutter"));
  SaveScreenshot(dialog, "video_para_type3.png");

  // The first change sends the hue read at offset 16; the record then carries the fourth value
  // at offsets 16 and 32, and the next change sends that.
  MoveSlider("dlg_slider_videobrt", 15);
  EXPECT_EQ(VideoSets(), (Texts{"SetImageAdjust(15, 20, 30, 40)", "SetImageAdjustEx[36]"}));
  ExpectSent(Expected(15, 20, 30, 70));
  ClearCalls();
  MoveSlider("dlg_slider_videocst", 25);
  EXPECT_EQ(VideoSets(), (Texts{"SetImageAdjust(15, 25, 30, 70)", "SetImageAdjustEx[36]"}));
  ExpectSent(Expected(15, 25, 30, 70));

  ClearCalls();
  ASSERT_TRUE(Driver().Select("dlg_cmb_shutter", 0));
  EXPECT_EQ(VideoSets(), Texts{"SetShutter(1)"});

  ClearCalls();
  Restore();
  EXPECT_EQ(Box(), "恢复默认成功！");
  EXPECT_EQ(VideoSets(), (Texts{"SetImageAdjust(50, 50, 50, 70)", "SetImageAdjustEx[36]", "SetShutter(3)",
                                "SetFlip(0)"}));
  ExpectSent(Expected(50, 50, 50, 50));
  EXPECT_EQ(Text("dlg_cmb_shutter"), "0~3ms");
  EXPECT_EQ(Text("dlg_cmb_flip"), "原始图像");
}

TEST_F(ImageAdjustExTest, AnUnknownShutterShowsTheFirstItem) {
  Settings([](camsim::CameraSettings& s) { s.shutter = 9; });
  ASSERT_NE(OpenPage(), nullptr);
  EXPECT_EQ(Text("dlg_cmb_shutter"), "0~1ms");
}

TEST_F(ImageAdjustExTest, WithoutTheRecordNothingIsWrittenOverIt) {
  Fail(Operation::GetImageAdjustEx);
  ASSERT_NE(OpenPage(), nullptr);
  // The fourth slider is left as the layout has it and does not move: its value would reach the
  // camera only inside the record.
  EXPECT_EQ(SliderValue("dlg_slider_videohue"), 0);
  EXPECT_EQ(Text("dlg_lbl_hue"), "0");
  EXPECT_FALSE(Enabled("dlg_slider_videohue"));
  EXPECT_TRUE(Enabled("dlg_slider_videobrt"));
  MoveSlider("dlg_slider_videobrt", 15);
  ClickSlider("dlg_slider_videohue", 60);
  EXPECT_EQ(SliderValue("dlg_slider_videohue"), 0);
  EXPECT_EQ(VideoSets(), Texts{"SetImageAdjust(15, 20, 30, 40)"});

  // The maximum gain cannot go back to its default: the restore fails.
  ClearCalls();
  Restore();
  EXPECT_EQ(Box(), "恢复默认失败！");
  EXPECT_EQ(VideoSets(), (Texts{"SetImageAdjust(50, 50, 50, 40)", "SetShutter(3)", "SetFlip(0)"}));
  EXPECT_EQ(SliderValue("dlg_slider_videohue"), 0);
  EXPECT_EQ(Text("dlg_lbl_hue"), "0");
  const CameraClientImageAdjust adjust = CameraSettings().imageAdjust;
  EXPECT_EQ(adjust.maxGain, 70);
  EXPECT_EQ(adjust.reserved12, 0x11111111);
  EXPECT_EQ(adjust.hue, 40);
}

TEST_F(ImageAdjustExTest, WithoutThePictureValuesOnlyARestoreWritesThem) {
  struct Case {
    bool recordRead;
    Texts restored;  // the calls of the restore
    const char* box;
  };
  const Case cases[] = {
      // The record's hue goes along; the record comes back with the defaults.
      {true, {"SetImageAdjust(50, 50, 50, 40)", "SetImageAdjustEx[36]", "SetShutter(3)", "SetFlip(0)"}, "恢复默认成功！"},
      // No hue is known: the default goes in its place, and the maximum gain stays as it was.
      {false, {"SetImageAdjust(50, 50, 50, 50)", "SetShutter(3)", "SetFlip(0)"}, "恢复默认失败！"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.recordRead);
    SetCamera3();
    harness.Camera(0).Faults().ClearAll();
    Fail(Operation::GetImageAdjust);
    if (!c.recordRead) Fail(Operation::GetImageAdjustEx);
    ASSERT_NE(OpenPage(), nullptr);
    for (const char* slider : kSliders) EXPECT_FALSE(Enabled(slider)) << slider;
    EXPECT_EQ(SliderValue("dlg_slider_videohue"), c.recordRead ? 70 : 0);
    ClickSlider("dlg_slider_videocst", 80);
    EXPECT_EQ(VideoSets(), Texts{});

    Restore();
    EXPECT_EQ(Box(), c.box);
    EXPECT_EQ(VideoSets(), c.restored);
    for (const char* slider : {"dlg_slider_videobrt", "dlg_slider_videocst", "dlg_slider_videosat"}) {
      EXPECT_TRUE(Enabled(slider)) << slider;
    }
    EXPECT_EQ(Enabled("dlg_slider_videohue"), c.recordRead);
    const CameraClientImageAdjust adjust = CameraSettings().imageAdjust;
    EXPECT_EQ(adjust.maxGain, c.recordRead ? 50 : 70);
    EXPECT_EQ(adjust.reserved12, 0x11111111);
    Driver().Click("closebtn");
    Driver().Click("btn_close");
  }
}

TEST_F(ImageAdjustExTest, RestoringReportsAnyFailedCall) {
  for (const Operation failing : {Operation::SetFlip, Operation::SetImageAdjustEx, Operation::SetImageAdjust}) {
    SCOPED_TRACE(camera::protocol::OperationName(failing));
    harness.Camera(0).Faults().ClearAll();
    ASSERT_NE(OpenPage(), nullptr);
    Fail(failing);
    Restore();
    EXPECT_EQ(Box(), "恢复默认失败！");
    // Type 3 makes every call whatever the earlier ones gave.
    EXPECT_EQ(VideoSets().size(), 4u);
    Driver().Click("closebtn");
    Driver().Click("btn_close");
  }
}

TEST_F(VideoParaTest, RestoringStopsAtTheFirstFailedFurtherCall) {
  SetCamera(0);
  Settings([](camsim::CameraSettings& s) { s.flip = 2; });
  ASSERT_NE(OpenPage(), nullptr);
  Fail(Operation::SetShutter);
  Restore();
  EXPECT_EQ(Box(), "恢复默认失败！");
  EXPECT_EQ(VideoSets(), (Texts{"SetImageAdjust(50, 40, 30, 50)", "SetFlickerFrequency(1)", "SetShutter(3)"}));
  // The items show the defaults all the same.
  EXPECT_EQ(Text("dlg_cmb_shutter"), "0~4ms");
  EXPECT_EQ(Text("dlg_cmb_flip"), "原始图像");
  EXPECT_EQ(CameraSettings().flip, 2);

  harness.Camera(0).Faults().ClearAll();
  Fail(Operation::SetImageAdjust);
  ClearCalls();
  Restore();
  EXPECT_EQ(Box(), "恢复默认失败！");
  EXPECT_EQ(VideoSets().size(), 4u) << "a failed slider write does not stop the further calls";
}

TEST_F(VideoParaTest, WithoutThePictureValuesNoSliderMovesUntilARestore) {
  // Every send carries all four values: none goes while one of them is unknown.
  struct Case {
    int type;
    const char* restored;
    const char* moved;  // brightness moved to 60 after the restore
  };
  const Case cases[] = {
      {0, "SetImageAdjust(50, 40, 30, 50)", "SetImageAdjust(60, 40, 30, 50)"},
      {2, "SetImageAdjust(128, 138, 128, 140)", "SetImageAdjust(60, 138, 128, 140)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    SetCamera(c.type);
    SetPicture(11, 22, 33, 44);
    harness.Camera(0).Faults().ClearAll();
    Fail(Operation::GetImageAdjust);
    const HWND dialog = OpenPage();
    ASSERT_NE(dialog, nullptr);
    if (c.type == 0) SaveScreenshot(dialog, "video_para_unread.png");
    for (std::size_t i = 0; i < std::size(kSliders); ++i) {
      EXPECT_FALSE(Enabled(kSliders[i])) << kSliders[i];
      EXPECT_FALSE(Enabled(kValueLabels[i])) << kValueLabels[i];
      EXPECT_EQ(SliderValue(kSliders[i]), 0) << kSliders[i];
    }
    ClickSlider("dlg_slider_videobrt", 60);
    EXPECT_EQ(SliderValue("dlg_slider_videobrt"), 0);
    EXPECT_EQ(VideoSets(), Texts{});

    // The restore's values are all known; the sliders move from then on.
    Restore();
    EXPECT_EQ(Box(), "恢复默认成功！");
    ASSERT_FALSE(VideoSets().empty());
    EXPECT_EQ(VideoSets().front(), c.restored);
    for (const char* slider : kSliders) EXPECT_TRUE(Enabled(slider)) << slider;
    ClearCalls();
    MoveSlider("dlg_slider_videobrt", 60);
    EXPECT_EQ(VideoSets(), Texts{c.moved});
    Driver().Click("closebtn");
    Driver().Click("btn_close");
  }
}

TEST_F(VideoParaTest, AComboTheCameraDidNotGiveShowsNoItemUntilChosen) {
  struct Case {
    int type;
    Operation failing;
    const char* combo;
    int item;
    const char* sent;
  };
  const Case cases[] = {
      {0, Operation::GetFlickerFrequency, "dlg_cmb_frequency", 2, "SetFlickerFrequency(2)"},
      {0, Operation::GetShutter, "dlg_cmb_shutter", 1, "SetShutter(3)"},
      {2, Operation::GetShutter, "dlg_cmb_shutter", 0, "SetShutter(96)"},
      {3, Operation::GetShutter, "dlg_cmb_shutter", 3, "SetShutter(4)"},
      {2, Operation::GetFlip, "dlg_cmb_flip", 2, "SetFlip(2)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + " " + std::string(camera::protocol::OperationName(c.failing)));
    SetCamera(c.type);
    // Values that show an item when they are read.
    Settings([&](camsim::CameraSettings& s) {
      s.flickerFrequency = 1;
      s.shutter = c.type == 0 ? 4 : c.type == 2 ? 0x40 : 2;
      s.flip = 1;
    });
    harness.Camera(0).Faults().ClearAll();
    Fail(c.failing);
    ASSERT_NE(OpenPage(), nullptr);
    EXPECT_EQ(SelectedItem(c.combo), -1);
    ASSERT_TRUE(Driver().Select(c.combo, c.item));
    EXPECT_EQ(VideoSets(), Texts{c.sent});
    Driver().Click("closebtn");
    Driver().Click("btn_close");
  }
}

TEST_F(VideoParaTest, NoiseReductionTheCameraDidNotGiveGoesOnlyWithBothChosen) {
  SetCamera(2);
  Settings([](camsim::CameraSettings& s) {
    s.noiseMode = 2;
    s.noiseStrength = 3;
  });
  Fail(Operation::GetNoiseReduction);
  ASSERT_NE(OpenPage(), nullptr);
  EXPECT_EQ(SelectedItem("dlg_cmb_dnmode"), -1);
  EXPECT_EQ(SelectedItem("dlg_cmb_dnstrength"), -1);
  ASSERT_TRUE(Driver().Select("dlg_cmb_dnmode", 1));
  EXPECT_EQ(VideoSets(), Texts{}) << "the strength is not known";
  EXPECT_EQ(CameraSettings().noiseStrength, 3);
  ASSERT_TRUE(Driver().Select("dlg_cmb_dnstrength", 0));
  EXPECT_EQ(VideoSets(), Texts{"SetNoiseReduction(1, 0)"});
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(VideoParaTest, AFailedSingleSettingShowsNoBoxAndKeepsTheChoice) {
  SetCamera(0);
  ASSERT_NE(OpenPage(), nullptr);
  Fail(Operation::SetFlip);
  ASSERT_TRUE(Driver().Select("dlg_cmb_flip", 3));
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Text("dlg_cmb_flip"), "中心翻转");
  EXPECT_EQ(VideoSets(), Texts{"SetFlip(3)"});
}

}  // namespace
}  // namespace configtool::test
