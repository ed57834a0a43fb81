// The on-screen text page against simulated cameras: the zoom model with its overlay switches and
// another model, both picture widths, the position checks and the free text's field.

#include "configtool/features/video/VidoOSD.h"

#include "common/FixedText.h"

#include "tests/configtool/video/VideoDialogTest.h"

namespace configtool::test {
namespace {

using camera::protocol::Operation;
using Texts = std::vector<std::string>;

const char* const kPositionEdits[] = {"dlg_datex", "dlg_datey", "dlg_timex", "dlg_timey", "dlg_contentx",
                                      "dlg_contenty"};

// What the camera holds: date on at the picture's middle, time off at its far corner, text on at
// the origin, a logo, and bytes between the fields that are not zero.
CameraClientOsdParam CameraOsd(int width) {
  CameraClientOsdParam osd{};
  std::memset(&osd, 0x5A, sizeof osd);
  osd.dstampenable = 1;
  osd.dateFormat = 2;
  osd.datePosX = width / 2;
  osd.datePosY = 288;
  osd.tstampenable = 0;
  osd.timeFormat = 0;
  osd.timePosX = width;
  osd.timePosY = 576;
  osd.nLogoEnable = 1;
  osd.nLogoPositionX = 5;
  osd.nLogoPositionY = 6;
  osd.nTextEnable = 1;
  osd.nTextPositionX = 0;
  osd.nTextPositionY = 0;
  std::memset(osd.overlaytext, 0, sizeof osd.overlaytext);
  std::memcpy(osd.overlaytext, "ABC", 3);
  return osd;
}

// The record the page sends: everything not set cleared, the logo off at 0, 0.
CameraClientOsdParam SentOsd(std::uint8_t date, int dateFormat, int dateX, int dateY, std::uint8_t time,
                             int timeFormat, int timeX, int timeY, std::uint8_t text, int textX, int textY,
                             const std::string& overlay) {
  CameraClientOsdParam osd{};
  osd.dstampenable = date;
  osd.dateFormat = dateFormat;
  osd.datePosX = dateX;
  osd.datePosY = dateY;
  osd.tstampenable = time;
  osd.timeFormat = timeFormat;
  osd.timePosX = timeX;
  osd.timePosY = timeY;
  osd.nTextEnable = text;
  osd.nTextPositionX = textX;
  osd.nTextPositionY = textY;
  std::memcpy(osd.overlaytext, overlay.data(), overlay.size());
  return osd;
}

bool SameRecord(const CameraClientOsdParam& a, const CameraClientOsdParam& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

class VidoOSDTest : public VideoDialogTest {
 protected:
  HWND OpenPage() { return OpenDialogOnTab("tab_videoosd"); }
  void Save() { ASSERT_TRUE(Driver().Click("dlg_btn_osdok")); }
  std::vector<std::string> Positions() {
    std::vector<std::string> texts;
    for (const char* edit : kPositionEdits) texts.push_back(Text(edit));
    return texts;
  }
};

TEST_F(VidoOSDTest, TheZoomModelShowsItsOverlaySwitchesAndSendsThemWithTheRecord) {
  SetCamera(0);
  Settings([](camsim::CameraSettings& s) {
    s.osd = CameraOsd(704);
    s.overlay = CameraClientOsdOverlay{1, 0, 1, 0};
  });
  const HWND dialog = OpenPage();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsSelected("dlg_opt_date"));
  EXPECT_FALSE(IsSelected("dlg_opt_time"));
  EXPECT_TRUE(IsSelected("dlg_opt_content"));
  EXPECT_EQ(Items("dlg_cmb_dateformat"), (Texts{"YYYY/MM/DD", "MM/DD/YYYY", "DD/MM/YYYY"}));
  EXPECT_EQ(Items("dlg_cmb_timeformat"), (Texts{"12 Hours", "24 Hours"}));
  EXPECT_EQ(Text("dlg_cmb_dateformat"), "DD/MM/YYYY");
  EXPECT_EQ(Text("dlg_cmb_timeformat"), "12 Hours");
  EXPECT_EQ(Positions(), (Texts{"50", "50", "100", "100", "0", "0"}));
  EXPECT_EQ(Text("dlg_content"), "ABC");
  EXPECT_TRUE(Visible("dlg_layout_xshow"));
  EXPECT_TRUE(IsSelected("opt_realtime"));
  EXPECT_FALSE(IsSelected("opt_rule"));
  EXPECT_TRUE(IsSelected("opt_pos"));
  EXPECT_FALSE(IsSelected("opt_distance"));
  SaveScreenshot(dialog, "video_osd_zoom_model.png");

  // Saved as shown: the positions come back as they were, the logo is cleared.
  Save();
  EXPECT_EQ(Box(), "设置OSD成功！");
  EXPECT_EQ(VideoSets(), Texts{"SetOsdOverlay[88]"});
  const CameraClientOsdParam unchanged = SentOsd(1, 2, 352, 288, 0, 0, 704, 576, 1, 0, 0, "ABC");
  EXPECT_TRUE(SameRecord(SentRecord<CameraClientOsdParam>(Operation::SetOsdOverlay), unchanged));
  const auto overlay = SentRecord<CameraClientOsdOverlay>(Operation::SetOsdOverlay, sizeof(CameraClientOsdParam));
  EXPECT_EQ((std::array<int, 4>{overlay.realTime, overlay.rule, overlay.position, overlay.distance}),
            (std::array<int, 4>{1, 0, 1, 0}));
  EXPECT_TRUE(SameRecord(CameraSettings().osd, unchanged));

  // Every setting changed.
  for (const char* option : {"dlg_opt_date", "dlg_opt_time", "opt_realtime", "opt_rule", "opt_distance"}) {
    ASSERT_TRUE(Driver().Click(option)) << option;
  }
  ASSERT_TRUE(Driver().Select("dlg_cmb_dateformat", 0));
  ASSERT_TRUE(Driver().Select("dlg_cmb_timeformat", 1));
  const char* const typed[] = {"25", "10", "75", "90", "33", "100"};
  for (std::size_t i = 0; i < std::size(kPositionEdits); ++i) ASSERT_TRUE(Driver().Type(kPositionEdits[i], typed[i]));
  ASSERT_TRUE(Driver().Type("dlg_content", "Gate 1"));
  ClearCalls();
  Save();
  EXPECT_EQ(Box(), "设置OSD成功！");
  EXPECT_EQ(VideoSets(), Texts{"SetOsdOverlay[88]"});
  const CameraClientOsdParam changed = SentOsd(0, 0, 176, 58, 1, 1, 528, 518, 1, 232, 576, "Gate 1");
  EXPECT_TRUE(SameRecord(SentRecord<CameraClientOsdParam>(Operation::SetOsdOverlay), changed));
  const auto changedOverlay =
      SentRecord<CameraClientOsdOverlay>(Operation::SetOsdOverlay, sizeof(CameraClientOsdParam));
  EXPECT_EQ((std::array<int, 4>{changedOverlay.realTime, changedOverlay.rule, changedOverlay.position,
                                changedOverlay.distance}),
            (std::array<int, 4>{0, 1, 1, 1}));
}

TEST_F(VidoOSDTest, AnotherModelOnType2UsesTheWiderPictureAndTheRecordAlone) {
  SetCamera(2, kOtherModelId);
  Settings([](camsim::CameraSettings& s) { s.osd = CameraOsd(720); });
  ASSERT_NE(OpenPage(), nullptr);
  EXPECT_FALSE(Visible("dlg_layout_xshow"));
  EXPECT_EQ(Positions(), (Texts{"50", "50", "100", "100", "0", "0"}));
  Save();
  EXPECT_EQ(Box(), "设置OSD成功！");
  EXPECT_EQ(VideoSets(), Texts{"SetOsdParam[72]"});
  EXPECT_TRUE(SameRecord(SentRecord<CameraClientOsdParam>(Operation::SetOsdParam),
                         SentOsd(1, 2, 360, 288, 0, 0, 720, 576, 1, 0, 0, "ABC")));
}

TEST_F(VidoOSDTest, TheFreeTextKeepsItsNulAndWholeCharacters) {
  struct Case {
    std::string typed;  // GBK
    std::string sent;
  };
  const Case cases[] = {
      {"abcdefghijklmno", "abcdefghijklmno"},
      {"abcdefghijklmnop", "abcdefghijklmno"},
      {"一二三四五六七八九十", "一二三四五六七"},
      {"abcdefghijklmn一", "abcdefghijklmn"},
      {"", ""},
  };
  SetCamera(0, kOtherModelId);
  ASSERT_NE(OpenPage(), nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sent);
    SetText("dlg_content", c.typed);
    ClearCalls();
    Save();
    EXPECT_EQ(Box(), "设置OSD成功！");
    const auto sent = SentRecord<CameraClientOsdParam>(Operation::SetOsdParam);
    EXPECT_EQ(std::string(sent.overlaytext, sizeof sent.overlaytext),
              c.sent + std::string(sizeof sent.overlaytext - c.sent.size(), '\0'));
    EXPECT_EQ(FieldText(CameraSettings().osd.overlaytext), c.sent);
  }
}

TEST_F(VidoOSDTest, EachPositionThatIsNotANumberHasItsBoxAndNothingIsSent) {
  SetCamera(0);
  ASSERT_NE(OpenPage(), nullptr);
  SetText("dlg_datex", "");
  SetText("dlg_timey", "1a");
  SetText("dlg_contentx", "+5");
  Save();
  EXPECT_EQ(Boxes(), (Texts{"日期-坐标-X不是数值！", "时间-坐标-Y不是数值！", "文字-坐标-X不是数值！"}));
  EXPECT_EQ(VideoSets(), Texts{});

  for (const char* edit : kPositionEdits) SetText(edit, "100");
  for (const char* tooLarge : {"101", "99999999999999999999999"}) {
    SCOPED_TRACE(tooLarge);
    SetText("dlg_datey", tooLarge);
    Save();
    EXPECT_EQ(Box(), "坐标百分比在0-100之间，请重新输入!");
    EXPECT_EQ(VideoSets(), Texts{});
    EXPECT_EQ(Text("dlg_datey"), tooLarge) << "the page keeps the input";
  }
  SetText("dlg_datey", "0");
  Save();
  EXPECT_EQ(Box(), "设置OSD成功！");
}

TEST_F(VidoOSDTest, AFormatOutsideTheListSendsNothing) {
  SetCamera(0);
  Settings([](camsim::CameraSettings& s) { s.osd.dateFormat = 5; });
  ASSERT_NE(OpenPage(), nullptr);
  EXPECT_EQ(SelectedItem("dlg_cmb_dateformat"), -1);
  Save();
  EXPECT_EQ(Box(), "设置OSD失败！");
  EXPECT_EQ(VideoSets(), Texts{});
  ASSERT_TRUE(Driver().Select("dlg_cmb_dateformat", 1));
  Save();
  EXPECT_EQ(Box(), "设置OSD成功！");
  EXPECT_EQ(CameraSettings().osd.dateFormat, 1);
}

TEST_F(VidoOSDTest, AFailedWriteIsReportedAndThePageKeepsItsInput) {
  SetCamera(0);
  ASSERT_NE(OpenPage(), nullptr);
  Fail(Operation::SetOsdOverlay);
  ASSERT_TRUE(Driver().Type("dlg_timex", "42"));
  Save();
  EXPECT_EQ(Box(), "设置OSD失败！");
  EXPECT_EQ(Text("dlg_timex"), "42");
  EXPECT_EQ(VideoCalls(), Texts{"SetOsdOverlay[88]"}) << "nothing is read again";
}

TEST_F(VidoOSDTest, WithoutTheCameraRecordNothingIsSent) {
  // Whatever the operator fills in, a record the camera did not give never goes back.
  struct Case {
    int model;
    Operation failing;
  };
  for (const Case c : {Case{camsim::kZoomModelId, Operation::GetOsdOverlay}, Case{kOtherModelId, Operation::GetOsdParam}}) {
    SCOPED_TRACE(camera::protocol::OperationName(c.failing));
    SetCamera(0, c.model);
    Settings([](camsim::CameraSettings& s) {
      s.osd = CameraOsd(704);
      s.overlay = CameraClientOsdOverlay{1, 0, 1, 0};
    });
    harness.Camera(0).Faults().ClearAll();
    Fail(c.failing);
    const HWND dialog = OpenPage();
    ASSERT_NE(dialog, nullptr);
    // Nothing of the camera's shows.
    EXPECT_EQ(Positions(), (Texts{"", "", "", "", "", ""}));
    EXPECT_EQ(Text("dlg_content"), "");
    EXPECT_EQ(SelectedItem("dlg_cmb_dateformat"), -1);
    EXPECT_EQ(SelectedItem("dlg_cmb_timeformat"), -1);
    for (const char* option : {"dlg_opt_date", "dlg_opt_content", "opt_realtime", "opt_pos"}) {
      EXPECT_FALSE(IsSelected(option)) << option;
    }
    if (c.model == camsim::kZoomModelId) SaveScreenshot(dialog, "video_osd_unread.png");

    for (const char* edit : kPositionEdits) ASSERT_TRUE(Driver().Type(edit, "10"));
    ASSERT_TRUE(Driver().Select("dlg_cmb_dateformat", 0));
    ASSERT_TRUE(Driver().Select("dlg_cmb_timeformat", 1));
    ASSERT_TRUE(Driver().Type("dlg_content", "Gate"));
    ASSERT_TRUE(Driver().Click("dlg_opt_time"));
    ClearCalls();
    Save();
    EXPECT_EQ(Boxes(), Texts{"设置OSD失败！"});
    EXPECT_EQ(VideoSets(), Texts{});
    EXPECT_TRUE(SameRecord(CameraSettings().osd, CameraOsd(704)));
    Driver().Click("closebtn");
    Driver().Click("btn_close");
  }
}

TEST_F(VidoOSDTest, AFailedModelReadMeansAnotherModel) {
  SetCamera(0);
  Fail(Operation::GetModelId);
  ASSERT_NE(OpenDialog(), nullptr);
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::GetOsdParam), 1u);
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::GetOsdOverlay), 0u);
  ShowTab("tab_videoosd");
  EXPECT_FALSE(Visible("dlg_layout_xshow"));
  ClearCalls();
  Save();
  EXPECT_EQ(Box(), "设置OSD成功！");
  EXPECT_EQ(VideoSets(), Texts{"SetOsdParam[72]"});
}

}  // namespace
}  // namespace configtool::test
