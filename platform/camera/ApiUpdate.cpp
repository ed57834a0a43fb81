// Firmware images: reading their version and loading them onto a camera.

#include <algorithm>

#include "platform/camera/ApiSupport.h"
#include "platform/camera/FirmwareFile.h"
#include "platform/camera/protocol/Limits.h"
#include "platform/camera/protocol/UpdateMessages.h"

using camera::Device;
using camera::Guarded;
using camera::kFailed;
using camera::kOk;
using camera::Library;
using camera::WithDevice;
using camera::protocol::Operation;

int CameraClient_GetImageFileVersion(const char* path, int* a, int* b, int* c, int* d) {
  if (path == nullptr || a == nullptr || b == nullptr || c == nullptr || d == nullptr) return kFailed;
  return Guarded(kFailed, [&] {
    if (!Library::Instance().IsSetUp()) return kFailed;
    const auto file = camera::ReadFirmwareFile(path);
    if (!file) return kFailed;
    const auto& numbers = file->info.version.numbers;
    *a = static_cast<int>(numbers[0]);
    *b = static_cast<int>(numbers[1]);
    *c = static_cast<int>(numbers[2]);
    *d = static_cast<int>(numbers[3]);
    return kOk;
  });
}

namespace {

bool Upload(Device& device, const std::vector<std::uint8_t>& image) {
  const auto size = static_cast<std::int32_t>(image.size());
  if (!device.Call(Operation::UpdateBegin, camera::protocol::EncodeInt32s({size}))) return false;
  for (std::size_t offset = 0; offset < image.size(); offset += camera::protocol::kMaxUpdateChunkBytes) {
    const std::size_t length = std::min(camera::protocol::kMaxUpdateChunkBytes, image.size() - offset);
    camera::protocol::UpdateDataRequest chunk;
    chunk.offset = static_cast<std::uint32_t>(offset);
    chunk.bytes.assign(image.begin() + static_cast<std::ptrdiff_t>(offset),
                       image.begin() + static_cast<std::ptrdiff_t>(offset + length));
    if (!device.Call(Operation::UpdateData, chunk.Encode())) return false;
  }
  return device.Call(Operation::UpdateCommit).has_value();
}

}  // namespace

int CameraClient_StartUpdate(CameraClientHandle handle, const char* imagePath) {
  if (imagePath == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const auto file = camera::ReadFirmwareFile(imagePath);
    if (!file) return kFailed;
    return camera::ResultOf(Upload(device, file->bytes));
  });
}

int CameraClient_GetUpdateState(CameraClientHandle handle) {
  return WithDevice(handle, [&](Device& device) {
    const auto values = camera::GetInt32s<1>(device, Operation::GetUpdateState);
    return values ? (*values)[0] : kFailed;
  });
}
