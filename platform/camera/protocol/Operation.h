#pragma once
// The operations of the camera control protocol (see PROTOCOL.md) and the exact payload sizes of
// the fixed-layout ones.

#include <cstdint>
#include <optional>
#include <string_view>

namespace camera::protocol {

// Payload size of an operation whose layout is variable (checked by its own decoder).
inline constexpr std::int32_t kVariable = -1;
// Payload size of a direction that does not exist (events have no request, no reply).
inline constexpr std::int32_t kNone = -2;

// X(name, code, request bytes, reply bytes)
#define LPR_CAMERA_OPERATIONS(X)                           \
  X(Login, 0x0101, kVariable, 0)                           \
  X(KeepAlive, 0x0102, 0, 0)                               \
  X(PrepareWebSession, 0x0103, 0, 8)                       \
  X(GetWebSessionId, 0x0104, 0, kVariable)                 \
  X(GetEncryptInfo, 0x0105, 0, 616)                        \
  X(LoginEncrypted, 0x0106, kVariable, 0)                  \
  X(SetEncryptMode, 0x0107, kVariable, 0)                  \
  X(SetEncryptPassword, 0x0108, kVariable, 0)              \
  X(ResetEncryptPassword, 0x0109, kVariable, 0)            \
  X(GetHardwareType, 0x0201, 0, 4)                         \
  X(GetModelId, 0x0202, 0, 8)                              \
  X(GetFirmwareVersion, 0x0203, 0, 16)                     \
  X(GetNetParam, 0x0204, 0, 66)                            \
  X(SetNetParam, 0x0205, 66, 0)                            \
  X(GetNtpParam, 0x0206, 0, kVariable)                     \
  X(SetNtpParam, 0x0207, kVariable, 0)                     \
  X(GetRealShowText, 0x0208, 0, 8)                         \
  X(SetRealShowText, 0x0209, 8, 0)                         \
  X(Reboot, 0x020A, 0, 0)                                  \
  X(GetSystemLog, 0x020B, 8, kVariable)                    \
  X(ForceTrigger, 0x020C, 0, 0)                            \
  X(GetLedLevel, 0x0301, 0, 8)                             \
  X(SetLedLevel, 0x0302, 4, 0)                             \
  X(GetLedMode, 0x0303, 0, 4)                              \
  X(SetLedMode, 0x0304, 4, 0)                              \
  X(GetLedSchedule, 0x0305, 0, 140)                        \
  X(SetLedSchedule, 0x0306, 140, 0)                        \
  X(GetProvinceInfo, 0x0307, 0, 132)                       \
  X(SetDefaultProvince, 0x0308, 4, 0)                      \
  X(GetFrameSize, 0x0401, 0, 4)                            \
  X(SetFrameSize, 0x0402, 4, 0)                            \
  X(GetResolution, 0x0403, 0, 4)                           \
  X(SetResolution, 0x0404, 4, 0)                           \
  X(GetFrameRate, 0x0405, 0, 4)                            \
  X(SetFrameRate, 0x0406, 4, 0)                            \
  X(GetEncodeType, 0x0407, 0, 4)                           \
  X(SetEncodeType, 0x0408, 4, 0)                           \
  X(GetRateControl, 0x0409, 0, 4)                          \
  X(SetRateControl, 0x040A, 4, 0)                          \
  X(GetBitRate, 0x040B, 0, 8)                              \
  X(SetBitRate, 0x040C, 4, 0)                              \
  X(GetVideoQuality, 0x040D, 0, 4)                         \
  X(SetVideoQuality, 0x040E, 4, 0)                         \
  X(GetStreamConfig, 0x040F, 4, 32)                        \
  X(SetStreamConfig, 0x0410, 36, 0)                        \
  X(GetStreamCapability, 0x0411, 0, 1084)                  \
  X(GetImageAdjust, 0x0412, 0, 16)                         \
  X(SetImageAdjust, 0x0413, 16, 0)                         \
  X(GetImageAdjustEx, 0x0414, 0, 36)                       \
  X(SetImageAdjustEx, 0x0415, 36, 0)                       \
  X(GetFlickerFrequency, 0x0416, 0, 4)                     \
  X(SetFlickerFrequency, 0x0417, 4, 0)                     \
  X(GetShutter, 0x0418, 0, 4)                              \
  X(SetShutter, 0x0419, 4, 0)                              \
  X(GetFlip, 0x041A, 0, 4)                                 \
  X(SetFlip, 0x041B, 4, 0)                                 \
  X(GetNoiseReduction, 0x041C, 0, 8)                       \
  X(SetNoiseReduction, 0x041D, 8, 0)                       \
  X(GetOsdParam, 0x041E, 0, 72)                            \
  X(SetOsdParam, 0x041F, 72, 0)                            \
  X(GetOsdOverlay, 0x0420, 0, 88)                          \
  X(SetOsdOverlay, 0x0421, 88, 0)                          \
  X(GetPolygonRules, 0x0501, 0, 676)                       \
  X(SetPolygonRules, 0x0502, 676, 0)                       \
  X(GetRecognitionRegion, 0x0503, 0, 136)                  \
  X(SetRecognitionRegion, 0x0504, 136, 0)                  \
  X(GetVirtualLoops, 0x0505, 0, 676)                       \
  X(SetVirtualLoops, 0x0506, 676, 0)                       \
  X(GetLensConfig, 0x0507, 0, 12)                          \
  X(SetLensConfig, 0x0508, 12, 0)                          \
  X(LensControl, 0x0509, 4, 0)                             \
  X(GetInstallDistance, 0x050A, 0, 4)                      \
  X(SetInstallDistance, 0x050B, 4, 0)                      \
  X(GetIoOutput, 0x050C, 0, 288)                           \
  X(SetIoOutput, 0x050D, 288, 0)                           \
  X(GetRecognitionType, 0x050E, 0, 4)                      \
  X(SetRecognitionType, 0x050F, 4, 0)                      \
  X(GetTriggerType, 0x0510, 0, 4)                          \
  X(SetTriggerType, 0x0511, 4, 0)                          \
  X(GetDrawMode, 0x0512, 0, 4)                             \
  X(SetDrawMode, 0x0513, 4, 0)                             \
  X(GetSerialParam, 0x0514, 4, 16)                         \
  X(SetSerialParam, 0x0515, 20, 0)                         \
  X(GetSerialPushConfig, 0x0516, 0, 644)                   \
  X(SetSerialPushConfig, 0x0517, 644, 0)                   \
  X(GetWhiteListEnable, 0x0601, 0, 4)                      \
  X(SetWhiteListEnable, 0x0602, 4, 0)                      \
  X(GetWhiteListFuzzy, 0x0603, 0, 12)                      \
  X(SetWhiteListFuzzy, 0x0604, 12, 0)                      \
  X(WhiteListCount, 0x0605, kVariable, 4)                  \
  X(WhiteListPage, 0x0606, kVariable, kVariable)           \
  X(WhiteListByPlate, 0x0607, kVariable, kVariable)        \
  X(WhiteListImport, 0x0608, kVariable, 0)                 \
  X(WhiteListUpdate, 0x0609, 416, 0)                       \
  X(WhiteListDelete, 0x060A, 4, 0)                         \
  X(WhiteListClear, 0x060B, 0, 0)                          \
  X(PlateSubscribe, 0x0701, 4, 0)                          \
  X(PlateUnsubscribe, 0x0702, 0, 0)                        \
  X(PlateEvent, 0x0703, kNone, kNone)                      \
  X(PlateQueryCount, 0x0704, kVariable, 4)                 \
  X(PlateQueryPage, 0x0705, kVariable, kVariable)          \
  X(LoadPlateImage, 0x0706, 8, kVariable)                  \
  X(VideoStart, 0x0801, 4, 0)                              \
  X(VideoStop, 0x0802, 0, 0)                               \
  X(VideoFrame, 0x0803, kNone, kNone)                      \
  X(UpdateBegin, 0x0901, 4, 0)                             \
  X(UpdateData, 0x0902, kVariable, 0)                      \
  X(UpdateCommit, 0x0903, 0, 0)                            \
  X(GetUpdateState, 0x0904, 0, 4)

enum class Operation : std::uint16_t {
#define LPR_CAMERA_OPERATION_ENUM(name, code, request, reply) name = code,
  LPR_CAMERA_OPERATIONS(LPR_CAMERA_OPERATION_ENUM)
#undef LPR_CAMERA_OPERATION_ENUM
};

struct OperationInfo {
  Operation operation;
  std::string_view name;
  std::int32_t requestBytes;  // exact size, kVariable or kNone
  std::int32_t replyBytes;
};

// The description of a known operation code; nullopt for any other code.
std::optional<OperationInfo> DescribeOperation(std::uint16_t code);
// True for the operations the camera sends unasked (PlateEvent, VideoFrame).
bool IsEventOperation(Operation operation);
std::string_view OperationName(Operation operation);

}  // namespace camera::protocol
