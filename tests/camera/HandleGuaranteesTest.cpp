// Every per-handle operation with handle 0, an unknown handle, a closed handle and after
// CameraClient_Cleanup: a non-zero result (or the operation's failure value), out-values untouched,
// no crash.

#include "cameraclient/CameraClient.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "ScriptedCamera.h"

namespace camera::test {
namespace {

constexpr int kSentinel = 0x5EED;
constexpr std::uint8_t kSentinelByte = 0xAB;

using Check = std::function<bool(CameraClientHandle)>;

struct HandleCall {
  const char* name;
  Check failsCleanly;
};

// A Get of int outputs: fails and leaves every output as it was.
template <typename... Outputs>
Check Ints(int (*get)(CameraClientHandle, Outputs...)) {
  return [get](CameraClientHandle handle) {
    int values[sizeof...(Outputs)];
    for (int& value : values) value = kSentinel;
    const int result = [&]<std::size_t... I>(std::index_sequence<I...>) {
      return get(handle, reinterpret_cast<Outputs>(&values[I])...);
    }(std::index_sequence_for<Outputs...>{});
    for (const int value : values) {
      if (value != kSentinel) return false;
    }
    return result != 0;
  };
}

template <typename Record>
bool Untouched(const Record& record) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
  for (std::size_t i = 0; i < sizeof(Record); ++i) {
    if (bytes[i] != kSentinelByte) return false;
  }
  return true;
}

template <typename Record>
Check RecordOut(int (*get)(CameraClientHandle, Record*)) {
  return [get](CameraClientHandle handle) {
    Record record;
    std::memset(&record, kSentinelByte, sizeof record);
    return get(handle, &record) != 0 && Untouched(record);
  };
}

template <typename Record>
Check RecordIn(int (*set)(CameraClientHandle, const Record*)) {
  return [set](CameraClientHandle handle) {
    Record record{};
    return set(handle, &record) != 0;
  };
}

Check Fails(std::function<int(CameraClientHandle)> call) {
  return [call](CameraClientHandle handle) { return call(handle) != 0; };
}

int NoRow(CameraClientHandle, void*, const CameraClientWhiteListRecord*) { return 0; }

std::vector<HandleCall> AllHandleCalls() {
  return {
      {"Close", Fails(CameraClient_Close)},
      {"GetEncryptInfo", RecordOut(CameraClient_GetEncryptInfo)},
      {"ApplyEncryptInfo", RecordIn(CameraClient_ApplyEncryptInfo)},
      {"LoginEncrypted", Fails([](CameraClientHandle h) { return CameraClient_LoginEncrypted(h, ""); })},
      {"SetEncryptMode", Fails([](CameraClientHandle h) { return CameraClient_SetEncryptMode(h, "pw", 1); })},
      {"SetEncryptPassword", Fails([](CameraClientHandle h) { return CameraClient_SetEncryptPassword(h, "a", "b"); })},
      {"ResetEncryptPassword",
       Fails([](CameraClientHandle h) { return CameraClient_ResetEncryptPassword(h, "a", "b"); })},
      {"GetConnectState", Ints(CameraClient_GetConnectState)},
      {"StartRealPlay",
       [](CameraClientHandle h) { return CameraClient_StartRealPlay(h, reinterpret_cast<HWND>(0x10)) == -1; }},
      {"StartStream", [](CameraClientHandle h) { return CameraClient_StartStream(h, 0, 0, 0) == -1; }},
      {"SetFrameCallback", Fails([](CameraClientHandle h) { return CameraClient_SetFrameCallback(h, nullptr, nullptr); })},
      {"SetPlateCallback",
       Fails([](CameraClientHandle h) { return CameraClient_SetPlateCallback(h, nullptr, nullptr, 1); })},
      {"SetQueryCallback", Fails([](CameraClientHandle h) { return CameraClient_SetQueryCallback(h, nullptr, nullptr); })},
      {"QueryPlateCount",
       [](CameraClientHandle h) {
         return CameraClient_QueryPlateCount(h, "2026-01-01 00:00:00", "2026-01-02 00:00:00", "") < 1;
       }},
      {"QueryPlatePage",
       Fails([](CameraClientHandle h) {
         return CameraClient_QueryPlatePage(h, "2026-01-01 00:00:00", "2026-01-02 00:00:00", "", 0, 20);
       })},
      {"LoadPlateImage",
       [](CameraClientHandle h) {
         std::uint8_t buffer[16];
         std::memset(buffer, kSentinelByte, sizeof buffer);
         int size = sizeof buffer;
         return CameraClient_LoadPlateImage(h, 1, buffer, &size) != 0 && size == 16 && Untouched(buffer);
       }},
      {"SetWhiteListCallback", Fails([](CameraClientHandle h) { return CameraClient_SetWhiteListCallback(h, NoRow, nullptr); })},
      {"QueryWhiteListCount",
       [](CameraClientHandle h) {
         std::uint32_t count = 0;
         return CameraClient_QueryWhiteListCount(h, &count, nullptr) != 0 && count == 0;
       }},
      {"QueryWhiteList",
       Fails([](CameraClientHandle h) {
         CameraClientWhiteListRange range{0, 20};
         CameraClientWhiteListLimit limit{CAMERACLIENT_WHITELIST_LIMIT_RANGE, &range};
         CameraClientWhiteListCondition condition{nullptr, &limit, 0};
         return CameraClient_QueryWhiteList(h, &condition);
       })},
      {"QueryWhiteListByPlate", Fails([](CameraClientHandle h) { return CameraClient_QueryWhiteListByPlate(h, "A1"); })},
      {"ImportWhiteList",
       Fails([](CameraClientHandle h) {
         CameraClientWhiteListRecord record{};
         CameraClientWhiteListEntry entries[2] = {{0, &record}, {0, nullptr}};
         return CameraClient_ImportWhiteList(h, 1, entries, entries + 1);
       })},
      {"UpdateWhiteList", RecordIn(CameraClient_UpdateWhiteList)},
      {"DeleteWhiteList", Fails([](CameraClientHandle h) { return CameraClient_DeleteWhiteList(h, 1); })},
      {"ClearWhiteList", Fails(CameraClient_ClearWhiteList)},
      {"GetWhiteListEnable", Ints(CameraClient_GetWhiteListEnable)},
      {"SetWhiteListEnable", Fails([](CameraClientHandle h) { return CameraClient_SetWhiteListEnable(h, 1); })},
      {"GetWhiteListFuzzy",
       [](CameraClientHandle h) {
         int fuzzy = kSentinel, length = kSentinel;
         std::uint8_t chinese = kSentinelByte;
         return CameraClient_GetWhiteListFuzzy(h, &fuzzy, &length, &chinese) != 0 && fuzzy == kSentinel &&
                length == kSentinel && chinese == kSentinelByte;
       }},
      {"SetWhiteListFuzzy", Fails([](CameraClientHandle h) { return CameraClient_SetWhiteListFuzzy(h, 1, 2, 1); })},
      {"GetLedLevel", Ints(CameraClient_GetLedLevel)},
      {"SetLedLevel", Fails([](CameraClientHandle h) { return CameraClient_SetLedLevel(h, 3); })},
      {"GetLedMode", Ints(CameraClient_GetLedMode)},
      {"SetLedMode", Fails([](CameraClientHandle h) { return CameraClient_SetLedMode(h, 1); })},
      {"GetLedSchedule", RecordOut(CameraClient_GetLedSchedule)},
      {"SetLedSchedule", RecordIn(CameraClient_SetLedSchedule)},
      {"GetProvinceInfo", RecordOut(CameraClient_GetProvinceInfo)},
      {"SetDefaultProvince", Fails([](CameraClientHandle h) { return CameraClient_SetDefaultProvince(h, -1); })},
      {"ForceTrigger", Fails(CameraClient_ForceTrigger)},
      {"Reboot", Fails(CameraClient_Reboot)},
      {"GetSystemLog",
       [](CameraClientHandle h) {
         char buffer[16];
         std::memset(buffer, kSentinelByte, sizeof buffer);
         int length = sizeof buffer;
         return CameraClient_GetSystemLog(h, 0, buffer, &length) != 0 && length == 16 && Untouched(buffer);
       }},
      {"GetNetParam", RecordOut(CameraClient_GetNetParam)},
      {"SetNetParam", RecordIn(CameraClient_SetNetParam)},
      {"GetNtpParam",
       [](CameraClientHandle h) {
         char server[17];
         std::memset(server, kSentinelByte, sizeof server);
         std::uint8_t enable = kSentinelByte;
         int interval = kSentinel;
         return CameraClient_GetNtpParam(h, server, &enable, &interval) != 0 && Untouched(server) &&
                enable == kSentinelByte && interval == kSentinel;
       }},
      {"SetNtpParam", Fails([](CameraClientHandle h) { return CameraClient_SetNtpParam(h, "pool", 1, 60); })},
      {"GetHardwareType", Ints(CameraClient_GetHardwareType)},
      {"GetModelId", Ints(CameraClient_GetModelId)},
      {"GetFirmwareVersion", Ints(CameraClient_GetFirmwareVersion)},
      {"GetWebSessionId",
       [](CameraClientHandle h) {
         char buffer[256];
         std::memset(buffer, kSentinelByte, sizeof buffer);
         return CameraClient_GetWebSessionId(h, buffer, sizeof buffer) != 0 && Untouched(buffer);
       }},
      {"GetFrameSize", Ints(CameraClient_GetFrameSize)},
      {"SetFrameSize", Fails([](CameraClientHandle h) { return CameraClient_SetFrameSize(h, 3); })},
      {"GetResolution", Ints(CameraClient_GetResolution)},
      {"SetResolution", Fails([](CameraClientHandle h) { return CameraClient_SetResolution(h, 0x07800438); })},
      {"GetFrameRate", Ints(CameraClient_GetFrameRate)},
      {"SetFrameRate", Fails([](CameraClientHandle h) { return CameraClient_SetFrameRate(h, 25); })},
      {"GetEncodeType", Ints(CameraClient_GetEncodeType)},
      {"SetEncodeType", Fails([](CameraClientHandle h) { return CameraClient_SetEncodeType(h, 2); })},
      {"GetRateControl", Ints(CameraClient_GetRateControl)},
      {"SetRateControl", Fails([](CameraClientHandle h) { return CameraClient_SetRateControl(h, 1); })},
      {"GetBitRate", Ints(CameraClient_GetBitRate)},
      {"SetBitRate", Fails([](CameraClientHandle h) { return CameraClient_SetBitRate(h, 4096); })},
      {"GetVideoQuality", Ints(CameraClient_GetVideoQuality)},
      {"SetVideoQuality", Fails([](CameraClientHandle h) { return CameraClient_SetVideoQuality(h, 3); })},
      {"GetStreamConfig",
       [](CameraClientHandle h) {
         CameraClientStreamConfig config;
         std::memset(&config, kSentinelByte, sizeof config);
         return CameraClient_GetStreamConfig(h, 0, &config) != 0 && Untouched(config);
       }},
      {"SetStreamConfig",
       Fails([](CameraClientHandle h) {
         CameraClientStreamConfig config{};
         return CameraClient_SetStreamConfig(h, 0, &config);
       })},
      {"GetStreamCapability", RecordOut(CameraClient_GetStreamCapability)},
      {"GetImageAdjust", Ints(CameraClient_GetImageAdjust)},
      {"SetImageAdjust", Fails([](CameraClientHandle h) { return CameraClient_SetImageAdjust(h, 50, 50, 50, 50); })},
      {"GetImageAdjustEx", RecordOut(CameraClient_GetImageAdjustEx)},
      {"SetImageAdjustEx", RecordIn(CameraClient_SetImageAdjustEx)},
      {"GetFlickerFrequency", Ints(CameraClient_GetFlickerFrequency)},
      {"SetFlickerFrequency", Fails([](CameraClientHandle h) { return CameraClient_SetFlickerFrequency(h, 1); })},
      {"GetShutter", Ints(CameraClient_GetShutter)},
      {"SetShutter", Fails([](CameraClientHandle h) { return CameraClient_SetShutter(h, 3); })},
      {"GetFlip", Ints(CameraClient_GetFlip)},
      {"SetFlip", Fails([](CameraClientHandle h) { return CameraClient_SetFlip(h, 0); })},
      {"GetNoiseReduction", Ints(CameraClient_GetNoiseReduction)},
      {"SetNoiseReduction", Fails([](CameraClientHandle h) { return CameraClient_SetNoiseReduction(h, 3, 1); })},
      {"GetOsdParam", RecordOut(CameraClient_GetOsdParam)},
      {"SetOsdParam", RecordIn(CameraClient_SetOsdParam)},
      {"GetOsdOverlay",
       [](CameraClientHandle h) {
         CameraClientOsdParam param;
         CameraClientOsdOverlay overlay;
         std::memset(&param, kSentinelByte, sizeof param);
         std::memset(&overlay, kSentinelByte, sizeof overlay);
         return CameraClient_GetOsdOverlay(h, &param, &overlay) != 0 && Untouched(param) && Untouched(overlay);
       }},
      {"SetOsdOverlay",
       Fails([](CameraClientHandle h) {
         CameraClientOsdParam param{};
         CameraClientOsdOverlay overlay{};
         return CameraClient_SetOsdOverlay(h, &param, &overlay);
       })},
      {"GetRealShowText",
       [](CameraClientHandle h) {
         char text[8];
         std::memset(text, kSentinelByte, sizeof text);
         return CameraClient_GetRealShowText(h, text) != 0 && Untouched(text);
       }},
      {"SetRealShowText", Fails([](CameraClientHandle h) { return CameraClient_SetRealShowText(h, "000\0\0\0\0"); })},
      {"GetPolygonRules", RecordOut(CameraClient_GetPolygonRules)},
      {"SetPolygonRules", RecordIn(CameraClient_SetPolygonRules)},
      {"GetRecognitionRegion", RecordOut(CameraClient_GetRecognitionRegion)},
      {"SetRecognitionRegion", RecordIn(CameraClient_SetRecognitionRegion)},
      {"GetVirtualLoops", RecordOut(CameraClient_GetVirtualLoops)},
      {"SetVirtualLoops", RecordIn(CameraClient_SetVirtualLoops)},
      {"GetLensConfig", Ints(CameraClient_GetLensConfig)},
      {"SetLensConfig", Fails([](CameraClientHandle h) { return CameraClient_SetLensConfig(h, 0, 1, 1); })},
      {"LensControl", Fails([](CameraClientHandle h) { return CameraClient_LensControl(h, 1); })},
      {"GetInstallDistance", Ints(CameraClient_GetInstallDistance)},
      {"SetInstallDistance", Fails([](CameraClientHandle h) { return CameraClient_SetInstallDistance(h, 2); })},
      {"GetIoOutput", RecordOut(CameraClient_GetIoOutput)},
      {"SetIoOutput", RecordIn(CameraClient_SetIoOutput)},
      {"GetRecognitionType",
       [](CameraClientHandle h) {
         std::uint32_t bits = kSentinel;
         return CameraClient_GetRecognitionType(h, &bits) != 0 && bits == kSentinel;
       }},
      {"SetRecognitionType", Fails([](CameraClientHandle h) { return CameraClient_SetRecognitionType(h, 3); })},
      {"GetTriggerType",
       [](CameraClientHandle h) {
         std::uint32_t bits = kSentinel;
         return CameraClient_GetTriggerType(h, &bits) != 0 && bits == kSentinel;
       }},
      {"SetTriggerType", Fails([](CameraClientHandle h) { return CameraClient_SetTriggerType(h, 3); })},
      {"GetDrawMode", RecordOut(CameraClient_GetDrawMode)},
      {"SetDrawMode", RecordIn(CameraClient_SetDrawMode)},
      {"GetSerialParam",
       [](CameraClientHandle h) {
         CameraClientSerialParam param;
         std::memset(&param, kSentinelByte, sizeof param);
         return CameraClient_GetSerialParam(h, 0, &param) != 0 && Untouched(param);
       }},
      {"SetSerialParam",
       Fails([](CameraClientHandle h) {
         CameraClientSerialParam param{};
         return CameraClient_SetSerialParam(h, 1, &param);
       })},
      {"GetSerialPushConfig", RecordOut(CameraClient_GetSerialPushConfig)},
      {"SetSerialPushConfig", RecordIn(CameraClient_SetSerialPushConfig)},
      {"StartUpdate", [](CameraClientHandle h) { return CameraClient_StartUpdate(h, "/nonexistent.bin") == -1; }},
      {"GetUpdateState", [](CameraClientHandle h) { return CameraClient_GetUpdateState(h) == -1; }},
  };
}

class HandleGuaranteesTest : public testing::Test {
 protected:
  void SetUp() override { CameraClient_Setup(); }
  void TearDown() override { CameraClient_Cleanup(); }

  void ExpectEveryCallFails(CameraClientHandle handle, const std::string& what) {
    for (const HandleCall& call : AllHandleCalls()) {
      EXPECT_TRUE(call.failsCleanly(handle)) << call.name << " with " << what;
    }
  }
};

TEST_F(HandleGuaranteesTest, HandleZeroAndUnknownHandlesFail) {
  ExpectEveryCallFails(0, "handle 0");
  ExpectEveryCallFails(0x7FFF1234, "an unknown handle");
  ExpectEveryCallFails(-1, "handle -1");
}

TEST_F(HandleGuaranteesTest, AClosedHandleFails) {
  ScriptedCamera camera([](const protocol::Frame& request) { return Answer::Reply(request.header); });
  const CameraClientHandle handle = CameraClient_Open("127.0.0.1", camera.Port(), "qorvt", "qorvt");
  ASSERT_NE(handle, 0);
  ASSERT_EQ(CameraClient_Close(handle), 0);
  ExpectEveryCallFails(handle, "a closed handle");
  // A new handle never reuses the closed one's value.
  const CameraClientHandle next = CameraClient_Open("127.0.0.1", camera.Port(), "qorvt", "qorvt");
  EXPECT_NE(next, 0);
  EXPECT_NE(next, handle);
}

TEST_F(HandleGuaranteesTest, EverythingFailsAfterCleanup) {
  ScriptedCamera camera([](const protocol::Frame& request) { return Answer::Reply(request.header); });
  const CameraClientHandle handle = CameraClient_Open("127.0.0.1", camera.Port(), "qorvt", "qorvt");
  ASSERT_NE(handle, 0);
  CameraClient_Cleanup();
  ExpectEveryCallFails(handle, "a handle after cleanup");
  EXPECT_EQ(CameraClient_Open("127.0.0.1", camera.Port(), "qorvt", "qorvt"), 0);
  int a = kSentinel, b = kSentinel, c = kSentinel, d = kSentinel;
  EXPECT_NE(CameraClient_GetImageFileVersion("/nonexistent.bin", &a, &b, &c, &d), 0);
  int lifetime = kSentinel, sessions = kSentinel;
  EXPECT_NE(CameraClient_PrepareWebSession("127.0.0.1", camera.Port(), &lifetime, &sessions), 0);
  EXPECT_EQ(lifetime, kSentinel);
  EXPECT_NE(CameraClient_SaveImageJpeg(1, "/tmp/never.jpg", 100), 0);
  EXPECT_NE(CameraClient_StartFindDevice([](int, const char*, int, int, uint32_t, uint32_t, void*) { return 0; },
                                         nullptr),
            0);
  EXPECT_EQ(CameraClient_StopFindDevice(), 0);
  EXPECT_NE(CameraClient_StopRealPlay(1), 0);
}

TEST_F(HandleGuaranteesTest, StopRealPlayAcceptsAnything) {
  for (const CameraClientPlayHandle play : {CameraClientPlayHandle{0}, CameraClientPlayHandle{-1},
                                            CameraClientPlayHandle{12345}}) {
    CameraClient_StopRealPlay(play);
  }
  EXPECT_EQ(CameraClient_StopFindDevice(), 0);  // harmless with no search running
}

}  // namespace
}  // namespace camera::test
