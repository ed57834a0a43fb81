#pragma once
// Payloads of the device operations (0x02xx) whose layout is variable.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace camera::protocol {

// GetNtpParam reply and SetNtpParam request: str server (at most 16 bytes), u8 enable, i32 interval.
struct NtpParam {
  std::string server;
  std::uint8_t enable = 0;
  std::int32_t interval = 0;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<NtpParam> Decode(std::span<const std::uint8_t> payload);
};

// GetSystemLog request: i32 kind, i32 maximum bytes (above 0).
struct SystemLogRequest {
  std::int32_t kind = 0;
  std::int32_t maxBytes = 0;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<SystemLogRequest> Decode(std::span<const std::uint8_t> payload);
};

}  // namespace camera::protocol
