// Encoding, image and on-screen settings.

#include "platform/camera/ApiSupport.h"
#include "platform/camera/protocol/PayloadReader.h"
#include "platform/camera/protocol/PayloadWriter.h"

using camera::Device;
using camera::GetInt32;
using camera::kFailed;
using camera::kOk;
using camera::ResultOf;
using camera::SetInt32;
using camera::WithDevice;
using camera::protocol::Operation;

int CameraClient_GetFrameSize(CameraClientHandle h, int* size) { return GetInt32(h, Operation::GetFrameSize, size); }
int CameraClient_SetFrameSize(CameraClientHandle h, int size) { return SetInt32(h, Operation::SetFrameSize, size); }

int CameraClient_GetResolution(CameraClientHandle h, int* resolution) {
  return GetInt32(h, Operation::GetResolution, resolution);
}
int CameraClient_SetResolution(CameraClientHandle h, int resolution) {
  return SetInt32(h, Operation::SetResolution, resolution);
}

int CameraClient_GetFrameRate(CameraClientHandle h, int* rate) { return GetInt32(h, Operation::GetFrameRate, rate); }
int CameraClient_SetFrameRate(CameraClientHandle h, int rate) { return SetInt32(h, Operation::SetFrameRate, rate); }

int CameraClient_GetEncodeType(CameraClientHandle h, int* type) { return GetInt32(h, Operation::GetEncodeType, type); }
int CameraClient_SetEncodeType(CameraClientHandle h, int type) { return SetInt32(h, Operation::SetEncodeType, type); }

int CameraClient_GetRateControl(CameraClientHandle h, int* mode) {
  return GetInt32(h, Operation::GetRateControl, mode);
}
int CameraClient_SetRateControl(CameraClientHandle h, int mode) {
  return SetInt32(h, Operation::SetRateControl, mode);
}

int CameraClient_GetBitRate(CameraClientHandle h, int* bitRate, int* second) {
  return camera::GetInto<2>(h, Operation::GetBitRate, {bitRate, second});
}
int CameraClient_SetBitRate(CameraClientHandle h, int bitRate) { return SetInt32(h, Operation::SetBitRate, bitRate); }

int CameraClient_GetVideoQuality(CameraClientHandle h, int* quality) {
  return GetInt32(h, Operation::GetVideoQuality, quality);
}
int CameraClient_SetVideoQuality(CameraClientHandle h, int quality) {
  return SetInt32(h, Operation::SetVideoQuality, quality);
}

int CameraClient_GetStreamConfig(CameraClientHandle h, int stream, CameraClientStreamConfig* config) {
  return camera::GetIndexedRecord(h, Operation::GetStreamConfig, stream, config);
}

int CameraClient_SetStreamConfig(CameraClientHandle h, int stream, const CameraClientStreamConfig* config) {
  return camera::SetIndexedRecord(h, Operation::SetStreamConfig, stream, config);
}

int CameraClient_GetStreamCapability(CameraClientHandle h, CameraClientStreamCapability* capability) {
  return camera::GetRecord(h, Operation::GetStreamCapability, capability);
}

int CameraClient_GetImageAdjust(CameraClientHandle h, int* brightness, int* contrast, int* saturation, int* hue) {
  return camera::GetInto<4>(h, Operation::GetImageAdjust, {brightness, contrast, saturation, hue});
}

int CameraClient_SetImageAdjust(CameraClientHandle h, int brightness, int contrast, int saturation, int hue) {
  return WithDevice(h, [&](Device& device) {
    return camera::SetInt32s(device, Operation::SetImageAdjust, {brightness, contrast, saturation, hue});
  });
}

int CameraClient_GetImageAdjustEx(CameraClientHandle h, CameraClientImageAdjust* adjust) {
  return camera::GetRecord(h, Operation::GetImageAdjustEx, adjust);
}
int CameraClient_SetImageAdjustEx(CameraClientHandle h, const CameraClientImageAdjust* adjust) {
  return camera::SetRecord(h, Operation::SetImageAdjustEx, adjust);
}

int CameraClient_GetFlickerFrequency(CameraClientHandle h, int* index) {
  return GetInt32(h, Operation::GetFlickerFrequency, index);
}
int CameraClient_SetFlickerFrequency(CameraClientHandle h, int index) {
  return SetInt32(h, Operation::SetFlickerFrequency, index);
}

int CameraClient_GetShutter(CameraClientHandle h, int* shutter) { return GetInt32(h, Operation::GetShutter, shutter); }
int CameraClient_SetShutter(CameraClientHandle h, int shutter) { return SetInt32(h, Operation::SetShutter, shutter); }

int CameraClient_GetFlip(CameraClientHandle h, int* flip) { return GetInt32(h, Operation::GetFlip, flip); }
int CameraClient_SetFlip(CameraClientHandle h, int flip) { return SetInt32(h, Operation::SetFlip, flip); }

int CameraClient_GetNoiseReduction(CameraClientHandle h, int* mode, int* strength) {
  return camera::GetInto<2>(h, Operation::GetNoiseReduction, {mode, strength});
}
int CameraClient_SetNoiseReduction(CameraClientHandle h, int mode, int strength) {
  return WithDevice(h, [&](Device& device) { return camera::SetInt32s(device, Operation::SetNoiseReduction, {mode, strength}); });
}

int CameraClient_GetOsdParam(CameraClientHandle h, CameraClientOsdParam* param) {
  return camera::GetRecord(h, Operation::GetOsdParam, param);
}
int CameraClient_SetOsdParam(CameraClientHandle h, const CameraClientOsdParam* param) {
  return camera::SetRecord(h, Operation::SetOsdParam, param);
}

int CameraClient_GetOsdOverlay(CameraClientHandle h, CameraClientOsdParam* param, CameraClientOsdOverlay* overlay) {
  if (param == nullptr || overlay == nullptr) return kFailed;
  return WithDevice(h, [&](Device& device) {
    const auto reply = device.Call(Operation::GetOsdOverlay);
    if (!reply) return kFailed;
    camera::protocol::PayloadReader reader(*reply);
    const auto osd = reader.Get<CameraClientOsdParam>();
    const auto switches = reader.Get<CameraClientOsdOverlay>();
    if (!reader.Done() || !camera::protocol::IsWellFormed(osd)) return kFailed;
    *param = osd;
    *overlay = switches;
    return kOk;
  });
}

int CameraClient_SetOsdOverlay(CameraClientHandle h, const CameraClientOsdParam* param,
                               const CameraClientOsdOverlay* overlay) {
  if (param == nullptr || overlay == nullptr) return kFailed;
  return WithDevice(h, [&](Device& device) {
    const auto payload = camera::protocol::PayloadWriter().Put(*param).Put(*overlay).Take();
    return ResultOf(device.Call(Operation::SetOsdOverlay, payload).has_value());
  });
}
