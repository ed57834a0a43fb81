#include "configtool/features/export/DeviceConfigJson.h"

#include <cstring>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/batch/fake/FakeCameraClient.h"
#include "tests/batch/support/CameraSettings.h"

namespace {

using testing::ElementsAre;

class DeviceConfigJsonTest : public testing::Test {
 protected:
  void SetUp() override {
    FakeCameraNetwork::Instance().Reset();
    m_camera = &FakeCameraNetwork::Instance().Add("127.0.10.1", 8080);
    m_handle = CameraClient_Open("127.0.10.1", 8080, "qorvt", "qorvt");
    ASSERT_NE(m_handle, 0);
    ASSERT_TRUE(WriteCameraSettings(m_handle, SampleCameraSettings()));
    m_camera->calls.clear();
  }
  void TearDown() override { FakeCameraNetwork::Instance().Reset(); }

  Json::Value Export(const ExportOptions& options) { return BuildDeviceConfigJson(m_handle, options); }
  void FailEveryRead() {
    for (const char* op : {"GetNetParam", "GetProvinceInfo", "GetFrameSize", "GetFrameRate", "GetEncodeType",
                           "GetRateControl", "GetBitRate", "GetVideoQuality", "GetOsdParam", "GetHardwareType",
                           "GetImageAdjust", "GetFlickerFrequency", "GetShutter", "GetFlip", "GetNoiseReduction",
                           "GetIoOutput", "GetWhiteListEnable", "GetWhiteListFuzzy", "GetRecognitionType",
                           "GetTriggerType", "GetDrawMode", "GetSerialParam", "GetSerialPushConfig",
                           "GetVirtualLoops", "GetRecognitionRegion", "GetNtpParam", "GetRealShowText"}) {
      m_camera->failing.insert(op);
    }
  }

  FakeCamera* m_camera = nullptr;
  CameraClientHandle m_handle = 0;
};

TEST_F(DeviceConfigJsonTest, ReadsTheSectionsInTheirFixedOrder) {
  const Json::Value root = Export(AllExportOptions());
  EXPECT_EQ(root.getMemberNames(),
            (std::vector<std::string>{"base_param", "net_param", "ntp_param", "osd_param", "output_config",
                                      "province_info", "real_show", "region_param", "rs485_push_cfg", "serial_param",
                                      "video_param", "virtual_loop", "wlist_param"}));
  EXPECT_THAT(m_camera->calls,
              ElementsAre("GetNetParam()", "GetProvinceInfo()", "GetFrameSize()", "GetFrameRate()", "GetEncodeType()",
                          "GetRateControl()", "GetBitRate()", "GetVideoQuality()", "GetOsdParam()",
                          "GetHardwareType()", "GetImageAdjust()", "GetFlickerFrequency()", "GetShutter()",
                          "GetFlip()", "GetIoOutput()", "GetWhiteListEnable()", "GetWhiteListFuzzy()",
                          "GetRecognitionType()", "GetTriggerType()", "GetDrawMode()", "GetSerialParam(0)",
                          "GetSerialParam(1)", "GetSerialPushConfig()", "GetVirtualLoops()",
                          "GetRecognitionRegion()", "GetNtpParam()", "GetRealShowText()"));
}

TEST_F(DeviceConfigJsonTest, FailedReadsLeaveOnlyTheThreeNullSections) {
  FailEveryRead();
  const Json::Value root = Export(AllExportOptions());
  EXPECT_EQ(root.getMemberNames(), (std::vector<std::string>{"output_config", "region_param", "serial_param"}));
  for (const char* key : {"output_config", "region_param", "serial_param"}) EXPECT_TRUE(root[key].isNull()) << key;

  ExportOptions options = AllExportOptions();
  options.erase(ExportOption::Output);
  options.erase(ExportOption::Serial);
  options.erase(ExportOption::Region);
  EXPECT_TRUE(Export(options).isNull());
  EXPECT_TRUE(Export({}).isNull());
}

TEST_F(DeviceConfigJsonTest, VideoMembersFollowTheHardwareType) {
  struct Case {
    int hardwareType;
    std::vector<std::string> members;
    std::vector<std::string> calls;
  };
  const std::vector<std::string> type2Calls = {"GetImageAdjust()", "GetShutter()", "GetFlip()", "GetNoiseReduction()"};
  const Case cases[] = {
      {2,
       {"DNMode", "DNStrength", "bitval", "brt", "cst", "flip", "hue", "levelval", "modeval", "nEncodeType", "nRateval",
        "nSizeVal", "ratelist", "sat", "shutter"},
       type2Calls},
      {3,
       {"bitval", "brt", "cst", "flip", "frequency", "hue", "levelval", "modeval", "nEncodeType", "nRateval",
        "nSizeVal", "ratelist", "sat", "shutter"},
       {"GetImageAdjust()", "GetFlickerFrequency()", "GetShutter()", "GetFlip()"}},
  };
  for (const Case& c : cases) {
    m_camera->hardwareType = c.hardwareType;
    m_camera->calls.clear();
    const Json::Value root = Export({ExportOption::Video});
    EXPECT_EQ(root["video_param"].getMemberNames(), c.members) << c.hardwareType;
    const std::vector<std::string> tail(m_camera->calls.end() - 4, m_camera->calls.end());
    EXPECT_EQ(tail, c.calls) << c.hardwareType;
  }
}

TEST_F(DeviceConfigJsonTest, VideoLeavesOutAFrameRateOfZeroAndFailedReads) {
  m_camera->frameRate = 0;
  m_camera->failing = {"GetImageAdjust", "GetOsdParam"};
  const Json::Value root = Export({ExportOption::Video});
  EXPECT_FALSE(root["video_param"].isMember("nRateval"));
  EXPECT_FALSE(root["video_param"].isMember("brt"));
  EXPECT_TRUE(root["video_param"].isMember("nSizeVal"));
  EXPECT_FALSE(root.isMember("osd_param"));
}

TEST_F(DeviceConfigJsonTest, RegionGivesOneElementPerVertex) {
  const Json::Value region = Export({ExportOption::Region})["region_param"];
  ASSERT_EQ(region.size(), 4u);
  for (Json::ArrayIndex i = 0; i < 4; ++i) {
    EXPECT_EQ(region[i]["VertexIndex"].asInt(), static_cast<int>(i));
    EXPECT_EQ(region[i]["uNumVertex"].asUInt(), 4u);
    EXPECT_EQ(region[i]["byDraw"].asInt(), 1);
    EXPECT_EQ(region[i]["byEnable"].asInt(), 1);
  }
  EXPECT_EQ(region[2]["X_1000"].asUInt(), 900u);
  EXPECT_EQ(region[2]["Y_1000"].asUInt(), 800u);

  m_camera->region.uNumVertex = 0;
  EXPECT_TRUE(Export({ExportOption::Region})["region_param"].isNull());
  // A count beyond the record's twelve vertices is cut to what the record holds.
  m_camera->region.uNumVertex = 1000;
  const Json::Value cut = Export({ExportOption::Region})["region_param"];
  EXPECT_EQ(cut.size(), 12u);
  EXPECT_EQ(cut[11]["uNumVertex"].asUInt(), 12u);
}

TEST_F(DeviceConfigJsonTest, ProvinceNamesTheCharacterAtItsIndex) {
  struct Case {
    int index;
    const char* name;
  };
  const Case cases[] = {{0, "京"}, {30, "琼"}, {31, ""}, {63, ""}, {-1, "无"}, {64, "无"}, {100000, "无"}};
  for (const Case& c : cases) {
    m_camera->province.currentIndex = c.index;
    const Json::Value province = Export({ExportOption::Province})["province_info"];
    EXPECT_EQ(province["nCurrIndex"].asInt(), c.index);
    EXPECT_EQ(province["name"].asString(), c.name) << c.index;
  }
}

TEST_F(DeviceConfigJsonTest, TextsAreReadUpToTheirFields) {
  std::memset(m_camera->realShow, 0, sizeof m_camera->realShow);
  EXPECT_EQ(Export({ExportOption::RealShow})["real_show"]["szRealData"].asString(), "000");
  std::memcpy(m_camera->realShow, "12345678", 8);
  EXPECT_EQ(Export({ExportOption::RealShow})["real_show"]["szRealData"].asString(), "12345678");

  std::memset(m_camera->net.ip, '9', sizeof m_camera->net.ip);
  std::memset(m_camera->loops.loops[0].strName, 'L', sizeof m_camera->loops.loops[0].strName);
  std::memset(m_camera->ntpServer, 'n', sizeof m_camera->ntpServer);
  const Json::Value root = Export({ExportOption::NetParam, ExportOption::VirtualLoop, ExportOption::Time});
  EXPECT_EQ(root["net_param"]["ip"].asString(), std::string(16, '9'));
  EXPECT_EQ(root["virtual_loop"]["strName"].asString(), std::string(32, 'L'));
  EXPECT_EQ(root["ntp_param"]["ntp_server_name"].asString(), std::string(17, 'n'));
}

TEST_F(DeviceConfigJsonTest, LoopsAndSwitchBytesFollowTheirTables) {
  m_camera->loops.count = 0;
  m_camera->ntpEnable = 9;
  m_camera->fuzzyChinese = 200;
  const Json::Value root = Export({ExportOption::VirtualLoop, ExportOption::Time, ExportOption::WhiteList});
  EXPECT_FALSE(root.isMember("virtual_loop"));
  EXPECT_EQ(root["ntp_param"]["ntp_enable"].asInt(), 1);
  EXPECT_EQ(root["wlist_param"]["bFuzzyCC"].asInt(), 1);
  m_camera->failing = {"GetWhiteListFuzzy"};
  EXPECT_EQ(Export({ExportOption::WhiteList})["wlist_param"].getMemberNames(), std::vector<std::string>{"nWLEnable"});
}

TEST_F(DeviceConfigJsonTest, SerialLeavesOutAPortWhoseReadFails) {
  m_camera->failing = {"GetSerialParam"};
  EXPECT_TRUE(Export({ExportOption::Serial})["serial_param"].isNull());
  m_camera->failing.clear();
  const Json::Value serial = Export({ExportOption::Serial})["serial_param"];
  ASSERT_EQ(serial.size(), 2u);
  EXPECT_EQ(serial[1]["port"].asInt(), 1);
  EXPECT_EQ(serial[1]["uBaudRate"].asUInt(), 115200u);
}

TEST(ExportOptions, NameTheDialogsOptions) {
  const char* const expected[] = {"dlg_opt_net_para",    "dlg_opt_prov_para",   "dlg_opt_video_para",
                                  "dlg_opt_output",      "dlg_opt_white_list",  "dlg_opt_basic_cfg",
                                  "dlg_opt_serial_port", "dlg_opt_push_config", "dlg_opt_loop_para",
                                  "dlg_opt_region_para", "dlg_opt_time",        "dlg_opt_real_show"};
  int i = 0;
  for (ExportOption option : AllExportOptions()) EXPECT_STREQ(ExportOptionControlName(option), expected[i++]);
  EXPECT_EQ(i, 12);
}

}  // namespace
