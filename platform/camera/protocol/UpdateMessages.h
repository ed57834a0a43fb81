#pragma once
// The UpdateData request: u32 offset, 1..kMaxUpdateChunkBytes bytes of the image.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace camera::protocol {

struct UpdateDataRequest {
  std::uint32_t offset = 0;
  std::vector<std::uint8_t> bytes;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<UpdateDataRequest> Decode(std::span<const std::uint8_t> payload);
};

}  // namespace camera::protocol
