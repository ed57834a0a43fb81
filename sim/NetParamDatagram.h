#pragma once
// The 20-byte datagram with which the configuration tool gives a found camera a new address:
// the camera's two search numbers (big-endian), then the new IP, gateway and netmask, each with
// its four octets in reverse order.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace camsim {

struct NetParamDatagram {
  std::uint32_t idHigh = 0;
  std::uint32_t idLow = 0;
  std::string ip;
  std::string gateway;
  std::string netmask;
};

// Anything but exactly 20 bytes is not this datagram.
std::optional<NetParamDatagram> ParseNetParamDatagram(std::span<const std::uint8_t> bytes);

}  // namespace camsim
