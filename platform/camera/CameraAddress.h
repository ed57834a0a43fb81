#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace camera {

struct CameraAddress {
  std::string ip;  // dotted quad
  std::uint16_t port = 0;
};

// The address an operator typed: surrounding blanks are dropped; nullopt unless the rest is a
// dotted-quad IPv4 address and the port is 1..65535.
std::optional<CameraAddress> ParseCameraAddress(const char* ip, int port);

}  // namespace camera
