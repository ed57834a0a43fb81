// Set-up, handles, search and connection state.

#include "platform/camera/ApiSupport.h"
#include "platform/camera/OneShotRequest.h"
#include "platform/camera/protocol/SessionMessages.h"

using camera::Device;
using camera::Guarded;
using camera::kFailed;
using camera::kOk;
using camera::Library;
using camera::WithDevice;
using camera::protocol::Operation;

int CameraClient_Setup(void) {
  return Guarded(kFailed, [] {
    Library::Instance().Setup();
    return kOk;
  });
}

int CameraClient_Cleanup(void) {
  return Guarded(kFailed, [] {
    Library::Instance().Cleanup();
    return kOk;
  });
}

CameraClientHandle CameraClient_Open(const char* ip, int port, const char* user, const char* password) {
  return Guarded<CameraClientHandle>(0, [&]() -> CameraClientHandle {
    const auto address = camera::ParseCameraAddress(ip, port);
    if (!address || user == nullptr || password == nullptr) return 0;
    return Library::Instance().Open(*address, camera::Credentials{user, password});
  });
}

int CameraClient_Close(CameraClientHandle handle) {
  return Guarded(kFailed, [&] { return camera::ResultOf(Library::Instance().Close(handle)); });
}

int CameraClient_StartFindDevice(CameraClientFindDeviceCallback callback, void* user) {
  if (callback == nullptr) return kFailed;
  return Guarded(kFailed, [&] {
    return camera::ResultOf(Library::Instance().StartSearch(camera::SearchCallback{callback, nullptr, user}));
  });
}

int CameraClient_StartFindDeviceEx(CameraClientFindDeviceExCallback callback, void* user) {
  if (callback == nullptr) return kFailed;
  return Guarded(kFailed, [&] {
    return camera::ResultOf(Library::Instance().StartSearch(camera::SearchCallback{nullptr, callback, user}));
  });
}

int CameraClient_StopFindDevice(void) {
  return Guarded(kFailed, [] {
    Library::Instance().StopSearch();
    return kOk;
  });
}

int CameraClient_GetConnectState(CameraClientHandle handle, int* state) {
  if (state == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    *state = device.Answers() ? 1 : 0;
    return kOk;
  });
}

int CameraClient_PrepareWebSession(const char* ip, int port, int* lifetimeSeconds, int* sessionCount) {
  if (lifetimeSeconds == nullptr || sessionCount == nullptr) return kFailed;
  return Guarded(kFailed, [&] {
    const auto address = camera::ParseCameraAddress(ip, port);
    if (!address || !Library::Instance().IsSetUp()) return kFailed;
    const auto reply = camera::OneShotRequest(*address, Operation::PrepareWebSession, {});
    if (!reply) return kFailed;
    const auto values = camera::protocol::DecodeInt32s<2>(*reply);
    if (!values) return kFailed;
    *lifetimeSeconds = (*values)[0];
    *sessionCount = (*values)[1];
    return kOk;
  });
}

int CameraClient_GetWebSessionId(CameraClientHandle handle, char* buffer, int size) {
  if (buffer == nullptr || size < 2) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const auto reply = device.Call(Operation::GetWebSessionId);
    if (!reply) return kFailed;
    const auto id = camera::protocol::WebSessionIdReply::Decode(*reply);
    if (!id || id->id.size() >= static_cast<std::size_t>(size)) return kFailed;
    std::memcpy(buffer, id->id.data(), id->id.size());
    buffer[id->id.size()] = '\0';
    return kOk;
  });
}
