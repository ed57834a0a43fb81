#include "configtool/features/export/DeviceConfigJson.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <type_traits>

#include "configtool/features/export/FixedText.h"
#include "configtool/features/export/SerialPushJson.h"

namespace {

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
  if (CameraClient_GetFrameSize(handle, &value) == 0) video["nSizeVal"] = value;
  value = 0;
  if (CameraClient_GetFrameRate(handle, &value) == 0 && value > 0) video["nRateval"] = value;
  value = 0;
  if (CameraClient_GetEncodeType(handle, &value) == 0) video["nEncodeType"] = value;
  value = 0;
  if (CameraClient_GetRateControl(handle, &value) == 0) video["modeval"] = value;
  int bitRate = 0;
  int rateList = 0;
  if (CameraClient_GetBitRate(handle, &bitRate, &rateList) == 0) {
    video["bitval"] = bitRate;
    video["ratelist"] = rateList;
  }
  value = 0;
  if (CameraClient_GetVideoQuality(handle, &value) == 0) video["levelval"] = value;
}

void ReadImageAdjust(CameraClientHandle handle, Json::Value& video) {
  int brightness = 0, contrast = 0, saturation = 0, hue = 0;
  if (CameraClient_GetImageAdjust(handle, &brightness, &contrast, &saturation, &hue) != 0) return;
  video["brt"] = brightness;
  video["cst"] = contrast;
  video["sat"] = saturation;
  video["hue"] = hue;
}

void ReadSingle(int (*get)(CameraClientHandle, int*), CameraClientHandle handle, Json::Value& video, const char* key) {
  int value = 0;
  if (get(handle, &value) == 0) video[key] = value;
}

void ReadNoiseReduction(CameraClientHandle handle, Json::Value& video) {
  int mode = 0, strength = 0;
  if (CameraClient_GetNoiseReduction(handle, &mode, &strength) != 0) return;
  video["DNMode"] = mode;
  video["DNStrength"] = strength;
}

void OsdParamToJson(CameraClientHandle handle, Json::Value& root) {
  CameraClientOsdParam osd{};
  if (CameraClient_GetOsdParam(handle, &osd) != 0) return;
  Json::Value section(Json::objectValue);
  section["dateFormat"] = osd.dateFormat;
  section["datePosX"] = osd.datePosX;
  section["datePosY"] = osd.datePosY;
  section["dstampenable"] = osd.dstampenable;
  section["nLogoEnable"] = osd.nLogoEnable;
  section["nLogoPositionX"] = osd.nLogoPositionX;
  section["nLogoPositionY"] = osd.nLogoPositionY;
  section["nTextEnable"] = osd.nTextEnable;
  section["nTextPositionX"] = osd.nTextPositionX;
  section["nTextPositionY"] = osd.nTextPositionY;
  section["overlaytext"] = FieldText(osd.overlaytext);
  section["timeFormat"] = osd.timeFormat;
  section["timePosX"] = osd.timePosX;
  section["timePosY"] = osd.timePosY;
  section["tstampenable"] = osd.tstampenable;
  root["osd_param"] = section;
}

Json::Value OutputEntryToJson(const CameraClientIoOutputEntry& entry) {
  Json::Value element(Json::objectValue);
  element["eInputType"] = entry.eInputType;
  element["switchout1"] = entry.switchout[0];
  element["switchout2"] = entry.switchout[1];
  element["switchout3"] = entry.switchout[2];
  element["switchout4"] = entry.switchout[3];
  element["levelout1"] = entry.levelout[0];
  element["levelout2"] = entry.levelout[1];
  element["rs485out1"] = entry.rs485out[0];
  element["rs485out2"] = entry.rs485out[1];
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
  section["ip"] = FieldText(net.ip);
  section["netmask"] = FieldText(net.netmask);
  section["gateway"] = FieldText(net.gateway);
  section["dns"] = FieldText(net.dns);
  section["port"] = net.port;
  root["net_param"] = section;
}

void ProvinceInfoToJson(CameraClientHandle handle, Json::Value& root) {
  CameraClientProvinceInfo info{};
  if (CameraClient_GetProvinceInfo(handle, &info) != 0) return;
  Json::Value section(Json::objectValue);
  section["nCurrIndex"] = info.currentIndex;
  section["name"] = ProvinceName(info);
  root["province_info"] = section;
}

void VideoParamToJson(CameraClientHandle handle, Json::Value& root) {
  Json::Value video(Json::objectValue);
  ReadCommonVideo(handle, video);
  OsdParamToJson(handle, root);
  int hardwareType = 0;
  CameraClient_GetHardwareType(handle, &hardwareType);
  ReadImageAdjust(handle, video);
  if (hardwareType == kNoiseReductionHardware) {
    ReadSingle(CameraClient_GetShutter, handle, video, "shutter");
    ReadSingle(CameraClient_GetFlip, handle, video, "flip");
    ReadNoiseReduction(handle, video);
  } else {
    ReadSingle(CameraClient_GetFlickerFrequency, handle, video, "frequency");
    ReadSingle(CameraClient_GetShutter, handle, video, "shutter");
    ReadSingle(CameraClient_GetFlip, handle, video, "flip");
  }
  AddIfNotEmpty(root, "video_param", video);
}

void OutputConfigToJson(CameraClientHandle handle, Json::Value& root) {
  CameraClientIoOutput output{};
  Json::Value section;
  if (CameraClient_GetIoOutput(handle, &output) == 0) {
    section = Json::Value(Json::arrayValue);
    for (const CameraClientIoOutputEntry& entry : output.entries) section.append(OutputEntryToJson(entry));
  }
  root["output_config"] = section;
}

void WlistParamToJson(CameraClientHandle handle, Json::Value& root) {
  Json::Value section(Json::objectValue);
  int enable = 0;
  if (CameraClient_GetWhiteListEnable(handle, &enable) == 0) section["nWLEnable"] = enable;
  int fuzzy = 0, fuzzyLength = 0;
  std::uint8_t fuzzyChinese = 0;
  if (CameraClient_GetWhiteListFuzzy(handle, &fuzzy, &fuzzyLength, &fuzzyChinese) == 0) {
    section["nFuzzy"] = fuzzy;
    section["nFuzzyLen"] = fuzzyLength;
    section["bFuzzyCC"] = fuzzyChinese != 0 ? 1 : 0;
  }
  AddIfNotEmpty(root, "wlist_param", section);
}

void BaseParamToJson(CameraClientHandle handle, Json::Value& root) {
  Json::Value section(Json::objectValue);
  std::uint32_t bits = 0;
  if (CameraClient_GetRecognitionType(handle, &bits) == 0) section["uBitsRecType"] = Unsigned(bits);
  bits = 0;
  if (CameraClient_GetTriggerType(handle, &bits) == 0) section["uBitsTrigType"] = Unsigned(bits);
  CameraClientDrawMode drawMode{};
  if (CameraClient_GetDrawMode(handle, &drawMode) == 0) {
    Json::Value group(Json::objectValue);
    group["byDspAddRule"] = drawMode.byDspAddRule;
    group["byDspAddTarget"] = drawMode.byDspAddTarget;
    group["byDspAddTrajectory"] = drawMode.byDspAddTrajectory;
    section["drawMode"] = group;
  }
  AddIfNotEmpty(root, "base_param", section);
}

void SerialParamToJson(CameraClientHandle handle, Json::Value& root) {
  Json::Value section;
  for (int port = 0; port < 2; ++port) {
    CameraClientSerialParam serial{};
    if (CameraClient_GetSerialParam(handle, port, &serial) != 0) continue;
    Json::Value element(Json::objectValue);
    element["port"] = port;
    element["uBaudRate"] = Unsigned(serial.uBaudRate);
    element["uDataBits"] = Unsigned(serial.uDataBits);
    element["uParity"] = Unsigned(serial.uParity);
    element["uStopBit"] = Unsigned(serial.uStopBit);
    section.append(element);
  }
  root["serial_param"] = section;
}

void PushFormatToJson(CameraClientHandle handle, Json::Value& root) {
  CameraClientSerialPush push{};
  if (CameraClient_GetSerialPushConfig(handle, &push) != 0) return;
  Json::Value section(Json::arrayValue);
  PushConfigToJson(push, section);
  root["rs485_push_cfg"] = section;
}

void VirtualLoopToJson(CameraClientHandle handle, Json::Value& root) {
  CameraClientVirtualLoops loops{};
  if (CameraClient_GetVirtualLoops(handle, &loops) != 0 || loops.count < 1) return;
  const CameraClientVirtualLoop& loop = loops.loops[0];
  Json::Value section(Json::objectValue);
  section["byDraw"] = loop.byDraw;
  section["byEnable"] = loop.byEnable;
  section["strName"] = FieldText(loop.strName);
  section["uTriggerTimeGap"] = Unsigned(loop.uTriggerTimeGap);
  section["eCrossDir"] = loop.eCrossDir;
  section["uMaxLPWidth"] = Unsigned(loop.uMaxLPWidth);
  section["uMinLPWidth"] = Unsigned(loop.uMinLPWidth);
  root["virtual_loop"] = section;
}

void RegionParamToJson(CameraClientHandle handle, Json::Value& root) {
  CameraClientRegion region{};
  Json::Value section;
  if (CameraClient_GetRecognitionRegion(handle, &region) == 0) {
    // The record holds twelve vertices; a larger count from the camera cannot be read.
    const std::uint32_t count = std::min(region.uNumVertex, kMaxRegionVertices);
    for (std::uint32_t i = 0; i < count; ++i) {
      Json::Value element(Json::objectValue);
      element["VertexIndex"] = static_cast<int>(i);
      element["X_1000"] = Unsigned(static_cast<std::uint32_t>(region.vertices[i].x));
      element["Y_1000"] = Unsigned(static_cast<std::uint32_t>(region.vertices[i].y));
      element["byDraw"] = region.byDraw;
      element["byEnable"] = region.byEnable;
      element["uNumVertex"] = Unsigned(count);
      section.append(element);
    }
  }
  root["region_param"] = section;
}

void NtpParamToJson(CameraClientHandle handle, Json::Value& root) {
  char server[17] = {};
  std::uint8_t enable = 0;
  int interval = 0;
  if (CameraClient_GetNtpParam(handle, server, &enable, &interval) != 0) return;
  Json::Value section(Json::objectValue);
  section["ntp_server_name"] = FieldText(server);
  section["ntp_enable"] = enable != 0 ? 1 : 0;
  section["frequency_time"] = interval;
  root["ntp_param"] = section;
}

void RealShowToJson(CameraClientHandle handle, Json::Value& root) {
  char text[8] = {};
  if (CameraClient_GetRealShowText(handle, text) != 0) return;
  std::string shown = FieldText(text);
  if (shown.empty()) shown = "000";
  Json::Value section(Json::objectValue);
  section["szRealData"] = shown;
  root["real_show"] = section;
}
