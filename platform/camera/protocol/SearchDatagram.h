#pragma once
// The search datagrams (see PROTOCOL.md): a 12-byte probe and a 76-byte answer.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace camera::protocol {

inline constexpr std::size_t kSearchProbeBytes = 12;
inline constexpr std::size_t kSearchAnswerBytes = 76;
// Texts of the answer: at most 15 bytes and a terminator each.
inline constexpr std::size_t kSearchTextBytes = 16;

struct SearchProbe {
  std::uint32_t searchId = 0;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<SearchProbe> Decode(std::span<const std::uint8_t> datagram);
};

struct SearchAnswer {
  std::uint32_t searchId = 0;
  std::string ip;
  std::string netmask;
  std::string gateway;
  std::uint16_t port = 0;
  std::int32_t value = 0;
  std::uint32_t idLow = 0;
  std::uint32_t idHigh = 0;
  // nullopt when a text does not fit its 16-byte field with its terminator.
  std::optional<std::vector<std::uint8_t>> Encode() const;
  static std::optional<SearchAnswer> Decode(std::span<const std::uint8_t> datagram);
};

}  // namespace camera::protocol
