// The video settings dialog: its tabs, what it reads when it opens, and that nothing
// but the operator's changes writes to the camera.

#include "configtool/features/video/VideoCfg.h"

#include "tests/configtool/video/VideoDialogTest.h"

namespace configtool::test {
namespace {

using camera::protocol::Operation;

class VideoCfgTest : public VideoDialogTest {};

TEST_F(VideoCfgTest, ClosingLeavesTheCameraOpen) {
  ASSERT_NE(OpenDialog(), nullptr);
  Driver().Click("closebtn");
  EXPECT_FALSE(IsOpen(kVideoDialog));
  // The main window's connection stays open and is the one the dialog used.
  EXPECT_NE(harness.DeviceState().handle, 0);
  EXPECT_EQ(harness.Camera(0).ConnectionCount(), 1u);
}

TEST_F(VideoCfgTest, EachPageReadsTheCameraInOrderWhenTheDialogOpens) {
  struct Case {
    int hardwareType;
    int model;
    std::vector<std::string> calls;
  };
  const std::vector<std::string> osdZoom = {"GetModelId()", "GetOsdOverlay()", "GetHardwareType()"};
  const Case cases[] = {
      {0, camsim::kZoomModelId,
       {"GetHardwareType()", "GetFrameSize()", "GetFrameRate()", "GetRateControl()", "GetVideoQuality()",
        "GetBitRate()", "GetEncodeType()", "GetModelId()", "GetOsdOverlay()", "GetHardwareType()",
        "GetHardwareType()", "GetImageAdjust()", "GetFlickerFrequency()", "GetShutter()", "GetFlip()"}},
      {2, kOtherModelId,
       {"GetHardwareType()", "GetResolution()", "GetFrameRate()", "GetRateControl()", "GetVideoQuality()",
        "GetBitRate()", "GetEncodeType()", "GetModelId()", "GetOsdParam()", "GetHardwareType()",
        "GetHardwareType()", "GetImageAdjust()", "GetShutter()", "GetNoiseReduction()", "GetFlip()"}},
      {3, camsim::kZoomModelId,
       {"GetHardwareType()", "GetStreamConfig(0)", "GetStreamConfig(0)", "GetStreamCapability()",
        "GetEncodeType()", "GetModelId()", "GetOsdOverlay()", "GetHardwareType()", "GetHardwareType()",
        "GetImageAdjust()", "GetImageAdjustEx()", "GetFlickerFrequency()", "GetShutter()", "GetFlip()"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hardwareType);
    SetCamera(c.hardwareType, c.model);
    ASSERT_NE(OpenDialog(), nullptr);
    EXPECT_EQ(VideoCalls(), c.calls);
    Driver().Click("closebtn");
    Driver().Click("btn_close");
  }
}

TEST_F(VideoCfgTest, TheTabsShowTheirPagesAndNothingIsWrittenWithoutTheOperator) {
  SetCamera(0);
  const HWND dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsSelected("tab_videoframe"));
  EXPECT_TRUE(Visible("dlg_btn_frameok"));
  EXPECT_FALSE(Visible("dlg_btn_osdok"));
  EXPECT_FALSE(Visible("dlg_btn_videorecov"));

  ShowTab("tab_videoosd");
  EXPECT_TRUE(Visible("dlg_btn_osdok"));
  EXPECT_FALSE(Visible("dlg_btn_frameok"));
  ShowTab("tab_videosource");
  EXPECT_TRUE(Visible("dlg_btn_videorecov"));
  EXPECT_FALSE(Visible("dlg_btn_osdok"));
  ShowTab("tab_videoframe");
  EXPECT_TRUE(Visible("dlg_btn_frameok"));
  // Loading selected items, set sliders and checked options: none of it went back to the camera.
  EXPECT_EQ(VideoSets(), std::vector<std::string>{});
  EXPECT_TRUE(IsOpen(kVideoDialog));
}

TEST_F(VideoCfgTest, ALayoutWithoutPagesRoutesNothing) {
  // The dialog over a layout that has none of its controls and no "switch": building it reads
  // the camera, and the operator's clicks reach no page.
  SetCamera(0);
  OpenCameraOk();
  const CameraClientHandle handle = harness.DeviceState().handle;
  ClearCalls();
  CVideoCfg* dialog = nullptr;
  Driver().Run([&] {
    dialog = new CVideoCfg(handle);
    dialog->CreateWnd("Dlg_Tcp_EncryptSet.xml", harness.Window()->GetHWND(), "videocfg_bare", nullptr);
    dialog->ShowWindow(true, true);
  });
  ASSERT_NE(Driver().FindWindow("videocfg_bare"), nullptr);
  EXPECT_FALSE(VideoCalls().empty());
  ClearCalls();
  for (const char* button : {"save", "ok", "opt_reset_pwd"}) Driver().Click(button);
  EXPECT_EQ(VideoCalls(), std::vector<std::string>{});
  EXPECT_TRUE(Boxes().empty());
  Driver().Click("closebtn");
  EXPECT_EQ(Driver().FindWindow("videocfg_bare"), nullptr);
}

TEST_F(VideoCfgTest, AFailedHardwareTypeReadMeansFamilyZeroOnEveryPage) {
  SetCamera(3, kOtherModelId);
  Fail(Operation::GetHardwareType);
  ASSERT_NE(OpenDialog(), nullptr);
  EXPECT_EQ(Items("dlg_cmb_size_index"), (std::vector<std::string>{"352 x 288", "704 x 576", "1280 x 720", "1920 x 1080"}));
  EXPECT_EQ(Items("dlg_cmb_encodetype"), (std::vector<std::string>{"H264", "JPEG"}));
  EXPECT_FALSE(Visible("dlg_hor_stream_type"));
  ShowTab("tab_videosource");
  EXPECT_EQ(ItemCount("dlg_cmb_frequency"), 3);
  EXPECT_EQ(Text("dlg_lbl_hue_title"), "色度：");
  // The family 0 reads, not those of family 3.
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::GetFrameSize), 1u);
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::GetStreamConfig), 0u);
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::GetImageAdjustEx), 0u);
}

}  // namespace
}  // namespace configtool::test
