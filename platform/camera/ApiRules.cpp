// Rules, regions, lens, outputs, recognition settings and serial ports.

#include "platform/camera/ApiSupport.h"

using camera::Device;
using camera::GetInt32;
using camera::GetRecord;
using camera::kFailed;
using camera::kOk;
using camera::SetInt32;
using camera::SetRecord;
using camera::WithDevice;
using camera::protocol::Operation;

int CameraClient_GetPolygonRules(CameraClientHandle h, CameraClientPolygonRules* rules) {
  return GetRecord(h, Operation::GetPolygonRules, rules);
}
int CameraClient_SetPolygonRules(CameraClientHandle h, const CameraClientPolygonRules* rules) {
  return SetRecord(h, Operation::SetPolygonRules, rules);
}

int CameraClient_GetRecognitionRegion(CameraClientHandle h, CameraClientRegion* region) {
  return GetRecord(h, Operation::GetRecognitionRegion, region);
}
int CameraClient_SetRecognitionRegion(CameraClientHandle h, const CameraClientRegion* region) {
  return SetRecord(h, Operation::SetRecognitionRegion, region);
}

int CameraClient_GetVirtualLoops(CameraClientHandle h, CameraClientVirtualLoops* loops) {
  return GetRecord(h, Operation::GetVirtualLoops, loops);
}
int CameraClient_SetVirtualLoops(CameraClientHandle h, const CameraClientVirtualLoops* loops) {
  return SetRecord(h, Operation::SetVirtualLoops, loops);
}

int CameraClient_GetLensConfig(CameraClientHandle h, int* mode, int* small, int* depth) {
  return camera::GetInto<3>(h, Operation::GetLensConfig, {mode, small, depth});
}
int CameraClient_SetLensConfig(CameraClientHandle h, int mode, int small, int depth) {
  return WithDevice(h, [&](Device& device) { return camera::SetInt32s(device, Operation::SetLensConfig, {mode, small, depth}); });
}

int CameraClient_LensControl(CameraClientHandle h, int command) { return SetInt32(h, Operation::LensControl, command); }

int CameraClient_GetInstallDistance(CameraClientHandle h, int* distance) {
  return GetInt32(h, Operation::GetInstallDistance, distance);
}
int CameraClient_SetInstallDistance(CameraClientHandle h, int distance) {
  return SetInt32(h, Operation::SetInstallDistance, distance);
}

int CameraClient_GetIoOutput(CameraClientHandle h, CameraClientIoOutput* output) {
  return GetRecord(h, Operation::GetIoOutput, output);
}
int CameraClient_SetIoOutput(CameraClientHandle h, const CameraClientIoOutput* output) {
  return SetRecord(h, Operation::SetIoOutput, output);
}

namespace {

int GetBits(CameraClientHandle h, Operation operation, uint32_t* bits) {
  if (bits == nullptr) return kFailed;
  int value = 0;
  if (GetInt32(h, operation, &value) != kOk) return kFailed;
  *bits = static_cast<std::uint32_t>(value);
  return kOk;
}

}  // namespace

int CameraClient_GetRecognitionType(CameraClientHandle h, uint32_t* bits) {
  return GetBits(h, Operation::GetRecognitionType, bits);
}
int CameraClient_SetRecognitionType(CameraClientHandle h, uint32_t bits) {
  return SetInt32(h, Operation::SetRecognitionType, static_cast<int>(bits));
}

int CameraClient_GetTriggerType(CameraClientHandle h, uint32_t* bits) { return GetBits(h, Operation::GetTriggerType, bits); }
int CameraClient_SetTriggerType(CameraClientHandle h, uint32_t bits) {
  return SetInt32(h, Operation::SetTriggerType, static_cast<int>(bits));
}

int CameraClient_GetDrawMode(CameraClientHandle h, CameraClientDrawMode* mode) {
  return GetRecord(h, Operation::GetDrawMode, mode);
}
int CameraClient_SetDrawMode(CameraClientHandle h, const CameraClientDrawMode* mode) {
  return SetRecord(h, Operation::SetDrawMode, mode);
}

int CameraClient_GetSerialParam(CameraClientHandle h, int port, CameraClientSerialParam* param) {
  return camera::GetIndexedRecord(h, Operation::GetSerialParam, port, param);
}

int CameraClient_SetSerialParam(CameraClientHandle h, int port, const CameraClientSerialParam* param) {
  return camera::SetIndexedRecord(h, Operation::SetSerialParam, port, param);
}

int CameraClient_GetSerialPushConfig(CameraClientHandle h, CameraClientSerialPush* push) {
  return GetRecord(h, Operation::GetSerialPushConfig, push);
}
int CameraClient_SetSerialPushConfig(CameraClientHandle h, const CameraClientSerialPush* push) {
  return SetRecord(h, Operation::SetSerialPushConfig, push);
}
