#pragma once
// The configuration document of one open camera: the ticked sections whose reads succeeded.

#include <set>

#include <json/value.h>

#include "cameraclient/CameraClient.h"

// The export options in the order in which their sections are read.
enum class ExportOption {
  NetParam,
  Province,
  Video,  // with the on-screen texts
  Output,
  WhiteList,
  Base,
  Serial,
  PushFormat,
  VirtualLoop,
  Region,
  Time,
  RealShow,
};
using ExportOptions = std::set<ExportOption>;

// The dialog option that ticks each section, in the order above.
const char* ExportOptionControlName(ExportOption option);
ExportOptions AllExportOptions();

// The document: an object of the sections, or null when no section was added.
Json::Value BuildDeviceConfigJson(CameraClientHandle handle, const ExportOptions& options);

// One writer per section; each adds its section to `root` when its reads allow.
void NetParamToJson(CameraClientHandle handle, Json::Value& root);
void ProvinceInfoToJson(CameraClientHandle handle, Json::Value& root);
void VideoParamToJson(CameraClientHandle handle, Json::Value& root);
void OutputConfigToJson(CameraClientHandle handle, Json::Value& root);
void WlistParamToJson(CameraClientHandle handle, Json::Value& root);
void BaseParamToJson(CameraClientHandle handle, Json::Value& root);
void SerialParamToJson(CameraClientHandle handle, Json::Value& root);
void PushFormatToJson(CameraClientHandle handle, Json::Value& root);
void VirtualLoopToJson(CameraClientHandle handle, Json::Value& root);
void RegionParamToJson(CameraClientHandle handle, Json::Value& root);
void NtpParamToJson(CameraClientHandle handle, Json::Value& root);
void RealShowToJson(CameraClientHandle handle, Json::Value& root);
