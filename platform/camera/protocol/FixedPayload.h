#pragma once
// Fixed-layout payloads: a run of int32 values, or records as their own bytes.

#include <array>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <span>
#include <type_traits>
#include <vector>

#include "platform/camera/protocol/PayloadReader.h"
#include "platform/camera/protocol/PayloadWriter.h"

namespace camera::protocol {

inline std::vector<std::uint8_t> EncodeInt32s(std::initializer_list<std::int32_t> values) {
  PayloadWriter writer;
  for (const std::int32_t value : values) writer.I32(value);
  return writer.Take();
}

// Exactly N int32 values, or nullopt.
template <std::size_t N>
std::optional<std::array<std::int32_t, N>> DecodeInt32s(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  std::array<std::int32_t, N> values{};
  for (std::int32_t& value : values) value = reader.I32();
  if (!reader.Done()) return std::nullopt;
  return values;
}

template <typename Record>
std::vector<std::uint8_t> EncodeRecord(const Record& record) {
  return PayloadWriter().Put(record).Take();
}

// Exactly one record, or nullopt.
template <typename Record>
std::optional<Record> DecodeRecord(std::span<const std::uint8_t> payload) {
  static_assert(std::is_trivially_copyable_v<Record>);
  if (payload.size() != sizeof(Record)) return std::nullopt;
  Record record;
  std::memcpy(&record, payload.data(), sizeof(Record));
  return record;
}

}  // namespace camera::protocol
