// Live plate results, their clip pictures, and the query of stored plate records.

#include <string_view>

#include "platform/camera/ApiSupport.h"
#include "platform/camera/JpegDecoder.h"
#include "platform/camera/protocol/Limits.h"
#include "platform/camera/protocol/PlateMessages.h"
#include "platform/camera/protocol/QueryTime.h"

using camera::Device;
using camera::Guarded;
using camera::kFailed;
using camera::kOk;
using camera::Library;
using camera::ResultOf;
using camera::WithDevice;
using camera::protocol::Operation;

namespace {

// The query's texts, refused here when a time is not a valid query time.
std::optional<camera::protocol::PlateQuery> MakeQuery(const char* start, const char* end, const char* plate) {
  if (start == nullptr || end == nullptr || plate == nullptr) return std::nullopt;
  if (!camera::protocol::ParseQueryTime(start) || !camera::protocol::ParseQueryTime(end)) return std::nullopt;
  if (std::string_view(plate).size() > camera::protocol::kMaxQueryPlateBytes) return std::nullopt;
  return camera::protocol::PlateQuery{start, end, plate};
}

}  // namespace

int CameraClient_SetPlateCallback(CameraClientHandle handle, CameraClientPlateCallback callback, void* user,
                                  int withPictures) {
  return WithDevice(handle, [&](Device& device) {
    return ResultOf(device.SetPlateCallback(callback, user, withPictures != 0));
  });
}

int CameraClient_SaveImageJpeg(CameraClientImageHandle image, const char* path, int quality) {
  return Guarded(kFailed, [&] {
    if (!Library::Instance().IsSetUp()) return kFailed;
    const auto jpeg = Library::Instance().Images().Find(image);
    if (!jpeg) return kFailed;
    return ResultOf(camera::WriteJpegFile(*jpeg, path, quality));
  });
}

int CameraClient_SetQueryCallback(CameraClientHandle handle, CameraClientQueryCallback callback, void* user) {
  return WithDevice(handle, [&](Device& device) {
    device.SetQueryCallback(callback, user);
    return kOk;
  });
}

int CameraClient_QueryPlateCount(CameraClientHandle handle, const char* startTime, const char* endTime,
                                 const char* plate) {
  const auto query = MakeQuery(startTime, endTime, plate);
  if (!query) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const auto reply = device.Call(Operation::PlateQueryCount, camera::protocol::PlateQueryCountRequest{*query}.Encode());
    if (!reply) return kFailed;
    const auto values = camera::protocol::DecodeInt32s<1>(*reply);
    if (!values || (*values)[0] < 0) return kFailed;
    return (*values)[0];
  });
}

int CameraClient_QueryPlatePage(CameraClientHandle handle, const char* startTime, const char* endTime,
                                const char* plate, int first, int end) {
  const auto query = MakeQuery(startTime, endTime, plate);
  if (!query || first < 0 || end <= first ||
      static_cast<std::int64_t>(end) - first > camera::protocol::kMaxPlateQueryPageRecords) {
    return kFailed;
  }
  return WithDevice(handle, [&](Device& device) {
    // Taken before asking: a SetQueryCallback made while the page is on its way drops it.
    const std::uint64_t generation = device.QueryGeneration();
    const camera::protocol::PlateQueryPageRequest request{*query, first, end};
    const auto reply = device.Call(Operation::PlateQueryPage, request.Encode());
    if (!reply) return kFailed;
    auto records = camera::protocol::DecodePlateQueryRecords(*reply, static_cast<std::uint32_t>(end - first));
    if (!records) return kFailed;
    for (const auto& record : *records) {
      if (!camera::protocol::IsWellFormed(record.result)) return kFailed;
    }
    device.PostQueryRecords(std::move(*records), generation);
    return kOk;
  });
}

int CameraClient_LoadPlateImage(CameraClientHandle handle, int recordId, uint8_t* buffer, int* size) {
  if (buffer == nullptr || size == nullptr || *size <= 0) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const camera::protocol::PlateImageRequest request{recordId, *size};
    const auto reply = device.Call(Operation::LoadPlateImage, request.Encode());
    if (!reply || reply->empty() || reply->size() > static_cast<std::size_t>(*size)) return kFailed;
    std::memcpy(buffer, reply->data(), reply->size());
    *size = static_cast<int>(reply->size());
    return kOk;
  });
}
