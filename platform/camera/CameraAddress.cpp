#include "platform/camera/CameraAddress.h"

#include <arpa/inet.h>

#include <string_view>

namespace camera {

std::optional<CameraAddress> ParseCameraAddress(const char* ip, int port) {
  if (ip == nullptr || port < 1 || port > 65535) return std::nullopt;
  std::string_view text(ip);
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  CameraAddress address{std::string(text), static_cast<std::uint16_t>(port)};
  in_addr parsed{};
  if (::inet_pton(AF_INET, address.ip.c_str(), &parsed) != 1) return std::nullopt;
  return address;
}

}  // namespace camera
