#include "batch/ConfigSectionAppliers.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/batch/fake/FakeCameraClient.h"
#include "tests/batch/support/CameraSettings.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

using Applier = int (*)(const ConfigSections&, std::shared_ptr<DeviceInfo>);

ConfigSections Sections(const std::string& text) {
  std::optional<ConfigSections> sections = ConfigSections::Parse(text);
  EXPECT_TRUE(sections) << text;
  return sections ? *sections : ConfigSections();
}

class ConfigSectionAppliers : public testing::Test {
 protected:
  void SetUp() override {
    FakeCameraNetwork::Instance().Reset();
    m_camera = &FakeCameraNetwork::Instance().Add("10.0.0.5", 8080);
    m_device = std::make_shared<DeviceInfo>();
    m_device->SetIp("10.0.0.5");
    m_device->SetPort(8080);
    ASSERT_TRUE(m_device->OpenDevice());
    m_camera->calls.clear();
  }
  void TearDown() override {
    m_device.reset();
    FakeCameraNetwork::Instance().Reset();
  }

  int Apply(Applier applier, const std::string& text) { return applier(Sections(text), m_device); }

  FakeCamera* m_camera = nullptr;
  std::shared_ptr<DeviceInfo> m_device;
};

struct NamedApplier {
  const char* name;
  Applier applier;
};

const NamedApplier kAppliers[] = {
    {"base", ApplyBaseParam},         {"osd", ApplyOsdParam},         {"output", ApplyOutputConfig},
    {"video", ApplyVideoParam},       {"loop", ApplyVirtualLoop},     {"wlist", ApplyWlistParam},
    {"net", ApplyNetParam},           {"serial", ApplySerialParam},   {"province", ApplyProvinceInfo},
    {"push", ApplyPushConfig},        {"real show", ApplyRealShow},   {"ntp", ApplyNtpParam},
    {"region", ApplyRegionParam},
};

TEST_F(ConfigSectionAppliers, AnEmptySectionSendsNothing) {
  const char* const files[] = {"null", "{}", R"({"base_param":{},"serial_param":[],"region_param":null})"};
  for (const char* file : files) {
    for (const NamedApplier& applier : kAppliers) {
      EXPECT_EQ(Apply(applier.applier, file), 2) << applier.name << " " << file;
    }
  }
  EXPECT_THAT(m_camera->calls, IsEmpty());
}

TEST_F(ConfigSectionAppliers, BaseSendsTheLiftedDrawModeGroup) {
  EXPECT_EQ(Apply(ApplyBaseParam, R"({"base_param":{"uBitsRecType":4294967295,"uBitsTrigType":6,)"
                                  R"("drawMode":{"byDspAddRule":1,"byDspAddTarget":258,"byDspAddTrajectory":3}}})"),
            1);
  EXPECT_THAT(m_camera->calls, ElementsAre("SetRecognitionType(4294967295)", "SetTriggerType(6)", "SetDrawMode()"));
  EXPECT_EQ(m_camera->drawMode.byDspAddTarget, 2);  // the low byte
  EXPECT_EQ(m_camera->drawMode.byDspAddRule, 1);
  EXPECT_EQ(m_camera->drawMode.byDspAddTrajectory, 3);
}

TEST_F(ConfigSectionAppliers, AFailedSetFailsTheSectionButEverySetIsSent) {
  m_camera->failing = {"SetTriggerType"};
  EXPECT_EQ(Apply(ApplyBaseParam, R"({"base_param":{"uBitsRecType":1}})"), 0);
  EXPECT_THAT(m_camera->calls, ElementsAre("SetRecognitionType(1)", "SetTriggerType(0)", "SetDrawMode()"));
}

TEST_F(ConfigSectionAppliers, OnScreenTextFillsTheRecordInFieldOrder) {
  EXPECT_EQ(Apply(ApplyOsdParam, R"({"osd_param":{"dateFormat":1,"datePosX":2,"datePosY":3,"dstampenable":1,)"
                                 R"("nLogoEnable":1,"nLogoPositionX":4,"nLogoPositionY":5,"nTextEnable":true,)"
                                 R"("nTextPositionX":6,"nTextPositionY":-7,"overlaytext":"收费站入口一号车道",)"
                                 R"("timeFormat":8,"timePosX":9,"tstampenable":1}})"),
            1);
  const CameraClientOsdParam& osd = m_camera->osd;
  EXPECT_EQ(osd.dstampenable, 1);
  EXPECT_EQ(osd.dateFormat, 1);
  EXPECT_EQ(osd.datePosX, 2);
  EXPECT_EQ(osd.datePosY, 3);
  EXPECT_EQ(osd.tstampenable, 1);
  EXPECT_EQ(osd.timeFormat, 8);
  EXPECT_EQ(osd.timePosX, 9);
  EXPECT_EQ(osd.timePosY, 0);  // missing: 0
  EXPECT_EQ(osd.nLogoEnable, 1);
  EXPECT_EQ(osd.nLogoPositionX, 4);
  EXPECT_EQ(osd.nLogoPositionY, 5);
  EXPECT_EQ(osd.nTextEnable, 0);  // "true" reads as 0
  EXPECT_EQ(osd.nTextPositionX, 6);
  EXPECT_EQ(osd.nTextPositionY, -7);
  // Nine two-byte characters do not fit 16 bytes: eight are kept, none is split.
  EXPECT_EQ(std::string(osd.overlaytext, 16), "收费站入口一号车");
}

TEST_F(ConfigSectionAppliers, OutputEntriesFollowTheirInputType) {
  EXPECT_EQ(Apply(ApplyOutputConfig, R"({"output_config":[)"
                                     R"({"eInputType":2,"switchout1":1,"switchout4":4,"levelout2":6,"rs485out1":7},)"
                                     R"({"eInputType":0,"rs485out2":9},{"eInputType":9,"switchout1":5}]})"),
            1);
  CameraClientIoOutput expected{};
  expected.entries[0].rs485out[1] = 9;
  expected.entries[2] = {{1, 0, 0, 4}, {0, 6}, {7, 0}, 2};
  EXPECT_EQ(RecordBytes(m_camera->output), RecordBytes(expected));
}

TEST_F(ConfigSectionAppliers, VideoBranchesOnTheHardwareType) {
  const std::string file = R"({"video_param":{"nSizeVal":3,"nRateval":25,"nEncodeType":2,"modeval":1,"bitval":4096,)"
                           R"("levelval":5,"brt":50,"cst":51,"sat":52,"hue":53,"frequency":1,"shutter":96,"flip":2,)"
                           R"("DNMode":3,"DNStrength":2,"ratelist":9}})";
  const std::vector<std::string> common = {"SetFrameSize(3)",   "SetFrameRate(25)",     "SetEncodeType(2)",
                                           "SetRateControl(1)", "SetBitRate(4096)",     "SetVideoQuality(5)",
                                           "SetImageAdjust(50,51,52,53)"};
  EXPECT_EQ(Apply(ApplyVideoParam, file), 1);
  std::vector<std::string> other = common;
  other.insert(other.end(), {"SetFlickerFrequency(1)", "SetShutter(96)", "SetFlip(2)"});
  EXPECT_EQ(m_camera->calls, other);

  m_camera->hardwareType = 2;
  ASSERT_TRUE(m_device->OpenDevice());
  m_camera->calls.clear();
  EXPECT_EQ(Apply(ApplyVideoParam, file), 1);
  std::vector<std::string> type2 = common;
  type2.insert(type2.end(), {"SetShutter(96)", "SetFlip(2)", "SetNoiseReduction(3,2)"});
  EXPECT_EQ(m_camera->calls, type2);
}

TEST_F(ConfigSectionAppliers, VirtualLoopKeepsTheCamerasShapeAndSendsOneLoop) {
  m_camera->loops.count = 3;
  m_camera->loops.loops[0].points[2] = {400, 500};
  m_camera->loops.loops[1].byEnable = 1;
  EXPECT_EQ(Apply(ApplyVirtualLoop, R"({"virtual_loop":{"byDraw":1,"byEnable":1,"eCrossDir":2,)"
                                    R"("strName":"入口线圈ABCDEFGHIJKLMNOPQRSTUVWXYZ","uMaxLPWidth":300,)"
                                    R"("uMinLPWidth":60,"uTriggerTimeGap":4}})"),
            1);
  EXPECT_THAT(m_camera->calls, ElementsAre("GetVirtualLoops()", "SetVirtualLoops()"));
  const CameraClientVirtualLoops& loops = m_camera->loops;
  EXPECT_EQ(loops.count, 1u);
  EXPECT_EQ(loops.loops[0].byDraw, 1);
  EXPECT_EQ(loops.loops[0].byEnable, 1);
  EXPECT_EQ(loops.loops[0].eCrossDir, 2);
  EXPECT_EQ(loops.loops[0].uMaxLPWidth, 300u);
  EXPECT_EQ(loops.loops[0].uMinLPWidth, 60u);
  EXPECT_EQ(loops.loops[0].uTriggerTimeGap, 4u);
  EXPECT_EQ(std::string(loops.loops[0].strName, 32), "入口线圈ABCDEFGHIJKLMNOPQRSTUVWX");
  EXPECT_EQ(loops.loops[0].points[2].x, 400);
  EXPECT_EQ(loops.loops[1].byEnable, 1);
}

TEST_F(ConfigSectionAppliers, WhitelistSendsFuzzyChineseAsAFlag) {
  EXPECT_EQ(Apply(ApplyWlistParam, R"({"wlist_param":{"nWLEnable":1,"nFuzzy":2,"nFuzzyLen":3,"bFuzzyCC":7}})"), 1);
  EXPECT_THAT(m_camera->calls, ElementsAre("SetWhiteListEnable(1)", "SetWhiteListFuzzy(2,3,1)"));
}

TEST_F(ConfigSectionAppliers, SerialSetsBothPortsAlways) {
  EXPECT_EQ(Apply(ApplySerialParam, R"({"serial_param":[{"port":0,"uBaudRate":9600,"uDataBits":8,"uParity":2,)"
                                    R"("uStopBit":1}]})"),
            1);
  EXPECT_THAT(m_camera->calls, ElementsAre("SetSerialParam(0)", "SetSerialParam(1)"));
  const CameraClientSerialParam port0{9600, 2, 8, 1};
  EXPECT_EQ(RecordBytes(m_camera->serial[0]), RecordBytes(port0));
  EXPECT_EQ(RecordBytes(m_camera->serial[1]), RecordBytes(CameraClientSerialParam{}));
}

TEST_F(ConfigSectionAppliers, ProvinceRealShowAndTimeSendTheirValues) {
  const std::string file = R"({"province_info":{"nCurrIndex":-1,"name":"无"},"real_show":{"szRealData":"12345678910"},)"
                           R"("ntp_param":{"ntp_server_name":"ntp.example.internal.lan","ntp_enable":5,)"
                           R"("frequency_time":60}})";
  EXPECT_EQ(Apply(ApplyProvinceInfo, file), 1);
  EXPECT_EQ(Apply(ApplyRealShow, file), 1);
  EXPECT_EQ(Apply(ApplyNtpParam, file), 1);
  EXPECT_THAT(m_camera->calls,
              ElementsAre("SetDefaultProvince(-1)", "SetRealShowText()", "SetNtpParam(ntp.example.inte,1,60)"));
  EXPECT_EQ(std::string(m_camera->realShow, 8), "12345678");
}

TEST_F(ConfigSectionAppliers, RegionTakesCountAndSwitchesFromVertexZero) {
  struct Case {
    const char* what;
    const char* file;
    std::uint32_t count;
    std::uint8_t draw;
  };
  const Case cases[] = {
      {"three vertices", R"({"region_param":[{"VertexIndex":0,"X_1000":1,"Y_1000":2,"byDraw":1,"byEnable":1,)"
                         R"("uNumVertex":3},{"VertexIndex":2,"X_1000":5,"Y_1000":6}]})", 3, 1},
      {"no vertex 0", R"({"region_param":[{"VertexIndex":1,"X_1000":1,"uNumVertex":3,"byDraw":1}]})", 0, 0},
      {"twelve vertices", R"({"region_param":[{"VertexIndex":0,"byDraw":1,"uNumVertex":12}]})", 12, 1},
  };
  for (const Case& c : cases) {
    m_camera->region = {};
    EXPECT_EQ(Apply(ApplyRegionParam, c.file), 1) << c.what;
    EXPECT_EQ(m_camera->region.uNumVertex, c.count) << c.what;
    EXPECT_EQ(m_camera->region.byDraw, c.draw) << c.what;
  }
  Apply(ApplyRegionParam, cases[0].file);
  EXPECT_EQ(m_camera->region.vertices[0].x, 1);
  EXPECT_EQ(m_camera->region.vertices[0].y, 2);
  EXPECT_EQ(m_camera->region.vertices[1].x, 0);
  EXPECT_EQ(m_camera->region.vertices[2].x, 5);
  EXPECT_EQ(m_camera->region.vertices[2].y, 6);
  EXPECT_EQ(m_camera->region.byEnable, 1);
}

TEST_F(ConfigSectionAppliers, ARegionCountTheRecordCannotHoldSendsNothing) {
  for (const char* count : {"-1", "13", "4000000000"}) {
    const std::string file = std::string(R"({"region_param":[{"VertexIndex":0,"byDraw":1,"uNumVertex":)") + count + "}]}";
    EXPECT_EQ(Apply(ApplyRegionParam, file), 0) << count;
  }
  EXPECT_THAT(m_camera->calls, IsEmpty());
}

TEST_F(ConfigSectionAppliers, NetworkSendsNothingButAddressesAndAPort) {
  const char* const files[] = {
      R"({"net_param":{"ip":"10.0.0.300","port":8080,"netmask":"255.255.255.0","gateway":"10.0.0.1"}})",
      R"({"net_param":{"ip":"10.0.0.77","netmask":"255.255.255.0","gateway":"10.0.0.1"}})",
      R"({"net_param":{"ip":"10.0.0.77","port":0,"netmask":"255.255.255.0","gateway":"10.0.0.1"}})",
      R"({"net_param":{"ip":"10.0.0.77","port":65536,"netmask":"255.255.255.0","gateway":"10.0.0.1"}})",
      R"({"net_param":{"ip":"10.0.0.77","port":8080,"gateway":"10.0.0.1"}})",
      R"({"net_param":{"ip":"10.0.0.77","port":8080,"netmask":"255.255.255.0","gateway":"gateway"}})",
      R"({"net_param":{"ip":"","port":8080,"netmask":"255.255.255.0","gateway":"10.0.0.1"}})",
      // What some readers take for another address (a leading zero is octal to inet_aton), what
      // the reopening cannot use, and what does not fit the record's field.
      R"({"net_param":{"ip":"10.0.0.077","port":8080,"netmask":"255.255.255.0","gateway":"10.0.0.1"}})",
      R"({"net_param":{"ip":"10.0.0.77","port":8080,"netmask":"255.255.255.0","gateway":"010.0.0.1"}})",
      R"({"net_param":{"ip":"10.0.0.77 ","port":8080,"netmask":"255.255.255.0","gateway":"10.0.0.1"}})",
      R"({"net_param":{"ip":"10.0.0.77","port":8080,"netmask":"255.255.255.0\r\n","gateway":"10.0.0.1"}})",
      R"({"net_param":{"ip":"0000000010.0.0.77","port":8080,"netmask":"255.255.255.0","gateway":"10.0.0.1"}})",
  };
  for (const char* file : files) EXPECT_EQ(Apply(ApplyNetParam, file), 0) << file;
  EXPECT_THAT(m_camera->calls, IsEmpty());
  EXPECT_EQ(m_device->Ip(), "10.0.0.5");
}

TEST_F(ConfigSectionAppliers, PushFormatIsReadBackIntoAClearRecord) {
  std::memset(&m_camera->push, 0x55, sizeof m_camera->push);
  EXPECT_EQ(Apply(ApplyPushConfig, R"({"rs485_push_cfg":[]})"), 1);
  EXPECT_EQ(RecordBytes(m_camera->push), RecordBytes(CameraClientSerialPush{}));

  EXPECT_EQ(Apply(ApplyPushConfig, R"({"rs485_push_cfg":[{"header":"车牌"},{"license":1},{"end":"\r\n"},)"
                                   R"({"edian":"big"}]})"),
            1);
  EXPECT_EQ(std::string(m_camera->push.header), "车牌");
  EXPECT_EQ(std::string(m_camera->push.end), "\r\n");
  EXPECT_EQ(m_camera->push.fields[0].id, 3);
  EXPECT_EQ(m_camera->push.fields[1].id, 21);
  EXPECT_EQ(m_camera->push.fields[1].value, 1);

  m_camera->failing = {"SetSerialPushConfig"};
  EXPECT_EQ(Apply(ApplyPushConfig, R"({"rs485_push_cfg":[]})"), 0);
}

TEST_F(ConfigSectionAppliers, NetworkReopensTheDeviceAtTheFilesAddress) {
  m_device->SetLogin("qorvt", "qorvt");
  EXPECT_EQ(Apply(ApplyNetParam, R"({"net_param":{"ip":"10.0.0.77","port":9000,"netmask":"255.255.0.0",)"
                                 R"("gateway":"10.0.0.1","dns":"10.0.0.2"}})"),
            1);
  EXPECT_THAT(m_camera->calls, ElementsAre("SetNetParam()", "Close()", "Open(qorvt,qorvt)", "GetHardwareType()",
                                           "GetFirmwareVersion()"));
  EXPECT_EQ(std::string(m_camera->net.netmask), "255.255.0.0");
  EXPECT_EQ(std::string(m_camera->net.gateway), "10.0.0.1");
  EXPECT_EQ(std::string(m_camera->net.dns), "10.0.0.2");
  EXPECT_EQ(m_device->Ip(), "10.0.0.77");
  EXPECT_EQ(m_device->Port(), 9000);
  EXPECT_NE(m_device->Handle(), 0);
  EXPECT_EQ(m_device->GetVersion4Text(), "5.1.7.3");
  // Later appliers work on the new connection.
  EXPECT_EQ(Apply(ApplyRealShow, R"({"real_show":{"szRealData":"1"}})"), 1);
}

TEST_F(ConfigSectionAppliers, AReopeningThatFindsNoCameraFailsTheLaterSections) {
  // The camera takes the address but refuses the login there.
  m_camera->refuseLogin = true;
  EXPECT_EQ(Apply(ApplyNetParam, R"({"net_param":{"ip":"10.0.0.78","port":8080,"netmask":"255.255.255.0",)"
                                 R"("gateway":"10.0.0.1"}})"),
            1);
  EXPECT_EQ(m_device->Handle(), 0);
  EXPECT_EQ(m_device->GetVersion4Text(), "");
  for (const NamedApplier& applier : {kAppliers[7], kAppliers[8], kAppliers[9], kAppliers[10], kAppliers[11],
                                      kAppliers[12]}) {
    EXPECT_EQ(Apply(applier.applier, R"({"serial_param":[{"port":0}],"province_info":{"nCurrIndex":1},)"
                                     R"("rs485_push_cfg":[],"real_show":{"szRealData":"1"},)"
                                     R"("ntp_param":{"ntp_enable":1},"region_param":[{"VertexIndex":0}]})"),
              0)
        << applier.name;
  }
}

TEST_F(ConfigSectionAppliers, AFailedNetworkSetKeepsTheConnection) {
  m_camera->failing = {"SetNetParam"};
  const CameraClientHandle handle = m_device->Handle();
  EXPECT_EQ(Apply(ApplyNetParam, R"({"net_param":{"ip":"10.0.0.79","port":8080,"netmask":"255.255.255.0",)"
                                 R"("gateway":"10.0.0.1"}})"),
            0);
  EXPECT_EQ(m_device->Handle(), handle);
  EXPECT_EQ(m_device->Ip(), "10.0.0.5");
}

}  // namespace
