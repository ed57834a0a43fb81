#pragma once
// Payloads of the plate operations (0x07xx) whose layout is variable.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cameraclient/CameraClient.h"

namespace camera::protocol {

// PlateEvent: record(168), u32 clip length, clip JPEG (at most kMaxClipBytes).
struct PlateEvent {
  CameraClientPlateResult result{};
  std::vector<std::uint8_t> clip;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<PlateEvent> Decode(std::span<const std::uint8_t> payload);
};

// The selection of a plate query: str start, str end, str plate. The times must be valid
// query times (QueryTime.h).
struct PlateQuery {
  std::string start;
  std::string end;
  std::string plate;
};

// PlateQueryCount request.
struct PlateQueryCountRequest {
  PlateQuery query;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<PlateQueryCountRequest> Decode(std::span<const std::uint8_t> payload);
};

// PlateQueryPage request: the query, i32 first (>= 0), i32 end (first < end <= first + kMaxPlateQueryPageRecords).
struct PlateQueryPageRequest {
  PlateQuery query;
  std::int32_t first = 0;
  std::int32_t end = 0;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<PlateQueryPageRequest> Decode(std::span<const std::uint8_t> payload);
};

struct PlateQueryRecord {
  CameraClientPlateResult result{};
  std::int32_t trigger = 0;  // 1..5
};

// PlateQueryPage reply: u32 n, n x {record(168), i32 trigger}.
std::vector<std::uint8_t> EncodePlateQueryRecords(std::span<const PlateQueryRecord> records);
// nullopt unless n <= maxCount, each trigger is 1..5 and the payload holds exactly n records.
std::optional<std::vector<PlateQueryRecord>> DecodePlateQueryRecords(std::span<const std::uint8_t> payload,
                                                                     std::uint32_t maxCount);

// LoadPlateImage request: i32 record id, i32 maximum bytes (above 0).
struct PlateImageRequest {
  std::int32_t recordId = 0;
  std::int32_t maxBytes = 0;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<PlateImageRequest> Decode(std::span<const std::uint8_t> payload);
};

}  // namespace camera::protocol
