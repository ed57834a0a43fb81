#include "sim/NetParamDatagram.h"

#include <cstdio>

namespace camsim {
namespace {

constexpr std::size_t kDatagramBytes = 20;

std::uint32_t BigEndianWord(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes[offset]) << 24 | static_cast<std::uint32_t>(bytes[offset + 1]) << 16 |
         static_cast<std::uint32_t>(bytes[offset + 2]) << 8 | bytes[offset + 3];
}

// The sender puts inet_addr's value through htonl, so the last byte is the first octet.
std::string ReversedAddress(std::span<const std::uint8_t> bytes, std::size_t offset) {
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", bytes[offset + 3], bytes[offset + 2], bytes[offset + 1],
                bytes[offset]);
  return text;
}

}  // namespace

std::optional<NetParamDatagram> ParseNetParamDatagram(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != kDatagramBytes) return std::nullopt;
  NetParamDatagram datagram;
  datagram.idHigh = BigEndianWord(bytes, 0);
  datagram.idLow = BigEndianWord(bytes, 4);
  datagram.ip = ReversedAddress(bytes, 8);
  datagram.gateway = ReversedAddress(bytes, 12);
  datagram.netmask = ReversedAddress(bytes, 16);
  return datagram;
}

}  // namespace camsim
