// TCP encryption modes, passwords and the second login.

#include "platform/camera/ApiSupport.h"

using camera::Device;
using camera::kFailed;
using camera::kOk;
using camera::ResultOf;
using camera::WithDevice;
using camera::protocol::Operation;

int CameraClient_GetEncryptInfo(CameraClientHandle handle, CameraClientEncryptInfo* info) {
  return camera::GetRecord(handle, Operation::GetEncryptInfo, info);
}

int CameraClient_ApplyEncryptInfo(CameraClientHandle handle, const CameraClientEncryptInfo* info) {
  if (info == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    device.ApplyEncryptMode(info->currentMode);
    return kOk;
  });
}

int CameraClient_LoginEncrypted(CameraClientHandle handle, const char* userPassword) {
  if (userPassword == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) { return ResultOf(device.LoginEncrypted(userPassword)); });
}

int CameraClient_SetEncryptMode(CameraClientHandle handle, const char* userPassword, int mode) {
  if (userPassword == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) { return ResultOf(device.SetEncryptMode(userPassword, mode)); });
}

namespace {

int ChangePassword(CameraClientHandle handle, Operation operation, const char* current, const char* replacement) {
  if (current == nullptr || replacement == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    return ResultOf(device.ChangeEncryptPassword(operation, current, replacement));
  });
}

}  // namespace

int CameraClient_SetEncryptPassword(CameraClientHandle handle, const char* oldPassword, const char* newPassword) {
  return ChangePassword(handle, Operation::SetEncryptPassword, oldPassword, newPassword);
}

int CameraClient_ResetEncryptPassword(CameraClientHandle handle, const char* masterPassword, const char* newPassword) {
  return ChangePassword(handle, Operation::ResetEncryptPassword, masterPassword, newPassword);
}
