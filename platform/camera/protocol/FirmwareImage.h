#pragma once
// The firmware image file (see PROTOCOL.md): a 32-byte header with a magic, four version numbers,
// the body length and the CRC-32 of the body, then the body.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace camera::protocol {

inline constexpr std::size_t kFirmwareHeaderBytes = 32;
inline constexpr std::size_t kMaxFirmwareBodyBytes = 64u * 1024u * 1024u;
inline constexpr std::uint32_t kMaxFirmwareVersionNumber = 65535;

struct FirmwareVersion {
  std::array<std::uint32_t, 4> numbers{};
  bool operator==(const FirmwareVersion&) const = default;
};

struct FirmwareImageInfo {
  FirmwareVersion version;
  std::uint32_t bodyBytes = 0;
  std::uint32_t crc = 0;
};

// The whole image for `body`; nullopt when a version number or the body size is out of range.
std::optional<std::vector<std::uint8_t>> BuildFirmwareImage(const FirmwareVersion& version,
                                                            std::span<const std::uint8_t> body);

// Checks a whole image in memory: header, exact size and CRC.
std::optional<FirmwareImageInfo> ParseFirmwareImage(std::span<const std::uint8_t> image);

// Checks a header alone (magic and ranges); the size and CRC are the caller's to check.
std::optional<FirmwareImageInfo> ParseFirmwareHeader(std::span<const std::uint8_t, kFirmwareHeaderBytes> header);

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

}  // namespace camera::protocol
