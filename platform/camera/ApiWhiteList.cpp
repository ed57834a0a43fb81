// The whitelist: queries whose rows arrive through the callback on the calling thread, and changes.

#include <string>
#include <vector>

#include "platform/camera/ApiSupport.h"
#include "platform/camera/protocol/Limits.h"
#include "platform/camera/protocol/WhiteListMessages.h"

using camera::Device;
using camera::kFailed;
using camera::kOk;
using camera::ResultOf;
using camera::WithDevice;
using camera::protocol::Operation;

namespace {

// Search items a caller may hand over; the programs send one.
constexpr int kMaxSearchItems = 16;

// CameraClient_QueryWhiteListByPlate: the camera holds no record of the plate.
constexpr int kAbsent = 1;

template <std::size_t N>
std::optional<std::string> FieldText(const char (&field)[N]) {
  const void* end = std::memchr(field, 0, N);
  if (end == nullptr) return std::nullopt;
  return std::string(field, static_cast<const char*>(end));
}

// The plate filter of a search ("" without one); nullopt for a search we cannot honour.
std::optional<std::string> FilterOf(const CameraClientWhiteListSearch* search) {
  if (search == nullptr || search->itemCount == 0) return std::string();
  if (search->itemCount < 0 || search->itemCount > kMaxSearchItems || search->items == nullptr) return std::nullopt;
  std::string filter;
  for (int i = 0; i < search->itemCount; ++i) {
    const auto key = FieldText(search->items[i].key);
    const auto value = FieldText(search->items[i].value);
    if (!key || !value || *key != "PlateID") return std::nullopt;
    filter = *value;
  }
  return filter;
}

// Hands each row to the callback, on this thread.
void DeliverRows(Device& device, const std::vector<CameraClientWhiteListRecord>& rows) {
  for (const auto& row : rows) {
    device.WhiteListCallback().Call([&](CameraClientWhiteListCallback callback, void* user) {
      callback(device.Handle(), user, &row);
    });
  }
}

bool AllWellFormed(const std::vector<CameraClientWhiteListRecord>& rows) {
  for (const auto& row : rows) {
    if (!camera::protocol::IsWellFormed(row)) return false;
  }
  return true;
}

}  // namespace

int CameraClient_SetWhiteListCallback(CameraClientHandle handle, CameraClientWhiteListCallback callback,
                                      void* user) {
  return WithDevice(handle, [&](Device& device) {
    device.WhiteListCallback().Set(callback, user);
    return kOk;
  });
}

int CameraClient_QueryWhiteListCount(CameraClientHandle handle, uint32_t* count,
                                     const CameraClientWhiteListSearch* search) {
  if (count == nullptr) return kFailed;
  const auto filter = FilterOf(search);
  if (!filter) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const auto reply = device.Call(Operation::WhiteListCount, camera::protocol::WhiteListText{*filter}.Encode());
    if (!reply) return kFailed;
    const auto values = camera::protocol::DecodeInt32s<1>(*reply);
    if (!values) return kFailed;
    *count = static_cast<std::uint32_t>((*values)[0]);
    return kOk;
  });
}

int CameraClient_QueryWhiteList(CameraClientHandle handle, const CameraClientWhiteListCondition* condition) {
  if (condition == nullptr || condition->limit == nullptr || condition->limit->range == nullptr ||
      condition->limit->type != CAMERACLIENT_WHITELIST_LIMIT_RANGE) {
    return kFailed;
  }
  const CameraClientWhiteListRange range = *condition->limit->range;
  const auto filter = FilterOf(condition->search);
  if (!filter || range.first < 0 || range.count < 0 ||
      static_cast<std::uint32_t>(range.count) > camera::protocol::kMaxWhiteListPageRows) {
    return kFailed;
  }
  return WithDevice(handle, [&](Device& device) {
    if (range.count == 0) return kOk;
    const camera::protocol::WhiteListPageRequest request{*filter, range.first, range.count};
    const auto reply = device.Call(Operation::WhiteListPage, request.Encode());
    if (!reply) return kFailed;
    const auto rows =
        camera::protocol::DecodeWhiteListRecords(*reply, 0, static_cast<std::uint32_t>(range.count));
    if (!rows || !AllWellFormed(*rows)) return kFailed;
    DeliverRows(device, *rows);
    return kOk;
  });
}

int CameraClient_QueryWhiteListByPlate(CameraClientHandle handle, const char* plate) {
  if (plate == nullptr || std::strlen(plate) > camera::protocol::kMaxPlateTextBytes) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const auto reply = device.Call(Operation::WhiteListByPlate, camera::protocol::WhiteListText{plate}.Encode());
    if (!reply) return kFailed;
    const auto rows = camera::protocol::DecodeWhiteListRecords(*reply, 0, 1);
    if (!rows || !AllWellFormed(*rows)) return kFailed;
    if (rows->empty()) return kAbsent;
    DeliverRows(device, *rows);
    return kOk;
  });
}

int CameraClient_ImportWhiteList(CameraClientHandle handle, int count, const CameraClientWhiteListEntry* entries,
                                 CameraClientWhiteListEntry*) {
  if (entries == nullptr || count < 1 || static_cast<std::uint32_t>(count) > camera::protocol::kMaxWhiteListImportRecords) {
    return kFailed;
  }
  std::vector<CameraClientWhiteListRecord> records;
  records.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    if (entries[i].record == nullptr) return kFailed;
    records.push_back(*entries[i].record);
  }
  return WithDevice(handle, [&](Device& device) {
    return ResultOf(device.Call(Operation::WhiteListImport, camera::protocol::EncodeWhiteListRecords(records)).has_value());
  });
}

int CameraClient_UpdateWhiteList(CameraClientHandle handle, const CameraClientWhiteListRecord* record) {
  return camera::SetRecord(handle, Operation::WhiteListUpdate, record);
}

int CameraClient_DeleteWhiteList(CameraClientHandle handle, int recordId) {
  return camera::SetInt32(handle, Operation::WhiteListDelete, recordId);
}

int CameraClient_ClearWhiteList(CameraClientHandle handle) {
  return WithDevice(handle, [&](Device& device) { return ResultOf(device.Call(Operation::WhiteListClear).has_value()); });
}

int CameraClient_GetWhiteListEnable(CameraClientHandle handle, int* enable) {
  return camera::GetInt32(handle, Operation::GetWhiteListEnable, enable);
}

int CameraClient_SetWhiteListEnable(CameraClientHandle handle, int enable) {
  return camera::SetInt32(handle, Operation::SetWhiteListEnable, enable);
}

int CameraClient_GetWhiteListFuzzy(CameraClientHandle handle, int* fuzzy, int* fuzzyLength, uint8_t* fuzzyChinese) {
  if (fuzzy == nullptr || fuzzyLength == nullptr || fuzzyChinese == nullptr) return kFailed;
  return WithDevice(handle, [&](Device& device) {
    const auto values = camera::GetInt32s<3>(device, Operation::GetWhiteListFuzzy);
    if (!values) return kFailed;
    *fuzzy = (*values)[0];
    *fuzzyLength = (*values)[1];
    *fuzzyChinese = (*values)[2] != 0 ? 1 : 0;
    return kOk;
  });
}

int CameraClient_SetWhiteListFuzzy(CameraClientHandle handle, int fuzzy, int fuzzyLength, int fuzzyChinese) {
  return WithDevice(handle, [&](Device& device) {
    return camera::SetInt32s(device, Operation::SetWhiteListFuzzy, {fuzzy, fuzzyLength, fuzzyChinese != 0 ? 1 : 0});
  });
}
