// Identity, network, time, fill light, province and device actions.

#include <algorithm>
#include <string_view>

#include "platform/camera/ApiSupport.h"
#include "platform/camera/protocol/DeviceMessages.h"
#include "platform/camera/protocol/Frame.h"
#include "platform/camera/protocol/Limits.h"

using camera::Device;
using camera::kFailed;
using camera::kOk;
using camera::ResultOf;
using camera::WithDevice;
using camera::protocol::Operation;

namespace {

int Simple(CameraClientHandle handle, Operation operation) {
  return WithDevice(handle, [&](Device& device) { return ResultOf(device.Call(operation).has_value()); });
}

}  // namespace

int CameraClient_GetLedLevel(CameraClientHandle handle, int* level, int* maximum) {
  return camera::GetInto<2>(handle, Operation::GetLedLevel, {level, maximum});
}

int CameraClient_SetLedLevel(CameraClientHandle handle, int level) {
  return camera::SetInt32(handle, Operation::SetLedLevel, level);
}

int CameraClient_GetLedMode(CameraClientHandle handle, int* mode) {
  return camera::GetInt32(handle, Operation::GetLedMode, mode);
}

int CameraClient_SetLedMode(CameraClientHandle handle, int mode) {
  return camera::SetInt32(handle, Operation::SetLedMode, mode);
}

int CameraClient_GetLedSchedule(CameraClientHandle handle, CameraClientLedSchedule* schedule) {
  return camera::GetRecord(handle, Operation::GetLedSchedule, schedule);
}

int CameraClient_SetLedSchedule(CameraClientHandle handle, const CameraClientLedSchedule* schedule) {
  return camera::SetRecord(handle, Operation::SetLedSchedule, schedule);
}

int CameraClient_GetProvinceInfo(CameraClientHandle handle, CameraClientProvinceInfo* info) {
  return camera::GetRecord(handle, Operation::GetProvinceInfo, info);
}

int CameraClient_SetDefaultProvince(CameraClientHandle handle, int index) {
  return camera::SetInt32(handle, Operation::SetDefaultProvince, index);
}

int CameraClient_ForceTrigger(CameraClientHandle handle) { return Simple(handle, Operation::ForceTrigger); }

int CameraClient_Reboot(CameraClientHandle handle) { return Simple(handle, Operation::Reboot); }

int CameraClient_GetSystemLog(CameraClientHandle handle, int kind, char* buffer, int* length) {
  if (buffer == nullptr || length == nullptr || *length <= 0) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    // The whole log travels in one reply, and no reply carries more than kMaxPayloadBytes.
    const int maximum = std::min<std::int64_t>(*length, camera::protocol::kMaxPayloadBytes);
    const camera::protocol::SystemLogRequest request{kind, maximum};
    const auto reply = device.Call(Operation::GetSystemLog, request.Encode());
    if (!reply || reply->size() > static_cast<std::size_t>(maximum)) return kFailed;
    // An empty log has no bytes to copy (and its data pointer may be null).
    if (!reply->empty()) std::memcpy(buffer, reply->data(), reply->size());
    *length = static_cast<int>(reply->size());
    return kOk;
  });
}

int CameraClient_GetNetParam(CameraClientHandle handle, CameraClientNetParam* param) {
  return camera::GetRecord(handle, Operation::GetNetParam, param);
}

int CameraClient_SetNetParam(CameraClientHandle handle, const CameraClientNetParam* param) {
  if (param == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    if (!device.Call(Operation::SetNetParam, camera::protocol::EncodeRecord(*param))) return kFailed;
    // The camera answers at its new address at once; the handle follows it.
    const std::string ip(param->ip, strnlen(param->ip, sizeof param->ip));
    if (const auto address = camera::ParseCameraAddress(ip.c_str(), param->port)) device.MoveTo(*address);
    return kOk;
  });
}

int CameraClient_GetNtpParam(CameraClientHandle handle, char server[17], uint8_t* enable, int* interval) {
  if (server == nullptr || enable == nullptr || interval == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const auto reply = device.Call(Operation::GetNtpParam);
    if (!reply) return kFailed;
    const auto param = camera::protocol::NtpParam::Decode(*reply);
    if (!param || param->server.find('\0') != std::string::npos) return kFailed;
    std::memcpy(server, param->server.data(), param->server.size());
    server[param->server.size()] = '\0';
    *enable = param->enable;
    *interval = param->interval;
    return kOk;
  });
}

int CameraClient_SetNtpParam(CameraClientHandle handle, const char* server, uint8_t enable, int interval) {
  if (server == nullptr || std::strlen(server) > camera::protocol::kMaxNtpServerBytes) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const camera::protocol::NtpParam param{server, enable, interval};
    return ResultOf(device.Call(Operation::SetNtpParam, param.Encode()).has_value());
  });
}

int CameraClient_GetHardwareType(CameraClientHandle handle, int* type) {
  return camera::GetInt32(handle, Operation::GetHardwareType, type);
}

int CameraClient_GetModelId(CameraClientHandle handle, int* model, int* extra) {
  return camera::GetInto<2>(handle, Operation::GetModelId, {model, extra});
}

int CameraClient_GetFirmwareVersion(CameraClientHandle handle, int* a, int* b, int* c, int* d) {
  return camera::GetInto<4>(handle, Operation::GetFirmwareVersion, {a, b, c, d});
}

int CameraClient_GetRealShowText(CameraClientHandle handle, char text[8]) {
  if (text == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const auto reply = device.Call(Operation::GetRealShowText);
    if (!reply || std::memchr(reply->data(), 0, reply->size()) == nullptr) return kFailed;
    std::memcpy(text, reply->data(), reply->size());
    return kOk;
  });
}

int CameraClient_SetRealShowText(CameraClientHandle handle, const char text[8]) {
  if (text == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text);
    return ResultOf(device.Call(Operation::SetRealShowText, std::span<const std::uint8_t>(bytes, 8)).has_value());
  });
}
