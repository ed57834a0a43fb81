// The encoding page against simulated cameras of each family: what it shows, the calls of one OK
// click (families 0 and 2) or the stream record (family 3), the bit-rate checks and the boxes.

#include "configtool/features/video/VideoFrame.h"

#include <array>
#include <cstdio>

#include "tests/configtool/video/VideoDialogTest.h"

namespace configtool::test {
namespace {

using camera::protocol::Operation;
using Texts = std::vector<std::string>;

constexpr int Resolution(int width, int height) { return width * 65536 + height; }

class VideoFrameTest : public VideoDialogTest {
 protected:
  void ExpectEnabled(bool ctrl, bool limit, bool vbr) {
    EXPECT_EQ(Enabled("dlg_cmb_ctrl"), ctrl);
    EXPECT_EQ(Enabled("dlg_limit"), limit);
    EXPECT_EQ(Enabled("dlg_cmb_vbr"), vbr);
  }
  void Save() { ASSERT_TRUE(Driver().Click("dlg_btn_frameok")); }
  // The camera's settings of families 0 and 2.
  static std::array<int, 7> Encoding(const camsim::CameraSettings& s) {
    return {s.frameSize, s.resolution, s.frameRate, s.encodeType, s.rateControl, s.videoQuality, s.bitRate};
  }
};

TEST_F(VideoFrameTest, Family0ShowsTheCameraAndSendsEverySettingOnOk) {
  // Hardware type 1 is family 0.
  for (const int type : {0, 1}) {
    SCOPED_TRACE(type);
    SetCamera(type);
    Settings([](camsim::CameraSettings& s) {
      s.frameSize = 2;
      s.frameRate = 10;
      s.encodeType = 2;
      s.rateControl = 1;
      s.videoQuality = 4;
      s.bitRate = 2048;
    });
    ASSERT_NE(OpenDialog(), nullptr);
    EXPECT_EQ(Items("dlg_cmb_size_index"), (Texts{"352 x 288", "704 x 576", "1280 x 720", "1920 x 1080"}));
    EXPECT_EQ(Items("dlg_cmb_encodetype"), (Texts{"H264", "JPEG"}));
    EXPECT_EQ(Items("dlg_cmb_ctrl"), (Texts{"定码流", "变码流"}));
    EXPECT_EQ(Items("dlg_cmb_vbr"), (Texts{"最流畅", "较流畅", "流畅", "中等", "清晰", "较清晰", "最清晰"}));
    EXPECT_EQ(ItemCount("dlg_cmb_rate"), 25);
    EXPECT_EQ(Text("dlg_cmb_size_index"), "1280 x 720");
    EXPECT_EQ(Text("dlg_cmb_rate"), "10");
    EXPECT_EQ(Text("dlg_cmb_encodetype"), "JPEG");
    EXPECT_EQ(Text("dlg_cmb_ctrl"), "变码流");
    EXPECT_EQ(Text("dlg_cmb_vbr"), "清晰");
    EXPECT_EQ(Text("dlg_limit"), "2048");
    EXPECT_FALSE(Visible("dlg_hor_stream_type"));
    ExpectEnabled(false, false, true);

    ClearCalls();
    ASSERT_TRUE(Driver().Select("dlg_cmb_encodetype", 0));
    ASSERT_TRUE(Driver().Select("dlg_cmb_vbr", 6));
    ASSERT_TRUE(Driver().Select("dlg_cmb_ctrl", 0));
    ASSERT_TRUE(Driver().Type("dlg_limit", "100"));
    ASSERT_TRUE(Driver().Select("dlg_cmb_size_index", 0));
    ASSERT_TRUE(Driver().Select("dlg_cmb_rate", 24));
    EXPECT_EQ(VideoSets(), Texts{}) << "nothing goes before OK";
    Save();
    EXPECT_EQ(Box(), "设置主码流成功！");
    EXPECT_EQ(VideoSets(), (Texts{"SetFrameSize(1)", "SetFrameRate(25)", "SetEncodeType(0)", "SetRateControl(0)",
                                  "SetVideoQuality(6)", "SetBitRate(100)"}));
    const camsim::CameraSettings settings = CameraSettings();
    EXPECT_EQ(settings.frameSize, 1);
    EXPECT_EQ(settings.videoQuality, 6);
    EXPECT_EQ(settings.bitRate, 100);
    EXPECT_TRUE(IsOpen(kVideoDialog));
    Driver().Click("closebtn");
    Driver().Click("btn_close");
  }
}

TEST_F(VideoFrameTest, Family0ShowsTheFirstFrameSizeForAnUnknownOne) {
  SetCamera(0);
  Settings([](camsim::CameraSettings& s) { s.frameSize = 7; });
  ASSERT_NE(OpenDialog(), nullptr);
  EXPECT_EQ(Text("dlg_cmb_size_index"), "352 x 288");
}

TEST_F(VideoFrameTest, Family2SendsNothingForAComboWithoutSelection) {
  SetCamera(2);
  Settings([](camsim::CameraSettings& s) {
    s.resolution = Resolution(800, 600);  // not in the table
    s.frameRate = 12;
    s.videoQuality = 7;
    s.bitRate = 4000;
  });
  ASSERT_NE(OpenDialog(), nullptr);
  EXPECT_EQ(Items("dlg_cmb_size_index"), (Texts{"640 x 360", "720 x 576", "1280 x 720", "1920 x 1080"}));
  EXPECT_EQ(Items("dlg_cmb_encodetype"), Texts{"H264"});
  EXPECT_EQ(SelectedItem("dlg_cmb_size_index"), -1);
  EXPECT_EQ(SelectedItem("dlg_cmb_vbr"), -1);
  EXPECT_EQ(Text("dlg_cmb_rate"), "12");
  EXPECT_EQ(Text("dlg_limit"), "4000");

  ClearCalls();
  Save();
  EXPECT_EQ(Box(), "设置主码流失败！");
  EXPECT_EQ(VideoSets(), (Texts{"SetFrameRate(12)", "SetEncodeType(0)", "SetRateControl(0)", "SetBitRate(4000)"}));
  EXPECT_EQ(CameraSettings().resolution, Resolution(800, 600));

  ClearCalls();
  ASSERT_TRUE(Driver().Select("dlg_cmb_size_index", 1));
  ASSERT_TRUE(Driver().Select("dlg_cmb_ctrl", 1));
  ASSERT_TRUE(Driver().Select("dlg_cmb_vbr", 2));
  Save();
  EXPECT_EQ(Box(), "设置主码流成功！");
  EXPECT_EQ(VideoSets(), (Texts{"SetResolution(47186496)", "SetFrameRate(12)", "SetEncodeType(0)",
                                "SetRateControl(1)", "SetVideoQuality(2)", "SetBitRate(4000)"}));
  EXPECT_EQ(CameraSettings().resolution, 0x02D00240);
}

TEST_F(VideoFrameTest, TheBitRateIsDigitsWithinTheFamilysRange) {
  struct Case {
    int type;
    const char* text;
    bool accepted;
  };
  const Case cases[] = {
      {2, "511", false}, {2, "512", true},   {2, "5000", true},         {2, "5001", false},
      {2, "", false},    {2, "+600", false}, {2, "4294967808", false}, {0, "99", false},
      {0, "100", true},  {0, "4096", true},  {0, "4097", false},
  };
  int openType = -1;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + " \"" + c.text + "\"");
    if (c.type != openType) {
      if (openType >= 0) {
        Driver().Click("closebtn");
        Driver().Click("btn_close");
      }
      SetCamera(c.type);
      ASSERT_NE(OpenDialog(), nullptr);
      openType = c.type;
    }
    ClearCalls();
    SetText("dlg_limit", c.text);
    Save();
    if (c.accepted) {
      EXPECT_EQ(Box(), "设置主码流成功！");
      EXPECT_EQ(VideoSets().back(), "SetBitRate(" + std::string(c.text) + ")");
    } else {
      EXPECT_EQ(Box(), c.type == 2 ? "码流上限值范围应该在：[512, 5000)" : "码流上限值范围应该在：[100, 4096)");
      EXPECT_EQ(VideoSets(), Texts{});
      EXPECT_EQ(Text("dlg_limit"), c.text) << "the page keeps the input";
    }
  }
}

TEST_F(VideoFrameTest, TheEncodeTypeAndRateControlChooseBitRateOrQuality) {
  SetCamera(0);
  Settings([](camsim::CameraSettings& s) {
    s.encodeType = 0;
    s.rateControl = 0;
  });
  ASSERT_NE(OpenDialog(), nullptr);
  ExpectEnabled(true, true, false);
  ASSERT_TRUE(Driver().Select("dlg_cmb_ctrl", 1));
  ExpectEnabled(true, false, true);
  ASSERT_TRUE(Driver().Select("dlg_cmb_encodetype", 1));
  ExpectEnabled(false, false, true);
  ASSERT_TRUE(Driver().Select("dlg_cmb_encodetype", 0));
  ExpectEnabled(true, false, true);
  EXPECT_EQ(VideoSets(), Texts{});
}

TEST_F(VideoFrameTest, AnUnknownEncodeTypeSelectsNothingAndCountsAsH264) {
  SetCamera(0);
  Settings([](camsim::CameraSettings& s) {
    s.encodeType = 5;
    s.rateControl = 0;
  });
  ASSERT_NE(OpenDialog(), nullptr);
  EXPECT_EQ(SelectedItem("dlg_cmb_encodetype"), -1);
  ExpectEnabled(true, true, false);
  ClearCalls();
  Save();
  EXPECT_EQ(Box(), "设置主码流失败！");
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::SetEncodeType), 0u);
  EXPECT_EQ(VideoSets().size(), 5u);
}

TEST_F(VideoFrameTest, AFailedCallStopsNoLaterOneAndFailsTheSave) {
  SetCamera(0);
  ASSERT_NE(OpenDialog(), nullptr);
  ASSERT_TRUE(Driver().Select("dlg_cmb_rate", 14));
  Fail(Operation::SetEncodeType);
  ClearCalls();
  Save();
  EXPECT_EQ(Box(), "设置主码流失败！");
  EXPECT_EQ(VideoSets().size(), 6u);
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::SetBitRate), 1u);
  EXPECT_EQ(CameraSettings().frameRate, 15);
}

TEST_F(VideoFrameTest, ASettingTheCameraDidNotGiveIsLeftOutUntilTheOperatorGivesIt) {
  // The camera holds known values; one Get fails. OK sends the other five in their order and fails;
  // once the operator has chosen the missing setting, OK sends the operator's value with the rest.
  struct Case {
    int type;
    int rateControl;  // the camera's: 0 lets the bit rate be typed, 1 the quality be chosen
    Operation failing;
    const char* control;
    int item;          // the item the operator chooses, or -1 to type
    const char* sent;  // the call with the operator's value
  };
  const Case cases[] = {
      {0, 0, Operation::GetFrameSize, "dlg_cmb_size_index", 3, "SetFrameSize(3)"},
      {2, 0, Operation::GetResolution, "dlg_cmb_size_index", 0, "SetResolution(41943400)"},
      {0, 0, Operation::GetFrameRate, "dlg_cmb_rate", 4, "SetFrameRate(5)"},
      {0, 0, Operation::GetEncodeType, "dlg_cmb_encodetype", 0, "SetEncodeType(0)"},
      {2, 0, Operation::GetRateControl, "dlg_cmb_ctrl", 1, "SetRateControl(1)"},
      {0, 1, Operation::GetVideoQuality, "dlg_cmb_vbr", 2, "SetVideoQuality(2)"},
      {2, 0, Operation::GetBitRate, "dlg_limit", -1, "SetBitRate(600)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(camera::protocol::OperationName(c.failing));
    SetCamera(c.type);
    Settings([&](camsim::CameraSettings& s) {
      s.frameSize = 2;
      s.resolution = 0x050002D0;
      s.frameRate = 10;
      s.encodeType = 0;
      s.rateControl = c.rateControl;
      s.videoQuality = 4;
      s.bitRate = 2048;
    });
    const camsim::CameraSettings before = CameraSettings();
    Texts all = {c.type == 2 ? "SetResolution(83886800)" : "SetFrameSize(2)",
                 "SetFrameRate(10)",
                 "SetEncodeType(0)",
                 "SetRateControl(" + std::to_string(c.rateControl) + ")",
                 "SetVideoQuality(4)",
                 "SetBitRate(2048)"};
    const std::string sent = c.sent;
    const std::string setCall = sent.substr(0, sent.find('(') + 1);
    Texts others;
    for (std::string& call : all) {
      if (call.rfind(setCall, 0) == 0) {
        call = c.sent;
      } else {
        others.push_back(call);
      }
    }
    harness.Camera(0).Faults().ClearAll();
    Fail(c.failing);
    ASSERT_NE(OpenDialog(), nullptr);
    if (c.item >= 0) {
      EXPECT_EQ(SelectedItem(c.control), -1) << "no item for what the camera did not give";
    } else {
      EXPECT_EQ(Text(c.control), "");
    }

    ClearCalls();
    Save();
    EXPECT_EQ(Boxes(), Texts{"设置主码流失败！"});
    EXPECT_EQ(VideoSets(), others);
    EXPECT_EQ(Encoding(CameraSettings()), Encoding(before)) << "the camera keeps what it had";

    if (c.item >= 0) {
      ASSERT_TRUE(Driver().Select(c.control, c.item));
    } else {
      ASSERT_TRUE(Driver().Type(c.control, "600"));
    }
    ClearCalls();
    Save();
    EXPECT_EQ(Boxes(), Texts{"设置主码流成功！"});
    EXPECT_EQ(VideoSets(), all);
    Driver().Click("closebtn");
    Driver().Click("btn_close");
  }
}

TEST_F(VideoFrameTest, ABitRateTheCameraDidNotGiveIsCheckedOnceTyped) {
  SetCamera(0);
  Fail(Operation::GetBitRate);
  ASSERT_NE(OpenDialog(), nullptr);
  ASSERT_TRUE(Driver().Type("dlg_limit", "5000"));
  ClearCalls();
  Save();
  EXPECT_EQ(Box(), "码流上限值范围应该在：[100, 4096)");
  EXPECT_EQ(VideoSets(), Texts{});
}

// Family 3: 17 resolutions, a main stream whose number field holds 5 and whose quality is 7, and
// a sub stream with a variable rate.
class StreamSettingsTest : public VideoFrameTest {
 protected:
  void SetUp() override {
    VideoFrameTest::SetUp();
    SetCamera(3);
    Settings([this](camsim::CameraSettings& s) {
      s.capability = CameraClientStreamCapability{};
      for (int i = 0; i < CAMERACLIENT_MAX_RESOLUTIONS; ++i) {
        CameraClientResolutionEntry& entry = s.capability.resolutions[i];
        entry.value = Resolution(320 + 64 * i, 240 + 36 * i);
        std::snprintf(entry.name, sizeof entry.name, "%d*%d", 320 + 64 * i, 240 + 36 * i);
        names.push_back(entry.name);
        values.push_back(entry.value);
      }
      s.capability.minBitRate = 256000;
      s.capability.maxBitRate = 8192000;
      s.streams[0] = CameraClientStreamConfig{5, 77, values[16], 20, 88, 0, 3000500, 7};
      s.streams[1] = CameraClientStreamConfig{1, 0, values[1], 15, 0, 1, 1024000, 2};
    });
  }

  Texts names;
  std::vector<int> values;
};

TEST_F(StreamSettingsTest, ShowsTheMainStreamWithAllResolutions) {
  const HWND dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(Visible("dlg_hor_stream_type"));
  EXPECT_EQ(Items("dlg_cmb_stream_type"), (Texts{"主码流", "子码流"}));
  // A stream number other than 0 or 1 shows the main stream.
  EXPECT_EQ(Text("dlg_cmb_stream_type"), "主码流");
  EXPECT_EQ(Items("dlg_cmb_size_index"), names);
  EXPECT_EQ(Text("dlg_cmb_size_index"), names[16]);
  EXPECT_EQ(Text("dlg_cmb_rate"), "20");
  EXPECT_EQ(Text("dlg_cmb_vbr"), "中等");
  EXPECT_EQ(Text("dlg_cmb_ctrl"), "定码流");
  EXPECT_EQ(Text("dlg_limit"), "3000");
  EXPECT_EQ(Items("dlg_cmb_encodetype"), Texts{"H264"});
  EXPECT_EQ(Text("dlg_cmb_encodetype"), "H264");
  ExpectEnabled(true, true, false);
  SaveScreenshot(dialog, "video_frame_family3.png");
}

TEST_F(StreamSettingsTest, TheSubStreamOffersThreeResolutionsAndSavesItsRecord) {
  ASSERT_NE(OpenDialog(), nullptr);
  ClearCalls();
  ASSERT_TRUE(Driver().Select("dlg_cmb_stream_type", 1));
  EXPECT_EQ(VideoCalls(), (Texts{"GetStreamConfig(1)", "GetStreamCapability()"}));
  EXPECT_EQ(Items("dlg_cmb_size_index"), (Texts{names[0], names[1], names[2]}));
  EXPECT_EQ(Text("dlg_cmb_size_index"), names[1]);
  EXPECT_EQ(Text("dlg_cmb_rate"), "15");
  EXPECT_EQ(Text("dlg_cmb_vbr"), "流畅");
  EXPECT_EQ(Text("dlg_cmb_ctrl"), "变码流");
  EXPECT_EQ(Text("dlg_limit"), "1024");
  EXPECT_FALSE(Enabled("dlg_limit"));
  EXPECT_TRUE(Enabled("dlg_cmb_vbr"));

  ASSERT_TRUE(Driver().Select("dlg_cmb_size_index", 2));
  ASSERT_TRUE(Driver().Select("dlg_cmb_rate", 9));
  ASSERT_TRUE(Driver().Select("dlg_cmb_vbr", 5));
  ASSERT_TRUE(Driver().Select("dlg_cmb_ctrl", 0));
  ASSERT_TRUE(Driver().Type("dlg_limit", "2000"));
  ClearCalls();
  Save();
  EXPECT_EQ(Box(), "设置视频参数成功！");
  EXPECT_EQ(VideoSets(), Texts{"SetStreamConfig[36]"});
  EXPECT_EQ(SentRecord<std::int32_t>(Operation::SetStreamConfig), 1);
  const auto sent = SentRecord<CameraClientStreamConfig>(Operation::SetStreamConfig, 4);
  const CameraClientStreamConfig expected{1, 0, values[2], 10, 0, 0, 2000000, 5};
  EXPECT_EQ(std::memcmp(&sent, &expected, sizeof sent), 0);
  const camsim::CameraSettings settings = CameraSettings();
  EXPECT_EQ(std::memcmp(&settings.streams[1], &expected, sizeof expected), 0);
  EXPECT_EQ(settings.streams[0].quality, 7) << "the main stream is untouched";
}

TEST_F(StreamSettingsTest, TheBitRateLiesStrictlyBetweenTheLimits) {
  ASSERT_NE(OpenDialog(), nullptr);
  for (const char* text : {"256", "8192", "", "abc", "+300", "99999999999999999999"}) {
    SCOPED_TRACE(text);
    ClearCalls();
    SetText("dlg_limit", text);
    Save();
    EXPECT_EQ(Box(), "码流范围为256-8192，请重新输入！");
    EXPECT_EQ(VideoSets(), Texts{});
  }
  for (const char* text : {"257", "8191"}) {
    SCOPED_TRACE(text);
    SetText("dlg_limit", text);
    Save();
    EXPECT_EQ(Box(), "设置视频参数成功！");
    EXPECT_EQ(CameraSettings().streams[0].bitRate, std::stoi(text) * 1000);
  }
  // The main stream goes as stream 0, whatever its number field held, and the fields the page
  // does not use go as 0.
  EXPECT_EQ(SentRecord<std::int32_t>(Operation::SetStreamConfig), 0);
  const auto sent = SentRecord<CameraClientStreamConfig>(Operation::SetStreamConfig, 4);
  const CameraClientStreamConfig expected{0, 0, values[16], 20, 0, 0, 8191000, 3};
  EXPECT_EQ(std::memcmp(&sent, &expected, sizeof sent), 0);
}

TEST_F(StreamSettingsTest, AStreamWithoutAResolutionOfTheListSendsNothing) {
  Settings([](camsim::CameraSettings& s) { s.streams[0].resolution = Resolution(999, 999); });
  ASSERT_NE(OpenDialog(), nullptr);
  EXPECT_EQ(SelectedItem("dlg_cmb_size_index"), -1);
  ClearCalls();
  Save();
  EXPECT_EQ(Box(), "设置视频参数失败，请重试！");
  EXPECT_EQ(VideoSets(), Texts{});
}

TEST_F(StreamSettingsTest, AStreamTheCameraDidNotGiveSendsNothing) {
  // Without the stream's record or its capability, OK sends nothing whatever the operator chose;
  // a stream read afterwards saves as usual.
  for (const Operation failing : {Operation::GetStreamConfig, Operation::GetStreamCapability}) {
    SCOPED_TRACE(camera::protocol::OperationName(failing));
    harness.Camera(0).Faults().ClearAll();
    Fail(failing);
    const HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    if (failing == Operation::GetStreamConfig) {
      SaveScreenshot(dialog, "video_frame_unread.png");
      EXPECT_EQ(Items("dlg_cmb_size_index"), names);
      for (const char* combo : {"dlg_cmb_size_index", "dlg_cmb_rate", "dlg_cmb_ctrl", "dlg_cmb_vbr"}) {
        EXPECT_EQ(SelectedItem(combo), -1) << combo;
      }
      EXPECT_EQ(Text("dlg_limit"), "");
      ASSERT_TRUE(Driver().Select("dlg_cmb_size_index", 4));
      ASSERT_TRUE(Driver().Select("dlg_cmb_rate", 9));
      ASSERT_TRUE(Driver().Select("dlg_cmb_vbr", 1));
      ASSERT_TRUE(Driver().Select("dlg_cmb_ctrl", 0));
    } else {
      // Neither resolutions nor limits: the failure box, not a range of 0-0.
      EXPECT_EQ(ItemCount("dlg_cmb_size_index"), 0);
    }
    SetText("dlg_limit", "2000");
    ClearCalls();
    Save();
    EXPECT_EQ(Boxes(), Texts{"设置视频参数失败，请重试！"});
    EXPECT_EQ(VideoSets(), Texts{});
    EXPECT_EQ(CameraSettings().streams[0].quality, 7);

    harness.Camera(0).Faults().ClearAll();
    ASSERT_TRUE(Driver().Select("dlg_cmb_stream_type", 1));
    ClearCalls();
    Save();
    EXPECT_EQ(Boxes(), Texts{"设置视频参数成功！"});
    EXPECT_EQ(VideoSets(), Texts{"SetStreamConfig[36]"});
    EXPECT_EQ(SentRecord<std::int32_t>(Operation::SetStreamConfig), 1);
    Driver().Click("closebtn");
    Driver().Click("btn_close");
  }
}

TEST_F(StreamSettingsTest, AFailedWriteShowsTheFailureBox) {
  ASSERT_NE(OpenDialog(), nullptr);
  Fail(Operation::SetStreamConfig);
  Save();
  EXPECT_EQ(Box(), "设置视频参数失败，请重试！");
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::SetStreamConfig), 1u);
}

}  // namespace
}  // namespace configtool::test
