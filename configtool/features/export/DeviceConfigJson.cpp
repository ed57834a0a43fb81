#include "configtool/features/export/DeviceConfigJson.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <type_traits>

#include "common/FixedText.h"
#include "configformat/ConfigKeys.h"
#include "configformat/SerialPushJson.h"

namespace {

using namespace ConfigKeys;

using Writer = void (*)(CameraClientHandle, Json::Value&);

struct ExportSection {
  ExportOption option;
  const char* controlName;
  Writer writer;
};

constexpr ExportSection kSections[] = {
    {ExportOption::NetParam, "dlg_opt_net_para", NetParamToJson},
    {ExportOption::Province, "dlg_opt_prov_para", ProvinceInfoToJson},
    {ExportOption::Video, "dlg_opt_video_para", VideoParamToJson},
    {ExportOption::Output, "dlg_opt_output", OutputConfigToJson},
    {ExportOption::WhiteList, "dlg_opt_white_list", WlistParamToJson},
    {ExportOption::Base, "dlg_opt_basic_cfg", BaseParamToJson},
    {ExportOption::Serial, "dlg_opt_serial_port", SerialParamToJson},
    {ExportOption::PushFormat, "dlg_opt_push_config", PushFormatToJson},
    {ExportOption::VirtualLoop, "dlg_opt_loop_para", VirtualLoopToJson},
    {ExportOption::Region, "dlg_opt_region_para", RegionParamToJson},
    {ExportOption::Time, "dlg_opt_time", NtpParamToJson},
    {ExportOption::RealShow, "dlg_opt_real_show", RealShowToJson},
};

constexpr int kNoiseReductionHardware = 2;
// The province list holds one two-byte character per province.
constexpr int kProvinceCount = static_cast<int>(sizeof(CameraClientProvinceInfo::list) / 2);
constexpr std::uint32_t kMaxRegionVertices = std::extent_v<decltype(CameraClientRegion::vertices)>;

Json::Value Unsigned(std::uint32_t value) { return Json::Value(Json::UInt(value)); }

// A section whose reads all failed is left out.
void AddIfNotEmpty(Json::Value& root, const char* key, const Json::Value& section) {
  if (!section.empty()) root[key] = section;
}

std::string ProvinceName(const CameraClientProvinceInfo& info) {
  // An index past the list names no province, like a negative one.
  if (info.currentIndex < 0 || info.currentIndex >= kProvinceCount) return "无";
  const char* character = info.list + 2 * info.currentIndex;
  return std::string(character, strnlen(character, 2));
}

void ReadCommonVideo(CameraClientHandle handle, Json::Value& video) {
  int value = 0;
  if (CameraClient_GetFrameSize(handle, &value) == 0) video[kVideoFrameSize] = value;
  value = 0;
  if (CameraClient_GetFrameRate(handle, &value) == 0 && value > 0) video[kVideoFrameRate] = value;
  value = 0;
  if (CameraClient_GetEncodeType(handle, &value) == 0) video[kVideoEncodeType] = value;
  value = 0;
  if (CameraClient_GetRateControl(handle, &value) == 0) video[kVideoMode] = value;
  int bitRate = 0;
  int rateList = 0;
  if (CameraClient_GetBitRate(handle, &bitRate, &rateList) == 0) {
    video[kVideoBitRate] = bitRate;
    video[kVideoRateList] = rateList;
  }
  value = 0;
  if (CameraClient_GetVideoQuality(handle, &value) == 0) video[kVideoLevel] = value;
}

void ReadImageAdjust(CameraClientHandle handle, Json::Value& video) {
  int brightness = 0, contrast = 0, saturation = 0, hue = 0;
  if (CameraClient_GetImageAdjust(handle, &brightness, &contrast, &saturation, &hue) != 0) return;
  video[kVideoBrightness] = brightness;
  video[kVideoContrast] = contrast;
  video[kVideoSaturation] = saturation;
  video[kVideoHue] = hue;
}

void ReadSingle(int (*get)(CameraClientHandle, int*), CameraClientHandle handle, Json::Value& video, const char* key) {
  int value = 0;
  if (get(handle, &value) == 0) video[key] = value;
}

void ReadNoiseReduction(CameraClientHandle handle, Json::Value& video) {
  int mode = 0, strength = 0;
  if (CameraClient_GetNoiseReduction(handle, &mode, &strength) != 0) return;
  video[kVideoDnMode] = mode;
  video[kVideoDnStrength] = strength;
}

void OsdParamToJson(CameraClientHandle handle, Json::Value& root) {
  CameraClientOsdParam osd{};
  if (CameraClient_GetOsdParam(handle, &osd) != 0) return;
  Json::Value section(Json::objectValue);
  section[kOsdDateFormat] = osd.dateFormat;
  section[kOsdDatePosX] = osd.datePosX;
  section[kOsdDatePosY] = osd.datePosY;
  section[kOsdDateStampEnable] = osd.dstampenable;
  section[kOsdLogoEnable] = osd.nLogoEnable;
  section[kOsdLogoPositionX] = osd.nLogoPositionX;
  section[kOsdLogoPositionY] = osd.nLogoPositionY;
  section[kOsdTextEnable] = osd.nTextEnable;
  section[kOsdTextPositionX] = osd.nTextPositionX;
  section[kOsdTextPositionY] = osd.nTextPositionY;
  section[kOsdOverlayText] = FieldText(osd.overlaytext);
  section[kOsdTimeFormat] = osd.timeFormat;
  section[kOsdTimePosX] = osd.timePosX;
  section[kOsdTimePosY] = osd.timePosY;
  section[kOsdTimeStampEnable] = osd.tstampenable;
  root[kOsdParam] = section;
}

Json::Value OutputEntryToJson(const CameraClientIoOutputEntry& entry) {
  Json::Value element(Json::objectValue);
  element[kOutputInputType] = entry.eInputType;
  element[kOutputSwitchOut1] = entry.switchout[0];
  element[kOutputSwitchOut2] = entry.switchout[1];
  element[kOutputSwitchOut3] = entry.switchout[2];
  element[kOutputSwitchOut4] = entry.switchout[3];
  element[kOutputLevelOut1] = entry.levelout[0];
  element[kOutputLevelOut2] = entry.levelout[1];
  element[kOutputRs485Out1] = entry.rs485out[0];
  element[kOutputRs485Out2] = entry.rs485out[1];
  return element;
}

}  // namespace

const char* ExportOptionControlName(ExportOption option) {
  for (const ExportSection& section : kSections) {
    if (section.option == option) return section.controlName;
  }
  return "";
}

ExportOptions AllExportOptions() {
  ExportOptions options;
  for (const ExportSection& section : kSections) options.insert(section.option);
  return options;
}

Json::Value BuildDeviceConfigJson(CameraClientHandle handle, const ExportOptions& options) {
  Json::Value root;
  for (const ExportSection& section : kSections) {
    if (options.count(section.option) != 0) section.writer(handle, root);
  }
  return root;
}

void NetParamToJson(CameraClientHandle handle, Json::Value& root) {
  CameraClientNetParam net{};
  if (CameraClient_GetNetParam(handle, &net) != 0) return;
  Json::Value section(Json::objectValue);
  section[kNetIp] = FieldText(net.ip);
  section[kNetNetmask] = FieldText(net.netmask);
  section[kNetGateway] = FieldText(net.gateway);
  section[kNetDns] = FieldText(net.dns);
  section[kNetPort] = net.port;
  root[kNetParam] = section;
}

void ProvinceInfoToJson(CameraClientHandle handle, Json::Value& root) {
  CameraClientProvinceInfo info{};
  if (CameraClient_GetProvinceInfo(handle, &info) != 0) return;
  Json::Value section(Json::objectValue);
  section[kProvinceCurrIndex] = info.currentIndex;
  section[kProvinceName] = ProvinceName(info);
  root[kProvinceInfo] = section;
}

void VideoParamToJson(CameraClientHandle handle, Json::Value& root) {
  Json::Value video(Json::objectValue);
  ReadCommonVideo(handle, video);
  OsdParamToJson(handle, root);
  int hardwareType = 0;
  CameraClient_GetHardwareType(handle, &hardwareType);
  ReadImageAdjust(handle, video);
  if (hardwareType == kNoiseReductionHardware) {
    ReadSingle(CameraClient_GetShutter, handle, video, kVideoShutter);
    ReadSingle(CameraClient_GetFlip, handle, video, kVideoFlip);
    ReadNoiseReduction(handle, video);
  } else {
    ReadSingle(CameraClient_GetFlickerFrequency, handle, video, kVideoFrequency);
    ReadSingle(CameraClient_GetShutter, handle, video, kVideoShutter);
    ReadSingle(CameraClient_GetFlip, handle, video, kVideoFlip);
  }
  AddIfNotEmpty(root, kVideoParam, video);
}

void OutputConfigToJson(CameraClientHandle handle, Json::Value& root) {
  CameraClientIoOutput output{};
  Json::Value section;
  if (CameraClient_GetIoOutput(handle, &output) == 0) {
    section = Json::Value(Json::arrayValue);
    for (const CameraClientIoOutputEntry& entry : output.entries) section.append(OutputEntryToJson(entry));
  }
  root[kOutputConfig] = section;
}

void WlistParamToJson(CameraClientHandle handle, Json::Value& root) {
  Json::Value section(Json::objectValue);
  int enable = 0;
  if (CameraClient_GetWhiteListEnable(handle, &enable) == 0) section[kWlistEnable] = enable;
  int fuzzy = 0, fuzzyLength = 0;
  std::uint8_t fuzzyChinese = 0;
  if (CameraClient_GetWhiteListFuzzy(handle, &fuzzy, &fuzzyLength, &fuzzyChinese) == 0) {
    section[kWlistFuzzy] = fuzzy;
    section[kWlistFuzzyLen] = fuzzyLength;
    section[kWlistFuzzyCc] = fuzzyChinese != 0 ? 1 : 0;
  }
  AddIfNotEmpty(root, kWlistParam, section);
}

void BaseParamToJson(CameraClientHandle handle, Json::Value& root) {
  Json::Value section(Json::objectValue);
  std::uint32_t bits = 0;
  if (CameraClient_GetRecognitionType(handle, &bits) == 0) section[kBaseRecType] = Unsigned(bits);
  bits = 0;
  if (CameraClient_GetTriggerType(handle, &bits) == 0) section[kBaseTrigType] = Unsigned(bits);
  CameraClientDrawMode drawMode{};
  if (CameraClient_GetDrawMode(handle, &drawMode) == 0) {
    Json::Value group(Json::objectValue);
    group[kBaseDspAddRule] = drawMode.byDspAddRule;
    group[kBaseDspAddTarget] = drawMode.byDspAddTarget;
    group[kBaseDspAddTrajectory] = drawMode.byDspAddTrajectory;
    section[kBaseDrawMode] = group;
  }
  AddIfNotEmpty(root, kBaseParam, section);
}

void SerialParamToJson(CameraClientHandle handle, Json::Value& root) {
  Json::Value section;
  for (int port = 0; port < 2; ++port) {
    CameraClientSerialParam serial{};
    if (CameraClient_GetSerialParam(handle, port, &serial) != 0) continue;
    Json::Value element(Json::objectValue);
    element[kSerialPort] = port;
    element[kSerialBaudRate] = Unsigned(serial.uBaudRate);
    element[kSerialDataBits] = Unsigned(serial.uDataBits);
    element[kSerialParity] = Unsigned(serial.uParity);
    element[kSerialStopBit] = Unsigned(serial.uStopBit);
    section.append(element);
  }
  root[kSerialParam] = section;
}

void PushFormatToJson(CameraClientHandle handle, Json::Value& root) {
  CameraClientSerialPush push{};
  if (CameraClient_GetSerialPushConfig(handle, &push) != 0) return;
  Json::Value section(Json::arrayValue);
  PushConfigToJson(push, section);
  root[kPushConfig] = section;
}

void VirtualLoopToJson(CameraClientHandle handle, Json::Value& root) {
  CameraClientVirtualLoops loops{};
  if (CameraClient_GetVirtualLoops(handle, &loops) != 0 || loops.count < 1) return;
  const CameraClientVirtualLoop& loop = loops.loops[0];
  Json::Value section(Json::objectValue);
  section[kLoopDraw] = loop.byDraw;
  section[kLoopEnable] = loop.byEnable;
  section[kLoopName] = FieldText(loop.strName);
  section[kLoopTriggerTimeGap] = Unsigned(loop.uTriggerTimeGap);
  section[kLoopCrossDir] = loop.eCrossDir;
  section[kLoopMaxLpWidth] = Unsigned(loop.uMaxLPWidth);
  section[kLoopMinLpWidth] = Unsigned(loop.uMinLPWidth);
  root[kVirtualLoop] = section;
}

void RegionParamToJson(CameraClientHandle handle, Json::Value& root) {
  CameraClientRegion region{};
  Json::Value section;
  if (CameraClient_GetRecognitionRegion(handle, &region) == 0) {
    // The record holds twelve vertices; a larger count from the camera cannot be read.
    const std::uint32_t count = std::min(region.uNumVertex, kMaxRegionVertices);
    for (std::uint32_t i = 0; i < count; ++i) {
      Json::Value element(Json::objectValue);
      element[kRegionVertexIndex] = static_cast<int>(i);
      element[kRegionX1000] = Unsigned(static_cast<std::uint32_t>(region.vertices[i].x));
      element[kRegionY1000] = Unsigned(static_cast<std::uint32_t>(region.vertices[i].y));
      element[kRegionDraw] = region.byDraw;
      element[kRegionEnable] = region.byEnable;
      element[kRegionNumVertex] = Unsigned(count);
      section.append(element);
    }
  }
  root[kRegionParam] = section;
}

void NtpParamToJson(CameraClientHandle handle, Json::Value& root) {
  char server[17] = {};
  std::uint8_t enable = 0;
  int interval = 0;
  if (CameraClient_GetNtpParam(handle, server, &enable, &interval) != 0) return;
  Json::Value section(Json::objectValue);
  section[kNtpServerName] = FieldText(server);
  section[kNtpEnable] = enable != 0 ? 1 : 0;
  section[kNtpFrequencyTime] = interval;
  root[kNtpParam] = section;
}

void RealShowToJson(CameraClientHandle handle, Json::Value& root) {
  char text[8] = {};
  if (CameraClient_GetRealShowText(handle, text) != 0) return;
  std::string shown = FieldText(text);
  if (shown.empty()) shown = "000";
  Json::Value section(Json::objectValue);
  section[kRealShowData] = shown;
  root[kRealShow] = section;
}
