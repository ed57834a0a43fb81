// The identity and settings operations over the simulated camera: what the camera reports, and
// every setting written through the library reads back the same (records byte for byte).

#include "cameraclient/CameraClient.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "SimCameras.h"

namespace camera::test {
namespace {

class ContractSettingsTest : public testing::Test {
 protected:
  void SetUp() override {
    camsim::CameraProfile profile;
    profile.hardwareType = 2;
    profile.modelId = 0x3085;
    profile.modelExtra = 7;
    profile.firmwareVersion = {5, 3, 7, 12};
    ASSERT_TRUE(m_sim.Add(1, profile));
    m_handle = m_sim.Open(0);
    ASSERT_NE(m_handle, 0);
  }

  SimCameras m_sim;
  CameraClientHandle m_handle = 0;
};

TEST_F(ContractSettingsTest, ReportsItsIdentity) {
  int type = 0;
  ASSERT_EQ(CameraClient_GetHardwareType(m_handle, &type), 0);
  EXPECT_EQ(type, 2);
  int model = 0, extra = 0;
  ASSERT_EQ(CameraClient_GetModelId(m_handle, &model, &extra), 0);
  EXPECT_EQ(model, 0x3085);
  EXPECT_EQ(extra, 7);
  int a = 0, b = 0, c = 0, d = 0;
  ASSERT_EQ(CameraClient_GetFirmwareVersion(m_handle, &a, &b, &c, &d), 0);
  EXPECT_EQ((std::vector<int>{a, b, c, d}), (std::vector<int>{5, 3, 7, 12}));
  CameraClientNetParam net{};
  ASSERT_EQ(CameraClient_GetNetParam(m_handle, &net), 0);
  EXPECT_EQ(std::string(net.ip), m_sim.Camera(0).Ip());
  EXPECT_EQ(net.port, m_sim.Camera(0).Port());
}

TEST_F(ContractSettingsTest, HardwareTypesAreThoseConfigured) {
  for (const int type : {0, 3}) {
    camsim::CameraProfile profile;
    profile.hardwareType = type;
    ASSERT_TRUE(m_sim.Add(1, profile));
    const CameraClientHandle handle = m_sim.Open(m_sim.Simulator().Count() - 1);
    int reported = -1;
    ASSERT_EQ(CameraClient_GetHardwareType(handle, &reported), 0);
    EXPECT_EQ(reported, type);
  }
}

struct IntSetting {
  const char* name;
  int (*set)(CameraClientHandle, int);
  int (*get)(CameraClientHandle, int*);
  int value;
};

class IntSettingRoundTrip : public ContractSettingsTest, public testing::WithParamInterface<IntSetting> {};

TEST_P(IntSettingRoundTrip, ReadsBackWhatWasSet) {
  const IntSetting& setting = GetParam();
  ASSERT_EQ(setting.set(m_handle, setting.value), 0);
  int read = setting.value + 1000;
  ASSERT_EQ(setting.get(m_handle, &read), 0);
  EXPECT_EQ(read, setting.value);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, IntSettingRoundTrip,
    testing::Values(IntSetting{"FrameSize", CameraClient_SetFrameSize, CameraClient_GetFrameSize, 2},
                    IntSetting{"Resolution", CameraClient_SetResolution, CameraClient_GetResolution, 1280 * 65536 + 720},
                    IntSetting{"FrameRate", CameraClient_SetFrameRate, CameraClient_GetFrameRate, 12},
                    IntSetting{"EncodeType", CameraClient_SetEncodeType, CameraClient_GetEncodeType, 2},
                    IntSetting{"RateControl", CameraClient_SetRateControl, CameraClient_GetRateControl, 1},
                    IntSetting{"VideoQuality", CameraClient_SetVideoQuality, CameraClient_GetVideoQuality, 5},
                    IntSetting{"FlickerFrequency", CameraClient_SetFlickerFrequency, CameraClient_GetFlickerFrequency, 2},
                    IntSetting{"Shutter", CameraClient_SetShutter, CameraClient_GetShutter, 0x40},
                    IntSetting{"Flip", CameraClient_SetFlip, CameraClient_GetFlip, 3},
                    IntSetting{"LedMode", CameraClient_SetLedMode, CameraClient_GetLedMode, 2},
                    IntSetting{"InstallDistance", CameraClient_SetInstallDistance, CameraClient_GetInstallDistance, 2},
                    IntSetting{"WhiteListEnable", CameraClient_SetWhiteListEnable, CameraClient_GetWhiteListEnable, 0}),
    [](const testing::TestParamInfo<IntSetting>& info) { return info.param.name; });

TEST_F(ContractSettingsTest, MultiValueSettingsReadBack) {
  ASSERT_EQ(CameraClient_SetBitRate(m_handle, 2048), 0);
  int bitRate = 0, second = -1;
  ASSERT_EQ(CameraClient_GetBitRate(m_handle, &bitRate, &second), 0);
  EXPECT_EQ(bitRate, 2048);

  ASSERT_EQ(CameraClient_SetNoiseReduction(m_handle, 2, 3), 0);
  int mode = 0, strength = 0;
  ASSERT_EQ(CameraClient_GetNoiseReduction(m_handle, &mode, &strength), 0);
  EXPECT_EQ(mode, 2);
  EXPECT_EQ(strength, 3);

  ASSERT_EQ(CameraClient_SetImageAdjust(m_handle, 128, 138, 128, 140), 0);  // 0..255 on type 2
  int brightness = 0, contrast = 0, saturation = 0, hue = 0;
  ASSERT_EQ(CameraClient_GetImageAdjust(m_handle, &brightness, &contrast, &saturation, &hue), 0);
  EXPECT_EQ((std::vector<int>{brightness, contrast, saturation, hue}), (std::vector<int>{128, 138, 128, 140}));

  ASSERT_EQ(CameraClient_SetWhiteListFuzzy(m_handle, 1, 3, 5), 0);  // any non-zero Chinese flag is 1
  int fuzzy = 0, fuzzyLength = 0;
  std::uint8_t chinese = 0;
  ASSERT_EQ(CameraClient_GetWhiteListFuzzy(m_handle, &fuzzy, &fuzzyLength, &chinese), 0);
  EXPECT_EQ(fuzzy, 1);
  EXPECT_EQ(fuzzyLength, 3);
  EXPECT_EQ(chinese, 1);

  ASSERT_EQ(CameraClient_SetRecognitionType(m_handle, 0x80000005u), 0);
  std::uint32_t recognition = 0;
  ASSERT_EQ(CameraClient_GetRecognitionType(m_handle, &recognition), 0);
  EXPECT_EQ(recognition, 0x80000005u);
  ASSERT_EQ(CameraClient_SetTriggerType(m_handle, 0x0Bu), 0);
  std::uint32_t trigger = 0;
  ASSERT_EQ(CameraClient_GetTriggerType(m_handle, &trigger), 0);
  EXPECT_EQ(trigger, 0x0Bu);

  ASSERT_EQ(CameraClient_SetLedLevel(m_handle, 5), 0);
  int level = 0, maximum = 0;
  ASSERT_EQ(CameraClient_GetLedLevel(m_handle, &level, &maximum), 0);
  EXPECT_EQ(level, 5);
  EXPECT_GT(maximum, 0);

  ASSERT_EQ(CameraClient_SetNtpParam(m_handle, "127.0.0.123", 1, 3600), 0);
  char server[17] = {};
  std::uint8_t enable = 0;
  int interval = 0;
  ASSERT_EQ(CameraClient_GetNtpParam(m_handle, server, &enable, &interval), 0);
  EXPECT_STREQ(server, "127.0.0.123");
  EXPECT_EQ(enable, 1);
  EXPECT_EQ(interval, 3600);
  EXPECT_NE(CameraClient_SetNtpParam(m_handle, "a-server-name-of-17", 1, 60), 0);

  ASSERT_EQ(CameraClient_SetRealShowText(m_handle, "123\0\0\0\0"), 0);
  char text[8] = {};
  ASSERT_EQ(CameraClient_GetRealShowText(m_handle, text), 0);
  EXPECT_STREQ(text, "123");
}

TEST_F(ContractSettingsTest, ProvinceIndexFollowsTheDefaultProvince) {
  CameraClientProvinceInfo info{};
  ASSERT_EQ(CameraClient_GetProvinceInfo(m_handle, &info), 0);
  const std::size_t provinces = std::strlen(info.list) / 2;
  ASSERT_GT(provinces, 1u);
  ASSERT_EQ(CameraClient_SetDefaultProvince(m_handle, 1), 0);
  ASSERT_EQ(CameraClient_GetProvinceInfo(m_handle, &info), 0);
  EXPECT_EQ(info.currentIndex, 1);
  ASSERT_EQ(CameraClient_SetDefaultProvince(m_handle, -1), 0);
  ASSERT_EQ(CameraClient_GetProvinceInfo(m_handle, &info), 0);
  EXPECT_LT(info.currentIndex, 0);
}

// A record written, read back through the library, compared byte for byte.
template <typename Record>
void ExpectRecordRoundTrip(CameraClientHandle handle, int (*set)(CameraClientHandle, const Record*),
                           int (*get)(CameraClientHandle, Record*), const Record& record, const char* name) {
  ASSERT_EQ(set(handle, &record), 0) << name;
  Record read;
  std::memset(&read, 0xEE, sizeof read);
  ASSERT_EQ(get(handle, &read), 0) << name;
  EXPECT_EQ(std::memcmp(&read, &record, sizeof record), 0) << name;
}

CameraClientPolygonRules LoopRules() {
  CameraClientPolygonRules rules{};
  rules.count = 1;
  rules.rule.enable = 1;
  rules.rule.draw = 1;
  std::strcpy(rules.rule.name, "\xD0\xE9\xC4\xE2\xCF\xDF\xC8\xA6");  // GBK
  const CameraClientPoint points[4] = {{146, 733}, {853, 733}, {975, 855}, {25, 855}};
  for (int i = 0; i < 4; ++i) rules.rule.points[i] = points[i];
  rules.rule.direction = 1;
  rules.rule.interval = 10;
  rules.rule.maxWidth = 400;
  rules.rule.minWidth = 60;
  for (std::size_t i = 0; i < sizeof rules.reserved156; ++i) rules.reserved156[i] = static_cast<std::uint8_t>(i);
  return rules;
}

TEST_F(ContractSettingsTest, RecordsAreStoredByteForByte) {
  ExpectRecordRoundTrip(m_handle, CameraClient_SetPolygonRules, CameraClient_GetPolygonRules, LoopRules(), "rules");

  CameraClientRegion region{};
  region.byEnable = 1;
  region.byDraw = 1;
  region.uNumVertex = 4;
  const CameraClientPoint vertices[4] = {{94, 133}, {906, 133}, {984, 777}, {16, 777}};
  for (int i = 0; i < 4; ++i) region.vertices[i] = vertices[i];
  ExpectRecordRoundTrip(m_handle, CameraClient_SetRecognitionRegion, CameraClient_GetRecognitionRegion, region,
                        "region");

  CameraClientVirtualLoops loops{};
  loops.count = 2;
  for (int i = 0; i < 2; ++i) {
    loops.loops[i].byEnable = 1;
    std::snprintf(loops.loops[i].strName, sizeof loops.loops[i].strName, "loop %d", i);
    loops.loops[i].eCrossDir = i;
    loops.loops[i].uTriggerTimeGap = 5;
    loops.loops[i].uMaxLPWidth = 300;
    loops.loops[i].uMinLPWidth = 50;
  }
  ExpectRecordRoundTrip(m_handle, CameraClient_SetVirtualLoops, CameraClient_GetVirtualLoops, loops, "loops");

  CameraClientLedSchedule schedule{};
  schedule.mode = 3;
  const char* times[4] = {"00:00:00", "08:30:00", "16:30:00", "23:59:59"};
  for (int i = 0; i < 3; ++i) {
    std::strcpy(schedule.periods[i].start, times[i]);
    std::strcpy(schedule.periods[i].end, times[i + 1]);
    schedule.periods[i].level = i;
    schedule.periods[i].enabled = 1;
  }
  ExpectRecordRoundTrip(m_handle, CameraClient_SetLedSchedule, CameraClient_GetLedSchedule, schedule, "schedule");

  CameraClientOsdParam osd{};
  osd.dstampenable = 1;
  osd.dateFormat = 2;
  osd.datePosX = 35;
  osd.datePosY = 28;
  osd.tstampenable = 1;
  osd.timePosX = 400;
  osd.nTextEnable = 1;
  std::strcpy(osd.overlaytext, "\xB2\xE2\xCA\xD4");
  ExpectRecordRoundTrip(m_handle, CameraClient_SetOsdParam, CameraClient_GetOsdParam, osd, "osd");

  CameraClientIoOutput output{};
  for (int i = 0; i < 8; ++i) {
    output.entries[i].switchout[i % 4] = 1;
    output.entries[i].eInputType = i;
  }
  ExpectRecordRoundTrip(m_handle, CameraClient_SetIoOutput, CameraClient_GetIoOutput, output, "outputs");

  CameraClientDrawMode draw{1, 0, 1, 0};
  ExpectRecordRoundTrip(m_handle, CameraClient_SetDrawMode, CameraClient_GetDrawMode, draw, "draw mode");

  CameraClientSerialPush push{};
  push.fields[0] = {3, 0};
  push.fields[1] = {19, 2};
  push.voices[0].type = 1;
  std::strcpy(push.voices[0].prefix, "\xBB\xB6\xD3\xAD");
  std::strcpy(push.header, "AA55");
  std::strcpy(push.end, "0D0A");
  push.voiceSwitch = 1;
  ExpectRecordRoundTrip(m_handle, CameraClient_SetSerialPushConfig, CameraClient_GetSerialPushConfig, push, "push");

  CameraClientImageAdjust adjust{};
  adjust.brightness = 40;
  adjust.hue = 55;
  adjust.maxGain = 30;
  ExpectRecordRoundTrip(m_handle, CameraClient_SetImageAdjustEx, CameraClient_GetImageAdjustEx, adjust, "adjust");
}

// Model 0x2004 has the lens options and the overlay switches; the fixed-focus models do not.
CameraClientHandle OpenZoomModel(SimCameras& sim) {
  camsim::CameraProfile profile;
  profile.modelId = 0x2004;
  if (!sim.Add(1, profile)) return 0;
  return sim.Open(sim.Simulator().Count() - 1);
}

TEST_F(ContractSettingsTest, OverlaysCarryTheOnScreenRecordToo) {
  const CameraClientOsdOverlay none{};
  CameraClientOsdParam empty{};
  EXPECT_NE(CameraClient_SetOsdOverlay(m_handle, &empty, &none), 0);  // not on this model
  m_handle = OpenZoomModel(m_sim);
  ASSERT_NE(m_handle, 0);
  CameraClientOsdParam osd{};
  osd.tstampenable = 1;
  osd.timePosX = 123;
  const CameraClientOsdOverlay overlay{1, 0, 1, 1};
  ASSERT_EQ(CameraClient_SetOsdOverlay(m_handle, &osd, &overlay), 0);
  CameraClientOsdParam osdRead{};
  CameraClientOsdOverlay overlayRead{};
  ASSERT_EQ(CameraClient_GetOsdOverlay(m_handle, &osdRead, &overlayRead), 0);
  EXPECT_EQ(std::memcmp(&osdRead, &osd, sizeof osd), 0);
  EXPECT_EQ(std::memcmp(&overlayRead, &overlay, sizeof overlay), 0);
}

TEST_F(ContractSettingsTest, PortsAndStreamsAreKeptApart) {
  const CameraClientSerialParam ports[2] = {{9600, 0, 8, 1}, {115200, 2, 7, 2}};
  for (int port = 0; port < 2; ++port) ASSERT_EQ(CameraClient_SetSerialParam(m_handle, port, &ports[port]), 0);
  for (int port = 0; port < 2; ++port) {
    CameraClientSerialParam read{};
    ASSERT_EQ(CameraClient_GetSerialParam(m_handle, port, &read), 0);
    EXPECT_EQ(std::memcmp(&read, &ports[port], sizeof read), 0) << port;
  }

  CameraClientStreamCapability capability{};
  ASSERT_EQ(CameraClient_GetStreamCapability(m_handle, &capability), 0);
  ASSERT_GT(capability.resolutions[0].value, 0);
  EXPECT_GT(capability.maxBitRate, capability.minBitRate);
  for (int stream = 0; stream < 2; ++stream) {
    CameraClientStreamConfig config{};
    config.stream = stream;
    config.resolution = capability.resolutions[stream].value > 0 ? capability.resolutions[stream].value
                                                                 : capability.resolutions[0].value;
    config.frameRate = 10 + stream;
    config.rateControl = stream;
    config.bitRate = (capability.minBitRate + capability.maxBitRate) / 2;
    config.quality = 4;
    ASSERT_EQ(CameraClient_SetStreamConfig(m_handle, stream, &config), 0) << stream;
    CameraClientStreamConfig read{};
    ASSERT_EQ(CameraClient_GetStreamConfig(m_handle, stream, &read), 0);
    EXPECT_EQ(read.stream, stream);
    EXPECT_EQ(read.frameRate, 10 + stream);
    EXPECT_EQ(read.rateControl, stream);
    EXPECT_EQ(read.resolution, config.resolution);
  }
}

TEST_F(ContractSettingsTest, TheSystemLogFitsTheBuffer) {
  ASSERT_EQ(CameraClient_ForceTrigger(m_handle), 0);  // something to log
  std::vector<char> log(0x200000);
  int length = static_cast<int>(log.size());
  ASSERT_EQ(CameraClient_GetSystemLog(m_handle, 0, log.data(), &length), 0);
  ASSERT_GT(length, 0);
  char small[16];
  int smallLength = sizeof small;
  ASSERT_EQ(CameraClient_GetSystemLog(m_handle, 0, small, &smallLength), 0);
  EXPECT_LE(smallLength, 16);
  EXPECT_GT(smallLength, 0);
}

TEST_F(ContractSettingsTest, TheLensBelongsToTheZoomModel) {
  EXPECT_NE(CameraClient_LensControl(m_handle, 3), 0);
  int distance = -1;
  EXPECT_EQ(CameraClient_GetInstallDistance(m_handle, &distance), 0);

  const CameraClientHandle zoom = OpenZoomModel(m_sim);
  ASSERT_NE(zoom, 0);
  EXPECT_EQ(CameraClient_LensControl(zoom, 3), 0);
  EXPECT_EQ(m_sim.Camera(1).With([](camsim::CameraState& state) { return state.settings.lensCommand; }), 3);
  EXPECT_EQ(CameraClient_LensControl(zoom, 0), 0);
  EXPECT_EQ(m_sim.Camera(1).Calls().CountOf(protocol::Operation::LensControl), 2u);
  ASSERT_EQ(CameraClient_SetLensConfig(zoom, 1, 1, 0), 0);
  int lensMode = 0, small = 0, depth = 1;
  ASSERT_EQ(CameraClient_GetLensConfig(zoom, &lensMode, &small, &depth), 0);
  EXPECT_EQ((std::vector<int>{lensMode, small, depth}), (std::vector<int>{1, 1, 0}));
  EXPECT_NE(CameraClient_GetInstallDistance(zoom, &distance), 0);
}

}  // namespace
}  // namespace camera::test
