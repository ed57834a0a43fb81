#pragma once
// Payloads of the whitelist operations (0x06xx) whose layout is variable.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cameraclient/CameraClient.h"

namespace camera::protocol {

// WhiteListCount request (str filter) and WhiteListByPlate request (str plate).
struct WhiteListText {
  std::string text;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<WhiteListText> Decode(std::span<const std::uint8_t> payload, std::size_t maxBytes);
};

// WhiteListPage request: str filter, i32 first (>= 0), i32 count (1..kMaxWhiteListPageRows).
struct WhiteListPageRequest {
  std::string filter;
  std::int32_t first = 0;
  std::int32_t count = 0;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<WhiteListPageRequest> Decode(std::span<const std::uint8_t> payload);
};

// WhiteListPage reply and WhiteListImport request: u32 n, n records of 416 bytes.
std::vector<std::uint8_t> EncodeWhiteListRecords(std::span<const CameraClientWhiteListRecord> records);
// nullopt unless n <= maxCount (and n >= minCount) and the payload holds exactly n records.
std::optional<std::vector<CameraClientWhiteListRecord>> DecodeWhiteListRecords(std::span<const std::uint8_t> payload,
                                                                              std::uint32_t minCount,
                                                                              std::uint32_t maxCount);

}  // namespace camera::protocol
