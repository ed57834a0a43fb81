// Live video into a window and the window-less stream of decoded frames.

#include "platform/camera/ApiSupport.h"

using camera::Device;
using camera::Guarded;
using camera::kFailed;
using camera::kOk;
using camera::Library;
using camera::WithDevice;

CameraClientPlayHandle CameraClient_StartRealPlay(CameraClientHandle handle, HWND window) {
  if (window == nullptr) return -1;
  return Guarded<CameraClientPlayHandle>(-1, [&] { return Library::Instance().StartPlay(handle, window, 0); });
}

CameraClientPlayHandle CameraClient_StartStream(CameraClientHandle handle, int stream, int, int) {
  return Guarded<CameraClientPlayHandle>(-1, [&] { return Library::Instance().StartPlay(handle, nullptr, stream); });
}

int CameraClient_StopRealPlay(CameraClientPlayHandle play) {
  return Guarded(kFailed, [&] { return camera::ResultOf(Library::Instance().StopPlay(play)); });
}

int CameraClient_SetFrameCallback(CameraClientHandle handle, CameraClientFrameCallback callback, void* user) {
  return WithDevice(handle, [&](Device& device) {
    device.SetFrameCallback(callback, user);
    return kOk;
  });
}
