#pragma once
// What the exported functions share: the guard that keeps exceptions inside the library, the
// handle lookup, and typed exchanges for the operations of fixed layout.

#include <array>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <optional>

#include "cameraclient/CameraClient.h"
#include "platform/camera/Device.h"
#include "platform/camera/Library.h"
#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/PayloadWriter.h"
#include "platform/camera/protocol/RecordRules.h"

namespace camera {

inline constexpr int kOk = 0;
inline constexpr int kFailed = -1;

inline int ResultOf(bool success) { return success ? kOk : kFailed; }

// Runs `body`; `failure` when it throws (nothing may cross the C boundary).
template <typename Result, typename Body>
Result Guarded(Result failure, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

// Runs `body(device)` for an open handle; kFailed for 0, unknown and closed handles.
template <typename Body>
int WithDevice(CameraClientHandle handle, Body&& body) noexcept {
  return Guarded(kFailed, [&] {
    const std::shared_ptr<Device> device = Library::Instance().Find(handle);
    if (!device) return kFailed;
    return body(*device);
  });
}

// Exactly N int32 values from a Get operation.
template <std::size_t N>
std::optional<std::array<std::int32_t, N>> GetInt32s(Device& device, protocol::Operation operation,
                                                     std::initializer_list<std::int32_t> request = {}) {
  const auto reply = device.Call(operation, protocol::EncodeInt32s(request));
  if (!reply) return std::nullopt;
  return protocol::DecodeInt32s<N>(*reply);
}

// Writes the values of a Get into the caller's outputs (all of them, or none on failure).
template <std::size_t N>
int GetInto(CameraClientHandle handle, protocol::Operation operation, std::array<int*, N> outputs) {
  for (int* output : outputs) {
    if (output == nullptr) return kFailed;
  }
  return WithDevice(handle, [&](Device& device) {
    const auto values = GetInt32s<N>(device, operation);
    if (!values) return kFailed;
    for (std::size_t i = 0; i < N; ++i) *outputs[i] = (*values)[i];
    return kOk;
  });
}

inline int SetInt32s(Device& device, protocol::Operation operation, std::initializer_list<std::int32_t> values) {
  return ResultOf(device.Call(operation, protocol::EncodeInt32s(values)).has_value());
}

// A Get of one int32 into `out` (untouched on failure).
inline int GetInt32(CameraClientHandle handle, protocol::Operation operation, int* out) {
  if (out == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const auto values = GetInt32s<1>(device, operation);
    if (!values) return kFailed;
    *out = (*values)[0];
    return kOk;
  });
}

inline int SetInt32(CameraClientHandle handle, protocol::Operation operation, int value) {
  return WithDevice(handle, [&](Device& device) { return SetInt32s(device, operation, {value}); });
}

// A well-formed record from a Get operation.
template <typename Record>
std::optional<Record> GetRecordFrom(Device& device, protocol::Operation operation,
                                    std::initializer_list<std::int32_t> request = {}) {
  const auto reply = device.Call(operation, protocol::EncodeInt32s(request));
  if (!reply) return std::nullopt;
  auto record = protocol::DecodeRecord<Record>(*reply);
  if (!record || !protocol::IsWellFormed(*record)) return std::nullopt;
  return record;
}

template <typename Record>
int GetRecord(CameraClientHandle handle, protocol::Operation operation, Record* out) {
  if (out == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const auto record = GetRecordFrom<Record>(device, operation);
    if (!record) return kFailed;
    std::memcpy(out, &*record, sizeof(Record));
    return kOk;
  });
}

template <typename Record>
int SetRecord(CameraClientHandle handle, protocol::Operation operation, const Record* record) {
  if (record == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    return ResultOf(device.Call(operation, protocol::EncodeRecord(*record)).has_value());
  });
}

// Get and Set of one record of a pair (the two streams, the two serial ports): the request
// names the record by its index first.
template <typename Record>
int GetIndexedRecord(CameraClientHandle handle, protocol::Operation operation, int index, Record* out) {
  if (out == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const auto record = GetRecordFrom<Record>(device, operation, {index});
    if (!record) return kFailed;
    *out = *record;
    return kOk;
  });
}

template <typename Record>
int SetIndexedRecord(CameraClientHandle handle, protocol::Operation operation, int index, const Record* record) {
  if (record == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const auto payload = protocol::PayloadWriter().I32(index).Put(*record).Take();
    return ResultOf(device.Call(operation, payload).has_value());
  });
}

}  // namespace camera
